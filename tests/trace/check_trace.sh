#!/usr/bin/env bash
# Runs glintix-trace on the golden inputs beside this script and compares byte for byte,
# so the native and the Windows build are held to the same output.
# Usage: check_trace.sh RUNNER TRACE  (RUNNER: env natively, cmake/wine-run for Windows)
set -u
runner=$1 trace=$2
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0

for name in fountain wrap restart; do
  "$runner" "$trace" <"$here/$name.in" >"$out/$name.out" 2>"$out/$name.err"
  if ! cmp -s "$here/$name.out" "$out/$name.out"; then
    echo "FAIL $name: output differs from the golden trace"
    diff "$here/$name.out" "$out/$name.out" | head -n 5 | cut -c1-200
    failed=1
  fi
done

# Malformed input: status 2, the line named on stderr, the output before it kept.
check_error() {  # name, line number, lines of output expected
  "$runner" "$trace" <"$here/$1.in" >"$out/$1.out" 2>"$out/$1.err"
  status=$?
  lines=$(wc -l <"$out/$1.out")
  if [ "$status" -ne 2 ] || ! grep -q "line $2:" "$out/$1.err" || [ "$lines" -ne "$3" ]; then
    echo "FAIL $1: status $status, $lines lines, stderr: $(cat "$out/$1.err")"
    failed=1
  fi
}
check_error bad_level 3 2
check_error bad_field 2 1
check_error bad_start 3 2

[ "$failed" -eq 0 ] && echo "golden traces match"
exit "$failed"
