# shellcheck shell=bash
# Shared by the end-to-end scenarios (sourced, not run): an X server of the scenario's own,
# Wine in a private prefix, bounded waits, screenshots and what the X side shows.
#
# Expects GLINTIX_DLL, GLINTIX_HOST, GLINTIX_PROBE, GLINTIX_WINE_RUN and GLINTIX_E2E_WORK.
# The prefix is GLINTIX_WINEPREFIX, the scenario's own, made afresh from the prefix
# GLINTIX_WINEPREFIX_TEMPLATE; its wineserver is this scenario's and goes with it. So
# scenarios may run side by side, each with its own X server too, none seeing another's
# windows or settings.

: "${GLINTIX_DLL:?}" "${GLINTIX_HOST:?}" "${GLINTIX_PROBE:?}" "${GLINTIX_WINE_RUN:?}"
: "${GLINTIX_E2E_WORK:?}" "${GLINTIX_WINEPREFIX:?}" "${GLINTIX_WINEPREFIX_TEMPLATE:?}"
export GLINTIX_WINEPREFIX
export WINEDEBUG=-all

# Wine reads these as paths on its drive Z:, whatever the working directory.
host_exe=Z:$GLINTIX_HOST
plugin_dll=Z:$GLINTIX_DLL

work=$GLINTIX_E2E_WORK
rm -rf "$work"
mkdir -p "$work"

xvfb_pid=
background_pids=()

# The scenario's prefix, cloned from the template, which the first scenario to need it makes
# (wineboot takes seconds of processor time, a clone a fraction of one). Wine's own
# libraries, the bulk of a prefix, which nothing changes, are hard links; the registry and
# everything else are copies of the scenario's own.
fresh_prefix() {
    local template=$GLINTIX_WINEPREFIX_TEMPLATE prefix=$GLINTIX_WINEPREFIX file
    (
        flock 9
        if [ ! -f "$template/.made" ]; then
            rm -rf "$template"
            GLINTIX_WINEPREFIX=$template "$GLINTIX_WINE_RUN"
            # The registry reaches its files when the server ends.
            WINEPREFIX=$template wineserver -k 2>/dev/null || true
            WINEPREFIX=$template timeout 30 wineserver -w 2>/dev/null || true
            [ -f "$template/system.reg" ] || fail "Wine made no prefix in $template"
            touch "$template/.made"
        fi
    ) 9>"$template.making" || exit 1
    rm -rf "$prefix"
    cp -al "$template" "$prefix"
    find "$prefix" -type f ! -path '*/windows/system32/*' ! -path '*/windows/syswow64/*' \
        ! -path '*/windows/winsxs/*' -print0 | while IFS= read -r -d '' file; do
        cp -p --remove-destination "$template${file#"$prefix"}" "$file"
    done
}

