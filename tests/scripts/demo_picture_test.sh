#!/usr/bin/env bash
# The demo's check of its capture: frames that are all black are no picture, and the demo
# must fail on them instead of writing a black GIF.
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 64x48 xc:black "$work/000.png"
convert -size 64x48 xc:black "$work/001.png"
if brightest_frame "$work" 2>"$work/said"; then
    echo "FAIL: black frames passed for a picture"
    exit 1
fi
grep -q "no picture: 2 captured frames" "$work/said" || {
    echo "FAIL: black frames, but the check said: $(cat "$work/said")"
    exit 1
}

convert -size 64x48 xc:black -fill white -draw 'point 10,10' "$work/002.png"
[ "$(brightest_frame "$work")" = "$work/002.png" ] || {
    echo "FAIL: the frame with a particle was not chosen"
    exit 1
}
echo "passed: black frames fail, a frame with a particle is chosen"
