#!/usr/bin/env bash
# One end-to-end scenario of the real plug-in in glintix-host, under Wine with Xvfb:
#   scenario.sh plain | desktop | mode-change | depth16-plain | depth16-desktop | stop-keys |
#               second-start | config | host-errors | packaged | away-back | minimised |
#               stopped-away | host-front | gdi
# Each line starting "saw:" tells what Wine gave; a failure ends with a line "FAIL: ...".
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"

# Wine's offered modes on one line: "current W H BPP; WxH at B1/B2 ...".
describe_modes() {
    probe "$1" modes | awk '
        /^current/ { current = $2 "x" $3 "x" $4 }
        /^mode/ { size = $2 "x" $3; if (!(size in bits)) order[n++] = size; bits[size] = bits[size] "/" $4 }
        END { line = "current " current ";"; for (i = 0; i < n; i++) line = line " " order[i] "@" substr(bits[order[i]], 2); print line }'
}

# The format that Wine's primary surface has after setting W H BPP: one line.
describe_format() {
    local desktop=$1
    shift
    probe "$desktop" set "$@" 0 | grep -E '^(setmode|format)' | tr '\n' ' '
}

# screensaver_is SETTING WHEN: the user's screensaver setting is on or off, else the
# scenario fails saying when. A real DirectDraw switches it off by itself.
screensaver_is() {
    local now
    now=$(probe - screensaver | tail -n 1)
    [ "$now" = "screensaver $1" ] || fail "$2: the screensaver is ${now#screensaver } (expected $1)"
}

# screensaver_kept DESKTOP: with the screensaver on, it is off during a run and on again
# after; with it off, it stays off throughout.
screensaver_kept() {
    local desktop=$1 setting
    for setting in on off; do
        probe - screensaver "$setting" >/dev/null
        screensaver_is "$setting" "before the run"
        host_bg "saver-$setting" "$desktop" --seconds 3
        wait_started "saver-$setting"
        screensaver_is off "during a run with the screensaver $setting before"
        expect_clean_end "saver-$setting" "time ran out"
        screensaver_is "$setting" "after a run with the screensaver $setting before"
    done
    note "the screensaver: on before, off during, on after; off before, off after"
}

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

scenario_plain() {
    start_x 1024x768x24
    note "modes on a plain 1024x768x24 screen: $(describe_modes -)"
    note "640x480x32: $(describe_format - 640 480 32)"
    note "1024x768x32: $(describe_format - 1024 768 32)"
    local before
    before=$(probe - desktop)
    host_bg run - --seconds 8
    wait_started run
    capture shot 4
    # The fallback mode is 1024x768: the picture is centred at (192, 144).
    expect_white_inside "$work/shot.png" 192 144 831 623
    expect_clean_end run "time ran out"
    same_desktop "$before" "$(probe - desktop)" run
    [ "$(screen_size)" = 1024x768 ] || fail "the screen is now $(screen_size)"
    screensaver_kept -
}

scenario_desktop() {
    start_x 1024x768x24
    note "modes in a 640x480 virtual desktop: $(describe_modes e2e-modes,640x480)"
    note "640x480x32: $(describe_format e2e-format,640x480 640 480 32)"
    host_bg run glintix,640x480 --seconds 8
    wait_started run
    [ "$(desktop_size glintix)" = 640x480 ] || fail "the desktop is $(desktop_size glintix)"
    capture shot 4
    expect_white_inside "$work/shot.png" 0 0 639 479
    expect_clean_end run "time ran out"
    screensaver_kept glintix,640x480
}

# A desktop larger than the picture: the mode must really change to 640x480 during the run
# and come back after it. A window of the probe keeps the desktop open after the host has
# gone, so that its size can be read then.
keep_desktop() {
    wine_bg keeper explorer "/desktop=$1" "$GLINTIX_PROBE" hold "Z:$work/release" 120
    wait_for keeper '^holding' 30
}

release_desktop() {
    touch "$work/release"
}

scenario_mode_change() {
    start_x 1024x768x24
    keep_desktop big,800x600
    [ "$(desktop_size big)" = 800x600 ] || fail "the desktop starts at $(desktop_size big)"
    host_bg run big,800x600 --seconds 8
    wait_started run
    local during
    during=$(desktop_size big)
    note "the 800x600 desktop during the run: $during"
    [ "$during" = 640x480 ] || fail "the mode did not change to 640x480 (desktop $during)"
    capture shot 3
    expect_white_inside "$work/shot.png" 0 0 639 479
    expect_clean_end run "time ran out"
    [ "$(desktop_size big)" = 800x600 ] || fail "the desktop is $(desktop_size big) after the run"
    local after
    after=$(probe big,800x600 current)
    note "after the run: desktop $(desktop_size big), Wine's $after"
    [ "$after" = "current 800 600 32" ] || fail "Wine's mode after the run: $after"
    release_desktop
}

