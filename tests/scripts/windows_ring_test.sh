#!/usr/bin/env bash
# Only a machine that cannot run 32-bit programs may send the Windows tests to the 64-bit
# build: a probe that failed for another reason (a folder mounted noexec, a signal) must
# stop the command, saying why, instead of skipping the product's own tests.
set -uo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
unset GLINTIX_WINDOWS_RING
i386_probe=/b/i386-probe
unsure="cannot tell whether this machine runs 32-bit programs: the probe /b/i386-probe"
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

# The probe's exit status, errno, error text and qemu; the verdict and the line it prints.
while IFS='|' read -r status errno why qemu want line; do
    said=$(i386_verdict "$status" "$errno" "$why" "$qemu")
    got=$?
    line=${line/UNSURE/$unsure}
    [ "$got" = "$want" ] && [ "$said" = "$line" ] ||
        fail "probe $status $errno '$why' $qemu: verdict $got '$said', not $want '$line'"
done <<'TABLE'
127|ENOEXEC|Exec format error||0|the kernel runs no 32-bit x86 program (Exec format error)
127|ENOENT|No such file or directory||0|the interpreter that 32-bit x86 programs are handed to is missing (No such file or directory)
127|other|Permission denied||2|UNSURE could not be started (Permission denied)
139||||2|UNSURE was killed by SIGSEGV (status 139)
1||||2|UNSURE ended with status 1, not 42
42|||1|0|32-bit x86 programs run here only under qemu's emulator, where Wine fails
42||||1|
TABLE

# What the choice makes of a probe that tells nothing, and of one refused by the kernel.
i386_refused() {
    echo "$unsure could not be started (Permission denied)"
    return 2
}
(choose_windows_ring) 2>/dev/null && fail "a probe that told nothing chose a ring"
i386_refused() { echo "the kernel runs no 32-bit x86 program (Exec format error)"; }
choose_windows_ring && [ "$ring" = win64 ] &&
    [ "$ring_why" = "the kernel runs no 32-bit x86 program (Exec format error)" ] ||
    fail "a kernel without i386 gave ring '$ring' ($ring_why)"
[ "$failed" = 0 ] && echo "passed: the probe's verdicts, and the ring chosen on them"
exit "$failed"