cleanup() {
    local status=$?
    # The wineserver of the private prefix takes every Wine process of this scenario
    # with it; the X server goes last, so that no Wine process dies of a lost display.
    WINEPREFIX=$GLINTIX_WINEPREFIX wineserver -k 2>/dev/null || true
    WINEPREFIX=$GLINTIX_WINEPREFIX timeout 10 wineserver -w 2>/dev/null || true
    # A Wine process that was still starting when its server went can outlive it; those of
    # the private prefix are all this scenario's.
    local pid
    for pid in $(pgrep -f '^/usr/lib/wine/|\.exe' || true); do
        if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" |
            grep -qxF "WINEPREFIX=$GLINTIX_WINEPREFIX"; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    for pid in "${background_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    exit "$status"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

note() {
    echo "saw: $*"
}

fresh_prefix

# Shows a captured output file, for a failure's context.
show() {
    echo "--- $1" >&2
    grep -v 'XGetInputFocus' "$1" >&2 || true
}

# start_x WxHxDEPTH [XVFB OPTIONS...]: an Xvfb on a display number that it picks itself,
# ready on return. It keeps its settings (the screensaver's among them) when its last
# client goes, as a desktop's X server, which always has clients, does: one that reset then
# would undo what a run left, depending on when Wine's processes let go of it.
start_x() {
    local fifo=$work/displayfd geometry=$1
    shift
    rm -f "$fifo"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset "$@" 3>"$fifo" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local number
    if ! read -r -t 20 number <"$fifo"; then
        fail "Xvfb did not come up: $(cat "$work/xvfb.log")"
    fi
    export DISPLAY=:$number
}

# start_wm: openbox on the scenario's X server, ready on return: people run Wine on desktops
# with a window manager, which frames, places and focuses its windows.
start_wm() {
    openbox >"$work/openbox.log" 2>&1 &
    background_pids+=($!)
    local tries=80
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "openbox did not come up: $(cat "$work/openbox.log")"
        sleep 0.25
    done
}

# wine_bg NAME PROGRAM ARGS...: runs a Windows program in the background, its output in
# $work/NAME.out and NAME.err.
wine_bg() {
    local name=$1
    shift
    "$GLINTIX_WINE_RUN" "$@" >"$work/$name.out" 2>"$work/$name.err" </dev/null &
    background_pids+=($!)
}

# host_bg NAME DESKTOP ARGS...: glintix-host with our DLL, on the plain screen (DESKTOP
# "-") or in the Wine virtual desktop DESKTOP ("NAME,WxH"). It runs under the probe, which
# prints the exit status, since a virtual desktop's explorer does not pass it on.
host_bg() {
    local name=$1 desktop=$2
    shift 2
    local run=("$GLINTIX_PROBE" run "$host_exe" "$plugin_dll" "$@")
    if [ "$desktop" = - ]; then
        wine_bg "$name" "${run[@]}"
    else
        wine_bg "$name" explorer "/desktop=$desktop" "${run[@]}"
    fi
}

# probe_bg NAME DESKTOP ARGS...: the probe in the background, on the plain screen (DESKTOP
# "-") or in a virtual desktop.
probe_bg() {
    local name=$1 desktop=$2
    shift 2
    if [ "$desktop" = - ]; then
        wine_bg "$name" "$GLINTIX_PROBE" "$@"
    else
        wine_bg "$name" explorer "/desktop=$desktop" "$GLINTIX_PROBE" "$@"
    fi
}

# probe DESKTOP ARGS...: the probe in the foreground, on the plain screen (DESKTOP "-") or
# in a virtual desktop. Its lines come without the carriage returns of Windows text output.
probe() {
    local desktop=$1
    shift
    if [ "$desktop" = - ]; then
        timeout 60 "$GLINTIX_WINE_RUN" "$GLINTIX_PROBE" "$@" 2>/dev/null | tr -d '\r'
    else
        timeout 60 "$GLINTIX_WINE_RUN" explorer "/desktop=$desktop" "$GLINTIX_PROBE" "$@" \
            2>/dev/null | tr -d '\r'
    fi
}

# stop_host NAME: the player's Stop button for the run NAME, started with
# --stop-file "Z:$work/NAME.stop".
stop_host() {
    touch "$work/$1.stop"
}

# wait_for NAME REGEX SECONDS: waits until NAME.out has a line matching REGEX.
wait_for() {
    local file=$work/$1.out tries=$(($3 * 4))
    while [ "$tries" -gt 0 ]; do
        grep -qE "$2" "$file" 2>/dev/null && return 0
        sleep 0.25
        tries=$((tries - 1))
    done
    show "$file"
    show "$work/$1.err"
    fail "no line matching '$2' from $1 within $3 s"
}

# wait_started NAME: waits until the host says that the plug-in started; a host that ended
# instead fails the scenario at once.
wait_started() {
    wait_for "$1" "the plug-in started|^exit status" 30
    grep -q "the plug-in started" "$work/$1.out" || {
        show "$work/$1.out"
        show "$work/$1.err"
        fail "$1: the host ended without the plug-in starting"
    }
}

# wait_dialog NAME: waits (bounded) until the host's dialog titled Configuration is up, and
# gives it the X focus. With no window manager, X sends the keys to the window under the
# pointer, which need not be the dialog's; a window manager gives a new dialog the focus
# along with the activation: the scenario does that part. X knows the name before the window
# is mapped, and only a viewable window can take the focus.
wait_dialog() {
    local tries=120 dialog=
    until dialog=$(xdotool search --onlyvisible --name '^Configuration$' 2>/dev/null | head -1) &&
        [ -n "$dialog" ] && xwininfo -id "$dialog" | grep -q 'Map State: IsViewable'; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "$1: no viewable dialog titled Configuration"
        sleep 0.25
    done
    xdotool windowfocus "$dialog"
}

# host_status NAME: the host's exit status, once its run has ended.
host_status() {
    wait_for "$1" '^exit status [0-9]+' 60
    sed -nE 's/^exit status ([0-9]+).*/\1/p' "$work/$1.out"
}

# ended NAME: the host ended with status 0.
ended() {
    local status
    status=$(host_status "$1")
    [ "$status" = 0 ] || fail "$1: the host ended with status $status"
}

# summary_says NAME TEXT: the host's summary line names how the run ended.
summary_says() {
    grep -q "render calls in .*ended: $2" "$work/$1.out" || {
        show "$work/$1.out"
        fail "$1: the summary does not say '$2'"
    }
}

# The process of glintix-host.exe itself (not of the probe that runs it) in this
# scenario's prefix.
host_pid() {
    local pid
    for pid in $(pgrep -f 'glintix-host\.exe' || true); do
        tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" |
            grep -qxF "WINEPREFIX=$GLINTIX_WINEPREFIX" || continue
        if tr '\0' '\n' 2>/dev/null <"/proc/$pid/cmdline" | head -1 | grep -q 'glintix-host\.exe$'; then
            echo "$pid"
            return
        fi
    done
}

# cpu_ticks PID: the processor time that the process has used, user and system, in clock
# ticks (the command name in stat may hold spaces: the fields are counted after it).
cpu_ticks() {
    sed -E 's/.*\) //' "/proc/$1/stat" | awk '{print $12 + $13}'
}

# The title of the plug-in's window: its module's description. Wine names the X window
# after it.
plugin_title='glintix #1'

# The plug-in's windows, as X sees them.
plugin_windows() {
    xwininfo -root -tree | grep -cF "\"$plugin_title\"" || true
}

# The place of the plug-in's X window: "WxH+X+Y".
plugin_geometry() {
    xwininfo -name "$plugin_title" 2>/dev/null | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} END {print w "x" h "+" x "+" y}'
}

