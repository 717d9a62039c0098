# shellcheck shell=bash
# Sourced by scripts/test and scripts/demo: which Windows build this machine can run under
# Wine, and whether a demo's captured frames show anything.

# Where the probe below is written: the build folder, where the Windows tests run their
# programs too, so that a folder that may run none stops the test command here, saying so.
i386_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
i386_probe=$i386_root/build/i386-probe
i386_helper=$i386_root/build/exec-errno

# i386_unsure WHAT: says that the probe WHAT, so that nothing is known, and returns 2.
i386_unsure() {
    echo "cannot tell whether this machine runs 32-bit programs: the probe $i386_probe $1"
    return 2
}

# i386_verdict STATUS ERRNO WHY [QEMU]: what one run of the probe tells. STATUS is its exit
# status (128+N for signal N), ERRNO the name of the error that kept the kernel from
# starting it (empty when it started), WHY that error's text or what the probe printed,
# QEMU non-empty when binfmt_misc hands i386 programs to qemu. Prints one line; returns 0
# when this machine cannot run a 32-bit x86 program, 1 when it can, 2 when the run tells
# neither (a folder mounted noexec, say), which no fallback may hide.
i386_verdict() {
    local status=$1 errno=$2 why=$3 qemu=${4:-}
    case $errno in
        # The kernel knows no i386 program format: it was built without IA-32 emulation.
        ENOEXEC)
            echo "the kernel runs no 32-bit x86 program ($why)"
            return 0
            ;;
        # The probe is static and is there (i386_refused looks), so what is missing is the
        # interpreter that binfmt_misc hands i386 programs to.
        ENOENT)
            echo "the interpreter that 32-bit x86 programs are handed to is missing ($why)"
            return 0
            ;;
        ?*)
            i386_unsure "could not be started ($why)"
            return
            ;;
    esac
    if [ "$status" = 42 ] && [ -n "$qemu" ]; then
        # Run by qemu's user-mode emulator through binfmt_misc, the probe passes, yet 32-bit
        # Wine fails there.
        echo "32-bit x86 programs run here only under qemu's emulator, where Wine fails"
        return 0
    elif [ "$status" = 42 ]; then
        return 1
    elif [ "$status" -gt 128 ]; then
        i386_unsure "was killed by SIG$(kill -l $((status - 128)) 2>/dev/null) (status $status)"
    else
        i386_unsure "ended with status $status, not 42${why:+ (it said: $why)}"
    fi
}

# i386_refused: runs a 32-bit x86 program, as only that tells whether the kernel runs one,
# and prints and returns what i386_verdict makes of it.
i386_refused() {
    local said status=0 errno= why= qemu=
    # A static i386 program of 96 bytes: ELF header, one loadable segment, then
    # "mov eax, 1; mov ebx, 42; int 0x80", that is exit(42). A run of it may still be going
    # on in another test command: the old file is unlinked rather than rewritten in place.
    if ! said=$( {
        mkdir -p "${i386_probe%/*}" && rm -f "$i386_probe" &&
            printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$i386_probe" &&
            printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$i386_probe" &&
            printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' >>"$i386_probe" &&
            printf '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' >>"$i386_probe" &&
            printf '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' >>"$i386_probe" &&
            printf '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >>"$i386_probe" &&
            chmod +x "$i386_probe"
    } 2>&1); then
        i386_unsure "could not be written (${said##*: })"
        return
    fi
    # Started through a helper of our own: a shell or perl retries a program that the
    # kernel refused as a shell script, and names the refusal in words that change with the
    # shell and the locale, while only the errno tells a kernel without IA-32 emulation
    # from a folder that runs no program.
    # Built once, and again only when its source changes; under a name of its own and then
    # renamed, since another test command's probe may be starting it meanwhile.
    local helper_source=$i386_root/scripts/exec-errno.cpp
    if [ ! "$i386_helper" -nt "$helper_source" ] &&
        ! said=$(g++ -std=c++17 -O1 -o "$i386_helper.$$" "$helper_source" 2>&1 &&
            mv -f "$i386_helper.$$" "$i386_helper"); then
        rm -f "$i386_helper.$$"
        i386_unsure "could not be started: its helper did not build (${said%%$'\n'*})"
        return
    fi
    said=$("$i386_helper" "$i386_probe" 2>&1) || status=$?
    if [[ $said =~ ^exec\ failed:\ ([A-Za-z]+):\ (.*)$ ]]; then
        errno=${BASH_REMATCH[1]}
        why=${BASH_REMATCH[2]}
        # No such file, and yet the probe is there: the interpreter for it is missing.
        [ "$errno" != ENOENT ] || [ -e "$i386_probe" ] || errno=other
    elif [[ $said == *"$i386_helper: "* ]]; then
        i386_unsure "could not be started: neither could its helper $i386_helper (${said##*: })"
        return
    else
        why=$said
    fi
    grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386 && qemu=1
    i386_verdict "$status" "$errno" "$why" "$qemu"
}

