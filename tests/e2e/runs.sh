# shellcheck shell=bash
# Scenarios of runs and modes (sourced by scenario.sh): the picture on plain screens and in
# virtual desktops at 24 and 16 bits, a mode change and its return, two starts in one load,
# and Wine's GDI renderer; around them the screensaver setting.

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

# screensaver_set SETTING: switches the user's screensaver on or off, and waits (bounded)
# until two reads half a second apart both say so. Wine keeps the setting in the X server,
# and a run that has just ended may still have a request to restore it in flight, which X
# can handle after ours on a busy machine: such a late request is set right again.
screensaver_set() {
    local tries=20 steady=0
    probe - screensaver "$1" >/dev/null
    while [ "$tries" -gt 0 ] && [ "$steady" -lt 2 ]; do
        if [ "$(probe - screensaver | tail -n 1)" = "screensaver $1" ]; then
            steady=$((steady + 1))
        else
            steady=0
            probe - screensaver "$1" >/dev/null
        fi
        sleep 0.5
        tries=$((tries - 1))
    done
    screensaver_is "$1" "before the run"
}

# screensaver_kept DESKTOP: with the screensaver on, it is off during a run and on again
# after; with it off, it stays off throughout.
screensaver_kept() {
    local desktop=$1 setting
    for setting in on off; do
        screensaver_set "$setting"
        host_bg "saver-$setting" "$desktop" --seconds 240 --stop-file "Z:$work/saver-$setting.stop"
        wait_started "saver-$setting"
        screensaver_is off "during a run with the screensaver $setting before"
        stop_host "saver-$setting"
        expect_clean_end "saver-$setting" "stopped by the user"
        # A virtual desktop's own process outlives the host a moment, and what it sends X
        # as it goes is part of what the run leaves behind.
        [ "$desktop" = - ] || desktop_gone "${desktop%%,*}"
        screensaver_is "$setting" "after a run with the screensaver $setting before"
    done
    note "the screensaver: on before, off during, on after; off before, off after"
}

scenario_plain() {
    start_x 1024x768x24
    note "modes on a plain 1024x768x24 screen: $(describe_modes -)"
    note "640x480x32: $(describe_format - 640 480 32)"
    note "1024x768x32: $(describe_format - 1024 768 32)"
    local before
    before=$(probe - desktop)
    host_bg run - --seconds 240 --stop-file "Z:$work/run.stop"
    wait_started run
    # The fallback mode is 1024x768: the picture is centred at (192, 144).
    expect_picture shot 192 144 831 623
    stop_host run
    expect_clean_end run "stopped by the user"
    same_desktop "$before" "$(probe - desktop)" run
    [ "$(screen_size)" = 1024x768 ] || fail "the screen is now $(screen_size)"
    screensaver_kept -
}

scenario_desktop() {
    start_x 1024x768x24
    note "modes in a 640x480 virtual desktop: $(describe_modes e2e-modes,640x480)"
    note "640x480x32: $(describe_format e2e-format,640x480 640 480 32)"
    host_bg run glintix,640x480 --seconds 240 --stop-file "Z:$work/run.stop"
    wait_started run
    [ "$(desktop_size glintix)" = 640x480 ] || fail "the desktop is $(desktop_size glintix)"
    expect_picture shot 0 0 639 479
    stop_host run
    expect_clean_end run "stopped by the user"
    screensaver_kept glintix,640x480
}

# A desktop larger than the picture: the mode must really change to 640x480 during the run
# and come back after it.
scenario_mode_change() {
    start_x 1024x768x24
    keep_desktop big,800x600
    [ "$(desktop_size big)" = 800x600 ] || fail "the desktop starts at $(desktop_size big)"
    host_bg run big,800x600 --seconds 240 --stop-file "Z:$work/run.stop"
    wait_started run
    local during
    during=$(desktop_size big)
    note "the 800x600 desktop during the run: $during"
    [ "$during" = 640x480 ] || fail "the mode did not change to 640x480 (desktop $during)"
    expect_picture shot 0 0 639 479
    stop_host run
    expect_clean_end run "stopped by the user"
    [ "$(desktop_size big)" = 800x600 ] || fail "the desktop is $(desktop_size big) after the run"
    local after
    after=$(probe big,800x600 current)
    note "after the run: desktop $(desktop_size big), Wine's $after"
    [ "$after" = "current 800 600 32" ] || fail "Wine's mode after the run: $after"
    release_desktop
}

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

# Wine may refuse every mode or surface on a 16-bit screen. Either the picture shows
# correctly, or the start fails cleanly: a message, a nonzero status, no window left and
# the mode as it was.
present_or_fail_cleanly() {
    local desktop=$1 x0=$2 y0=$3 x1=$4 y1=$5
    local before
    before=$(probe "$desktop" current)
    host_bg run "$desktop" --seconds 240 --stop-file "Z:$work/run.stop"
    wait_for run "the plug-in started|^exit status" 30
    if grep -q "the plug-in started" "$work/run.out"; then
        expect_picture shot "$x0" "$y0" "$x1" "$y1"
        stop_host run
        expect_clean_end run "stopped by the user"
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