desktop_size() {
    xwininfo -root -tree | sed -nE "s/.*\"$1 - Wine desktop\".* ([0-9]+x[0-9]+)\+.*/\1/p"
}

# desktop_gone NAME: waits (bounded) until Wine's virtual desktop NAME has closed.
desktop_gone() {
    local tries=40
    while [ -n "$(desktop_size "$1")" ] && [ "$tries" -gt 0 ]; do
        sleep 0.25
        tries=$((tries - 1))
    done
    [ -z "$(desktop_size "$1")" ] || fail "the virtual desktop $1 stays open after its run"
}

screen_size() {
    xdpyinfo | sed -nE 's/^ *dimensions: *([0-9]+x[0-9]+) pixels.*/\1/p'
}

# screenshot PNG: the whole screen, within 10 s.
screenshot() {
    timeout 10 import -window root "$1"
}

# capture NAME [among-others]: waits (bounded) for a screenshot of the plug-in's picture
# (NAME-0.png): white pixels and, unless among-others, nothing but black besides; takes
# another 0.3 s later (NAME-1.png) and keeps, per pixel, the brighter of the two (NAME.png):
# the union of where particles were. NAME.map holds the map state of the plug-in's X window
# between the two.
capture() {
    local name=$1 company=${2:-} tries=40
    while [ "$tries" -gt 0 ]; do
        # A screenshot that a busy machine takes longer than its limit for is tried again.
        screenshot "$work/$name-0.png" &&
            [ "$(white_box "$work/$name-0.png" | cut -d' ' -f1)" != 0 ] &&
            { [ -n "$company" ] || [ "$(foreign_pixels "$work/$name-0.png")" = 0 ]; } && break
        sleep 0.25
        tries=$((tries - 1))
    done
    xwininfo -name "$plugin_title" 2>/dev/null | sed -nE 's/^ *Map State: *//p' >"$work/$name.map" ||
        true
    sleep 0.3
    screenshot "$work/$name-1.png" || screenshot "$work/$name-1.png" ||
        fail "$name: no screenshot within 10 s, twice"
    convert "$work/$name-0.png" "$work/$name-1.png" -evaluate-sequence max "$work/$name.png"
}