# wine32_answer: what the 32-bit Wine loader says of its version; fails where it is not
# there or does not start.
wine32_answer() { /usr/lib/wine/wine --version 2>&1; }
# apt_candidate PACKAGE: the version apt would install, "(none)" where its lists have none.
apt_candidate() {
    LC_ALL=C apt-cache policy "$1" 2>/dev/null | sed -nE 's/^ *Candidate: (.*)$/\1/p'
}
# apt_lists_time ARCH: when apt's newest index for ARCH was written, or nothing.
apt_lists_time() {
    find /var/lib/apt/lists -maxdepth 1 -name "*_binary-${1}_Packages*" -printf '%TY-%Tm-%Td %TH:%TM\n' \
        2>/dev/null | sort | tail -n 1
}

# wine32_refused: prints why the 32-bit Wine loader does not run on a machine that runs
# 32-bit programs, as far as Wine and apt tell, and succeeds; fails where it runs.
wine32_refused() {
    local said candidate lists
    if said=$(wine32_answer) && [[ $said == wine-* ]]; then
        return 1
    fi
    if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
        said=${said%%$'\n'*}
        echo "32-bit Wine does not start (/usr/lib/wine/wine --version said: ${said#*/wine: })"
        return 0
    fi
    candidate=$(apt_candidate wine32:i386)
    lists=$(apt_lists_time i386)
    if [ -z "$candidate" ] || [ "$candidate" = "(none)" ]; then
        echo "apt has no wine32:i386 (${lists:+i386 lists updated at }${lists:-no i386 lists})"
    else
        echo "wine32:i386 $candidate is not installed: apt could not install it (scripts/setup said why)"
    fi
}

# choose_windows_ring: sets `ring` to win32, the shipped 32-bit build under 32-bit Wine, or
# to win64, the 64-bit test build of the same sources under 64-bit Wine; `ring_why` says in
# one line why it is win64. Call it after scripts/setup. GLINTIX_WINDOWS_RING=win64 picks
# the 64-bit ring on any machine; =win32 insists on the 32-bit one and fails where it
# cannot run. Where the probe tells nothing it fails, saying why, unless win64 was picked.
choose_windows_ring() {
    local refused= verdict=0
    refused=$(i386_refused) || verdict=$?
    if [ "$verdict" = 2 ] && [ "${GLINTIX_WINDOWS_RING:-}" != win64 ]; then
        echo "scripts/${0##*/}: $refused" >&2
        return 1
    fi
    # scripts/setup goes on without 32-bit Wine where apt cannot install it.
    if [ "$verdict" = 1 ]; then
        refused=$(wine32_refused) || true
    fi
    case ${GLINTIX_WINDOWS_RING:-} in
        win64)
            ring=win64
            ring_why="GLINTIX_WINDOWS_RING=win64 picks it${refused:+; besides, $refused}"
            ;;
        win32 | '')
            if [ -z "$refused" ]; then
                ring=win32
                ring_why=
            elif [ -z "${GLINTIX_WINDOWS_RING:-}" ]; then
                ring=win64
                ring_why=$refused
            else
                echo "GLINTIX_WINDOWS_RING=win32, but $refused" >&2
                return 1
            fi
            ;;
        *)
            echo "GLINTIX_WINDOWS_RING must be win32 or win64, not '$GLINTIX_WINDOWS_RING'" >&2
            return 1
            ;;
    esac
}

# apt_lists_fresh DIR ARCH...: DIR, apt's lists, holds an index of the last ten minutes for
# every ARCH. Lists that a cloud image refreshed at boot for amd64 alone are not fresh once
# i386 has been added: apt would find no i386 package in them.
apt_lists_fresh() {
    local dir=$1 arch
    shift
    for arch in "$@"; do
        [ -n "$(find "$dir" -maxdepth 1 -name "*_binary-${arch}_Packages*" -newermt '-10 minutes' \
            2>/dev/null | head -n 1)" ] || return 1
    done
}

# white_pixels PNG: how many pure white pixels the picture has.
white_pixels() {
    convert "$1" -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:
}

# brightest_frame DIR: prints the PNG of DIR with the most white pixels, the plug-in's
# particles; fails, saying so on standard error, when there is none or every one is black.
brightest_frame() {
    local frame count best= most=0 frames=0
    for frame in "$1"/*.png; do
        [ -f "$frame" ] || continue
        frames=$((frames + 1))
        count=$(white_pixels "$frame") || count=0
        if [ "$count" -gt "$most" ]; then
            most=$count
            best=$frame
        fi
    done
    if [ -z "$best" ]; then
        echo "no picture: ${frames} captured frames, not one white pixel in them" >&2
        return 1
    fi
    echo "$best"
}
