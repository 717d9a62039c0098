# shellcheck shell=bash
# Sourced by scripts/test and scripts/demo: which Windows build this machine can run under
# Wine, and whether a demo's captured frames show anything.

# i386_refused: succeeds, printing one line that says why, when this machine cannot run a
# 32-bit x86 program and so cannot start 32-bit Wine; fails when it can. Some kernels are
# built without IA-32 emulation and refuse every i386 program; only running one tells.
i386_refused() {
    local program status said
    program=$(mktemp)
    # A static i386 program of 96 bytes: ELF header, one loadable segment, then
    # "mov eax, 1; mov ebx, 42; int 0x80", that is exit(42).
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$program"
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$program"
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' >>"$program"
    printf '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' >>"$program"
    printf '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' >>"$program"
    printf '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >>"$program"
    chmod +x "$program"
    status=0
    said=$("$program" 2>&1) || status=$?
    rm -f "$program"
    if [ "$status" != 42 ]; then
        echo "the kernel runs no 32-bit x86 program (${said##*: }${said:+, }status $status)"
        return 0
    fi
    # Run by qemu's user-mode emulator through binfmt_misc, the test program passes, yet
    # 32-bit Wine fails there.
    if grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386; then
        echo "32-bit x86 programs run here only under qemu's emulator, where Wine fails"
        return 0
    fi
    return 1
}

# choose_windows_ring: sets `ring` to win32, the shipped 32-bit build under 32-bit Wine, or
# to win64, the 64-bit test build of the same sources under 64-bit Wine; `ring_why` says in
# one line why it is win64. Call it after scripts/setup. GLINTIX_WINDOWS_RING=win64 picks
# the 64-bit ring on any machine; =win32 insists on the 32-bit one and fails where it
# cannot run.
choose_windows_ring() {
    local refused=
    refused=$(i386_refused) || refused=
    # scripts/setup goes on without 32-bit Wine where apt cannot install it.
    if [ -z "$refused" ] && [ ! -x /usr/lib/wine/wine ]; then
        refused="32-bit Wine is not installed (scripts/setup could not install it)"
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