# Wine may refuse every mode or surface on a 16-bit screen. Either the picture shows
# correctly, or the start fails cleanly: a message, a nonzero status, no window left and
# the mode as it was.
# Two starts in one load of the plug-in: the second comes up like the first, and each
# stop gives the desktop back.
scenario_second_start() {
    start_x 1024x768x24
    keep_desktop big,800x600
    host_bg run big,800x600 --seconds 3 --runs 2
    expect_clean_end run "time ran out"
    local started ends
    started=$(grep -c "the plug-in started" "$work/run.out" || true)
    ends=$(grep -c "render calls in .*ended: time ran out" "$work/run.out" || true)
    note "two runs in one load: $started starts, $ends runs that ran their time"
    [ "$started" = 2 ] && [ "$ends" = 2 ] || {
        show "$work/run.out"
        fail "the second start did not run like the first"
    }
    [ "$(desktop_size big)" = 800x600 ] || fail "the desktop is $(desktop_size big) after the runs"
    release_desktop
}

present_or_fail_cleanly() {
    local desktop=$1 x0=$2 y0=$3 x1=$4 y1=$5
    local before
    before=$(probe "$desktop" current)
    host_bg run "$desktop" --seconds 8
    wait_for run "the plug-in started|^exit status" 30
    if grep -q "the plug-in started" "$work/run.out"; then
        capture shot 3
        expect_white_inside "$work/shot.png" "$x0" "$y0" "$x1" "$y1"
        expect_clean_end run "time ran out"
        note "presented"
    else
        local status message
        status=$(host_status run)
        message=$(grep -v XGetInputFocus "$work/run.err" | grep '^glintix-host: ' || true)
        note "the start failed: status $status, \"$message\""
        [ "$status" != 0 ] || fail "a failed start exited with 0"
        [ -n "$message" ] || fail "a failed start without a message"
        summary_says run "the start failed"
        [ "$(plugin_windows)" = 0 ] || fail "a failed start left the plug-in's window"
    fi
    local after
    after=$(probe "$desktop" current)
    [ "$after" = "$before" ] || fail "the mode was $before and is now $after"
}

scenario_depth16_plain() {
    start_x 1024x768x16
    note "modes on a plain 1024x768x16 screen: $(describe_modes -)"
    note "640x480x16: $(describe_format - 640 480 16)"
    note "1024x768x32: $(describe_format - 1024 768 32)"
    present_or_fail_cleanly - 192 144 831 623
    [ "$(screen_size)" = 1024x768 ] || fail "the screen is now $(screen_size)"
}

scenario_depth16_desktop() {
    start_x 1024x768x16
    note "modes in a 640x480 desktop on a 16-bit screen: $(describe_modes e2e-modes,640x480)"
    note "640x480x32: $(describe_format e2e-f32,640x480 640 480 32)"
    note "640x480x16: $(describe_format e2e-f16,640x480 640 480 16)"
    keep_desktop glintix,640x480
    present_or_fail_cleanly glintix,640x480 0 0 639 479
    [ "$(desktop_size glintix)" = 640x480 ] || fail "the desktop is $(desktop_size glintix)"
    release_desktop
}