# foreign_pixels PNG: the number of pixels neither black nor white, which the plug-in never
# draws: a desktop, a title bar, another program's window.
foreign_pixels() {
    convert "$1" -fill black -opaque white -fill white +opaque black \
        -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}

# white_box PNG: "COUNT WxH+X+Y", the number of pure white pixels and their bounding box.
white_box() {
    convert "$1" -fill black +opaque white -format '%[fx:round(mean*w*h)] %@\n' info: 2>/dev/null
}

# expect_white_inside PNG X0 Y0 X1 Y1: white pixels exist, all inside the box (inclusive),
# and some on either side of its middle, so that the picture is neither missing, nor
# displaced, nor squeezed into a part of the screen.
expect_white_inside() {
    local png=$1 x0=$2 y0=$3 x1=$4 y1=$5
    local count box w h x y
    read -r count box < <(white_box "$png")
    [ "$count" -gt 0 ] || fail "no white pixel on the screen ($png)"
    IFS='x+' read -r w h x y <<<"$box"
    note "$count white pixels in the box ${w}x${h} at $x,$y"
    if [ "$x" -lt "$x0" ] || [ "$y" -lt "$y0" ] || [ $((x + w - 1)) -gt "$x1" ] ||
        [ $((y + h - 1)) -gt "$y1" ]; then
        fail "white pixels outside $x0,$y0-$x1,$y1: box ${w}x${h}+$x+$y ($png)"
    fi
    local middle=$(((x0 + x1) / 2))
    local left right
    left=$(convert "$png" -crop "$((middle - x0))x$((y1 - y0 + 1))+$x0+$y0" +repage \
        -fill black +opaque white -format '%[fx:round(mean*w*h)]' info:)
    right=$((count - left))
    if [ "$left" = 0 ] || [ "$right" = 0 ]; then
        fail "white pixels only on one side of the picture ($left left, $right right; $png)"
    fi
}

# expect_live_picture NAME X0 Y0 X1 Y1 [among-others]: the last capture NAME shows the
# plug-in's picture inside the box (see expect_white_inside) and, unless among-others,
# nothing else; from a viewable X window of the plug-in, and moving: its two screenshots
# differ.
expect_live_picture() {
    local name=$1 company=${6:-} foreign map changed
    expect_white_inside "$work/$name.png" "$2" "$3" "$4" "$5"
    if [ -z "$company" ]; then
        foreign=$(foreign_pixels "$work/$name-0.png")
        [ "$foreign" = 0 ] || fail "$name: $foreign pixels on the screen are not the picture's"
    fi
    map=$(cat "$work/$name.map")
    [ "$map" = IsViewable ] || fail "$name: the plug-in's X window is ${map:-missing}, not viewable"
    changed=$(compare -metric AE "$work/$name-0.png" "$work/$name-1.png" null: 2>&1 || true)
    [ "${changed%% *}" != 0 ] || fail "$name: the picture does not move"
    note "$name: the plug-in's X window is viewable; the picture moves (${changed%% *} pixels" \
        "changed in 0.3 s)"
}

# expect_picture NAME X0 Y0 X1 Y1 [among-others]: the plug-in's picture is on the screen
# inside the box, and moving; alone on the screen unless among-others, where another
# program's window may stay in view. Captures are taken until one passes
# expect_live_picture, five at most: a window on its way out of sight, or a frame whose few
# particles all happen to be on one side, does not fail the scenario; a missing, displaced,
# hidden or frozen picture fails every time.
expect_picture() {
    local tries=5
    while [ "$tries" -gt 1 ]; do
        capture "$1" "${6:-}"
        (expect_live_picture "$@") >/dev/null 2>&1 && break
        tries=$((tries - 1))
    done
    expect_live_picture "$@"
}
