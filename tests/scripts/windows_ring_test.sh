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

# On a kernel that runs 32-bit programs, what Wine and apt say picks the ring and names why.
i386_refused() { return 1; }
apt_lists_time() { echo "2026-12-11 13:54"; }
while IFS='|' read -r answer installed offered want why; do
    wine32_answer() { echo "$answer"; [[ $answer == wine-* ]]; }
    dpkg-query() { [ -n "$installed" ] && echo "install ok installed"; }
    apt_candidate() { echo "$offered"; }
    choose_windows_ring && [ "$ring" = "$want" ] && [ "$ring_why" = "$why" ] ||
        fail "wine '$answer', installed '$installed', apt '$offered': $ring ($ring_why)"
done <<'TABLE'
wine-8.0 (Debian 8.0~repack-4)|1|8.0~repack-4|win32|
|||win64|apt has no wine32:i386 (i386 lists updated at 2026-12-11 13:54)
||(none)|win64|apt has no wine32:i386 (i386 lists updated at 2026-12-11 13:54)
||8.0~repack-4|win64|wine32:i386 8.0~repack-4 is not installed: apt could not install it (scripts/setup said why)
/usr/lib/wine/wine: error while loading shared libraries|1|8.0~repack-4|win64|32-bit Wine does not start (/usr/lib/wine/wine --version said: error while loading shared libraries)
TABLE

# Lists refreshed for amd64 alone are stale once i386 is added; fresh ones cover both.
lists=$(mktemp -d)
touch "$lists/deb_dists_bookworm_main_binary-amd64_Packages.lz4"
apt_lists_fresh "$lists" amd64 || fail "fresh amd64 lists seen as stale"
apt_lists_fresh "$lists" amd64 i386 && fail "amd64 lists alone seen as fresh for i386"
touch "$lists/deb_dists_bookworm_main_binary-i386_Packages.lz4"
apt_lists_fresh "$lists" amd64 i386 || fail "lists of both architectures seen as stale"
touch -d '-11 minutes' "$lists"/*i386*
apt_lists_fresh "$lists" amd64 i386 && fail "an i386 index of 11 minutes ago seen as fresh"
rm -rf "$lists"
[ "$failed" = 0 ] && echo "passed: the probe's verdicts, Wine's and apt's answers, and the ring chosen on them"
exit "$failed"