# stop_run NAME HOW [DESKTOP [HOST OPTIONS...]]: a run in the kept desktop (big,800x600
# unless named) that draws in a 640x480 mode, stopped by HOW once it shows frames; the
# desktop is as it was.
stop_run() {
    local name=$1 how=$2 desktop=${3:-big,800x600}
    shift $(($# < 3 ? $# : 3))
    local before
    before=$(probe "$desktop" desktop)
    host_bg "$name" "$desktop" --seconds 30 "$@"
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

# The size X shows for DESKTOP: the screen's, or the virtual desktop's.
x_size() {
    if [ "$1" = - ]; then screen_size; else desktop_size "${1%%,*}"; fi
}

# quiet_while_away NAME: over two seconds the plug-in presents nothing (no Lock and no Flip
# in Wine's DirectDraw trace of the host), the host's render calls come back well within a
# frame's 25 ms, and its process stays nearly idle. Trace and progress lines are counted
# from marks taken here, so that no clock need agree with Wine's.
quiet_while_away() {
    local name=$1 pid ticks err out
    # A frame already past the pump, Wine's own part of the switch and the host's second
    # under way pass first: the progress lines from the marks on cover time away alone.
    sleep 1
    pid=$(host_pid)
    [ -n "$pid" ] || fail "$name: no glintix-host.exe process"
    ticks=$(cpu_ticks "$pid")
    err=$(wc -l <"$work/$name.err")
    out=$(wc -l <"$work/$name.out")
    sleep 2
    ticks=$(($(cpu_ticks "$pid") - ticks))
    local presented cpu calls seconds longest
    presented=$(sed -n "$((err + 1)),$(wc -l <"$work/$name.err")p" "$work/$name.err" |
        grep -cE ':trace:ddraw:ddraw_surface1_(Lock|Flip) ' || true)
    cpu=$(awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", t * 100 / hz / 2 }')
    calls=$(sed -n "$((out + 1)),\$p" "$work/$name.out" | awk '/render calls in the last second/ {
            n++; calls += $5; if ($(NF - 1) > longest) longest = $(NF - 1) }
            END { print n + 0, calls + 0, longest + 0 }')
    read -r seconds calls longest <<<"$calls"
    note "$name: away for 2 s: the host used ${cpu}% of a processor; $presented locks and" \
        "flips; $calls render calls in $seconds whole seconds, the longest $longest ms"
    [ "$presented" = 0 ] || fail "$name: the plug-in presented while away"
    awk -v c="$cpu" 'BEGIN { exit !(c < 20) }' || fail "$name: the host spins while away (${cpu}%)"
    [ "$seconds" -ge 1 ] && [ "$calls" -ge $((seconds * 20)) ] ||
        fail "$name: too few render calls while away"
    awk -v l="$longest" 'BEGIN { exit !(l < 25) }' || fail "$name: a render call took $longest ms"
}

# come_back NAME DESKTOP X0 Y0 X1 Y1: the plug-in's window is restored and activated from
# outside, as Alt+Tab or a click would; soon the picture is back, inside the box, and
# moving.
come_back() {
    local name=$1 desktop=$2 said from first
    shift 2
    said=$(probe "$desktop" window "glintix #1" activate)
    from=$(sed -nE 's/^activate from ([0-9]+):.*/\1/p' <<<"$said")
    [ -n "$from" ] || fail "$name: could not activate the plug-in's window: $said"
    expect_picture "$name-back" "$@"
    # The trace's stamps are seconds.milliseconds of the tick count that the probe read.
    first=$(awk -v from="$from" '/:trace:ddraw:ddraw_surface1_Flip / && match($0, /^ *[0-9]+\.[0-9]+:/) {
            split(substr($0, 1, RLENGTH - 1), t, "."); tick = t[1] * 1000 + t[2]
            if (tick >= from) { print tick - from; exit } }' "$work/$name.err")
    [ -n "$first" ] || fail "$name: no flip after the activation"
    note "$name: back: the first flip ${first} ms after the activation began"
    # Where Wine sets the run's mode again first, that alone takes several frames.
    [ "$first" -le 500 ] || fail "$name: the picture took ${first} ms to come back"
    capture "$name-later" 2
    local changed
    changed=$(compare -metric AE "$work/$name-back.png" "$work/$name-later.png" null: 2>&1 || true)
    [ "${changed%% *}" != 0 ] || fail "$name: the picture is back but does not move"
}

# away_and_back NAME DESKTOP HOW X0 Y0 X1 Y1: the user leaves a run that draws inside the
# box, HOW: "front", another program's window takes the foreground, or "minimise", the
# plug-in's window is minimised from outside. Then the user comes back, Escape stops the
# run and the desktop is as before.
away_and_back() {
    local name=$1 desktop=$2 how=$3 before mode
    shift 3
    before=$(probe "$desktop" desktop)
    WINEDEBUG=+timestamp,+ddraw host_bg "$name" "$desktop" --seconds 60 --progress
    wait_started "$name"
    expect_picture "$name-shot" "$@"
    mode="$(probe "$desktop" current) $(x_size "$desktop")"
    if [ "$how" = front ]; then
        probe_bg "$name-front" "$desktop" front "Z:$work/$name-done" 60
        wait_for "$name-front" '^front at .*foreground yes' 30
    else
        probe "$desktop" window "glintix #1" minimise >/dev/null
    fi
    quiet_while_away "$name"
    note "$name: the mode while away: $(probe "$desktop" current), X $(x_size "$desktop");" \
        "during the run: $mode"
    come_back "$name" "$desktop" "$@"
    [ "$(probe "$desktop" current) $(x_size "$desktop")" = "$mode" ] ||
        fail "$name: back in another mode: $(probe "$desktop" current) $(x_size "$desktop")"
    if [ "$how" = front ] && [ "$desktop" != - ]; then
        # In a virtual desktop Wine moves the X input focus itself, with no window manager:
        # it gave it to the other program's window when that came to the front, and keeps it
        # there when the plug-in's window is activated from another process, whose own
        # focus never changed. Keys, clicks included, would go to the other program. A
        # window manager moves the X focus along with the activation: the scenario does
        # that part.
        local window
        window=$(xdotool search --name '^glintix #1$' 2>/dev/null | head -1)
        [ -n "$window" ] || fail "$name: no X window titled glintix #1"
        xdotool windowfocus "$window"
    fi
    xdotool key Escape
    expect_clean_end "$name" "the plug-in asked to stop"
    touch "$work/$name-done"
    same_desktop "$before" "$(probe "$desktop" desktop)" "$name"
}

# On the plain screen the run keeps the screen's mode; in a desktop larger than 640x480
# Wine gives the desktop its own mode back while the user is away, and the run's on return.
scenario_away_back() {
    start_x 1024x768x24
    away_and_back plain - front 192 144 831 623
    away_and_back desktop glintix,640x480 front 0 0 639 479
    keep_desktop big,800x600
    away_and_back big big,800x600 front 0 0 639 479
    release_desktop
}

scenario_minimised() {
    start_x 1024x768x24
    away_and_back desktop glintix,640x480 minimise 0 0 639 479
}

# The host's time runs out while another program has the foreground, in a desktop larger
# than the run's mode, with the screensaver on.
scenario_stopped_away() {
    start_x 1024x768x24
    local desktop=big,800x600 before
    keep_desktop "$desktop"
    probe - screensaver on >/dev/null
    before=$(probe "$desktop" desktop)
    host_bg run "$desktop" --seconds 20
    wait_started run
    note "the mode during the run: $(probe "$desktop" current), X $(x_size "$desktop")"
    probe_bg front "$desktop" front "Z:$work/done" 60
    wait_for front '^front at .*foreground yes' 30
    sleep 1
    note "the mode while away: $(probe "$desktop" current), X $(x_size "$desktop")"
    ! grep -q 'render calls in .*ended:' "$work/run.out" || fail "the run ended before the switch"
    expect_clean_end run "time ran out"
    touch "$work/done"
    same_desktop "$before" "$(probe "$desktop" desktop)" run
    release_desktop
}

# The host starts the plug-in on the thread whose own window is in the foreground, as a
# player does that runs the visualization on its interface thread.
scenario_host_front() {
    start_x 1024x768x24
    stop_run front escape glintix,640x480 --front
    grep -q 'in the foreground: yes' "$work/front.out" || fail "the host's window was not in front"
}

# Wine's Direct3D renderer set to GDI, as users pick for old 2D programs: its DirectDraw
# has no video memory. The setting stays in this scenario's own prefix.
scenario_gdi() {
    start_x 1024x768x24
    "$GLINTIX_WINE_RUN" reg add 'HKCU\Software\Wine\Direct3D' /v renderer /d gdi /f \
        >/dev/null 2>&1 || fail "could not choose the GDI renderer"
    WINEDEBUG=warn+ddraw stop_run gdi escape glintix,640x480
    local refused
    refused=$(grep -c 'Video memory surfaces not supported' "$work/gdi.err" || true)
    note "video-memory surfaces refused $refused times"
    [ "$refused" -ge 3 ] || fail "the renderer was not GDI: video memory was not refused"
}

scenario_stop_keys() {
    start_x 1024x768x24
    keep_desktop big,800x600
    stop_run escape escape
    stop_run alt-f4 alt-f4
    stop_run posted-close posted-close
    release_desktop
}

scenario_config() {
    start_x 1024x768x24
    wine_bg config "$GLINTIX_PROBE" run "$host_exe" "$plugin_dll" --config
    local box='' tries=120
    while [ -z "$box" ] && [ "$tries" -gt 0 ]; do
        box=$(xdotool search --name '^Configuration$' 2>/dev/null | head -1 || true)
        sleep 0.25
        tries=$((tries - 1))
    done
    [ -n "$box" ] || fail "no box titled Configuration"
    local controls
    controls=$(probe - dialog Configuration)
    note "the box: $(echo "$controls" | tr '\n' ' ')"
    grep -qF 'control Static "glintix #1\n"' <<<"$controls" || fail "no text glintix #1 in the box"
    grep -qF 'control Button "OK"' <<<"$controls" || fail "no OK button in the box"
    ! grep -q '^exit status' "$work/config.out" || fail "the host returned while the box was up"
    xdotool key Return
    local status
    status=$(host_status config)
    [ "$status" = 0 ] || fail "--config exited with $status"
}

# host_error NAME STATUS ARGS...: the host refuses with STATUS and one line of message.
host_error() {
    local name=$1 expected=$2
    shift 2
    wine_bg "$name" "$GLINTIX_PROBE" run "$host_exe" "$@"
    local status lines
    status=$(host_status "$name")
    lines=$(grep -v XGetInputFocus "$work/$name.err" | grep -c . || true)
    note "$name: status $status, $(grep -v XGetInputFocus "$work/$name.err" | head -1)"
    [ "$status" = "$expected" ] || fail "$name: status $status, not $expected"
    [ "$lines" = 1 ] || fail "$name: $lines lines of message, not one"
    [ "$(plugin_windows)" = 0 ] || fail "$name: a window of the plug-in appeared"
}

scenario_host_errors() {
    start_x 1024x768x24
    host_error missing-dll 1 "Z:$work/no-such-plugin.dll"
    host_error no-export 1 "Z:${GLINTIX_NO_EXPORT_DLL:?}"
    # A WAV header that ends before its data, and one with 8-bit samples.
    printf 'RIFF\x24\x00\x00\x00WAVEfmt ' >"$work/short.wav"
    {
        printf 'RIFF\x2c\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00'
        printf '\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00data\x08\x00\x00\x00'
        printf '\x80\x80\x80\x80\x80\x80\x80\x80'
    } >"$work/8bit.wav"
    host_error short-wav 2 "$plugin_dll" --wav "Z:$work/short.wav"
    host_error 8bit-wav 2 "$plugin_dll" --wav "Z:$work/8bit.wav"
}

# What a user downloads: the DLL unzipped from the package (GLINTIX_PACKAGE_ZIP, else the
# one scripts/package leaves in out/), run in a 640x480 desktop and stopped with Escape.
scenario_packaged() {
    local zip=${GLINTIX_PACKAGE_ZIP:-${GLINTIX_PACKAGE_DEFAULT:-}}
    [ -f "$zip" ] || fail "no package at '$zip': scripts/package makes it"
    unzip -q "$zip" -d "$work/package"
    local files
    files=$(cd "$work/package" && ls -A | tr '\n' ' ')
    [ "$files" = "BUILDINFO INSTALL.txt SHA256SUMS vis_glintix.dll " ] || fail "the zip holds: $files"
    (cd "$work/package" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
    grep -qE '^commit: [0-9a-f]{40}' "$work/package/BUILDINFO" || fail "BUILDINFO names no commit"
    note "$(basename "$zip"): vis_glintix.dll of $(stat -c %s "$work/package/vis_glintix.dll") bytes"
    plugin_dll=Z:$work/package/vis_glintix.dll

    start_x 1024x768x24
    # What Windows shows in the file's properties.
    local version properties line
    version=$(basename "$zip" | sed -nE 's/^glintix-(.+)-win32\.zip$/\1/p')
    properties=$(probe - version "$plugin_dll")
    note "file properties: $(echo "$properties" | tr '\n' ';')"
    for line in "FileDescription: glintix #1 visualization plug-in" "FileVersion: $version" \
        "ProductName: glintix" "ProductVersion: $version" \
        "OriginalFilename: vis_glintix.dll"; do
        grep -qxF "$line" <<<"$properties" || fail "the file properties lack \"$line\""
    done

    keep_desktop glintix,640x480
    stop_run run escape glintix,640x480
    release_desktop
}

case ${1:-} in
    plain | desktop | mode-change | depth16-plain | depth16-desktop | stop-keys | second-start | \
        config | host-errors | packaged | away-back | minimised | stopped-away | host-front | gdi)
        "scenario_${1//-/_}"
        echo "passed: $1"
        ;;
    *)
        echo "usage: $0 plain|desktop|mode-change|depth16-plain|depth16-desktop|stop-keys|second-start|config|host-errors|packaged|away-back|minimised|stopped-away|host-front|gdi" >&2
        exit 2
        ;;
esac
