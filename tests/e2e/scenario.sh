#!/usr/bin/env bash
# One end-to-end scenario of the real plug-in in glintix-host, under Wine with Xvfb:
#   scenario.sh plain | desktop | mode-change | depth16-plain | depth16-desktop | stop-keys |
#               second-start | config | host-errors | packaged | away-back | minimised |
#               stopped-away | host-front | gdi | windowed | windowed-dpi | windowed-monitors |
#               windowed-modes | windowed-4k | windowed-choice | windowed-window |
#               windowed-window-wm
# Each line starting "saw:" tells what Wine gave; a failure ends with a line "FAIL: ...".
#
# The scenarios live by theme in runs.sh, stopping.sh, foreground.sh and windowed.sh (the
# second module); here are what
# several of them share: a run's clean end, a kept desktop and a run stopped by a key.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"

# same_desktop BEFORE AFTER NAME: what the probe's "desktop" told before and after the run
# NAME (mode, screensaver, cursor, work area, gamma) is the same.
same_desktop() {
    [ "$1" = "$2" ] ||
        fail "$3: the desktop is not as it was: $(diff <(echo "$1") <(echo "$2") | grep '^[<>]' | tr '\n' ' ')"
}

# A run that must end by itself and leave the screen as it found it.
expect_clean_end() {
    local name=$1
    local status
    status=$(host_status "$name")
    [ "$status" = 0 ] || {
        show "$work/$name.err"
        fail "$name: the host exited with $status"
    }
    summary_says "$name" "$2"
    note "$name: $(grep -E 'render calls in .*ended:' "$work/$name.out" | tr -d '\r')"
    [ "$(plugin_windows)" = 0 ] || fail "$name: the plug-in's window is still there"
}

# keep_desktop DESKTOP: a window of the probe keeps the virtual desktop open after the host
# has gone, so that its size and mode can be read then; release_desktop lets it go.
keep_desktop() {
    wine_bg keeper explorer "/desktop=$1" "$GLINTIX_PROBE" hold "Z:$work/release" 280
    wait_for keeper '^holding' 30
}

release_desktop() {
    touch "$work/release"
}

# stop_run NAME HOW [DESKTOP [HOST OPTIONS...]]: a run in the kept desktop (big,800x600
# unless named) that draws in a 640x480 mode, stopped by HOW once it shows frames; the
# desktop is as it was.
stop_run() {
    local name=$1 how=$2 desktop=${3:-big,800x600}
    shift $(($# < 3 ? $# : 3))
    local before
    before=$(probe "$desktop" desktop)
    host_bg "$name" "$desktop" --seconds 240 "$@"
    wait_started "$name"
    expect_picture "$name-shot" 0 0 639 479
    case $how in
        escape)
            xdotool key Escape
            ;;
        alt-f4)
            xdotool key alt+F4
            ;;
        posted-close)
            probe "$desktop" post "glintix #1" close >/dev/null
            ;;
    esac
    expect_clean_end "$name" "the plug-in asked to stop"
    [ "$(desktop_size "${desktop%%,*}")" = "${desktop#*,}" ] ||
        fail "$name: the desktop is $(desktop_size "${desktop%%,*}") after"
    same_desktop "$before" "$(probe "$desktop" desktop)" "$name"
}

# The size X shows for DESKTOP: the screen's, or the virtual desktop's, which a busy X server
# may list a moment late.
x_size() {
    local size tries=10
    while [ "$tries" -gt 0 ]; do
        if [ "$1" = - ]; then size=$(screen_size); else size=$(desktop_size "${1%%,*}"); fi
        [ -z "$size" ] || break
        sleep 0.2
        tries=$((tries - 1))
    done
    echo "$size"
}

# shellcheck source=tests/e2e/runs.sh
source "$here/runs.sh"
# shellcheck source=tests/e2e/stopping.sh
source "$here/stopping.sh"
# shellcheck source=tests/e2e/foreground.sh
source "$here/foreground.sh"
# shellcheck source=tests/e2e/windowed.sh
source "$here/windowed.sh"

case ${1:-} in
    plain | desktop | mode-change | depth16-plain | depth16-desktop | stop-keys | second-start | \
        config | host-errors | packaged | away-back | minimised | stopped-away | host-front | gdi | \
        windowed | windowed-dpi | windowed-monitors | windowed-modes | windowed-4k | windowed-choice | \
        windowed-window | windowed-window-wm)
        "scenario_${1//-/_}"
        echo "passed: $1"
        ;;
    *)
        echo "usage: $0 plain|desktop|mode-change|depth16-plain|depth16-desktop|stop-keys|second-start|config|host-errors|packaged|away-back|minimised|stopped-away|host-front|gdi|windowed|windowed-dpi|windowed-monitors|windowed-modes|windowed-4k|windowed-choice|windowed-window|windowed-window-wm" >&2
        exit 2
        ;;
esac
