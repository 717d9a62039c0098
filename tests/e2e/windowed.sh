# shellcheck shell=bash
# The second module (sourced by scenario.sh): the fountain on the monitor that holds the
# host's window, in the desktop's own mode, scaled by a whole factor. The host runs it with
# --module 1 and never touches its window.

# whole_squares PNG X Y W H K: every white pixel of the box W x H at X,Y belongs to a whole
# K-by-K square whose corner lies K times a whole number from the box's: the picture's own
# pixels, scaled without filtering and not shifted.
whole_squares() {
    local png=$1 x=$2 y=$3 w=$4 h=$5 k=$6 said
    # Only the white pixels, as "X,Y,COLOUR": everything else made transparent.
    said=$(convert "$png" -crop "${w}x$h+$x+$y" +repage -fill black +opaque white \
        -transparent black sparse-color:- | tr ' ' '\n' |
        awk -F, -v k="$k" 'NF >= 3 {n[int($1 / k) "," int($2 / k)]++; white++}
            END {for (s in n) if (n[s] != k * k) broken++
                 print white + 0, length(n), broken + 0}')
    local white squares broken
    read -r white squares broken <<<"$said"
    note "$white white pixels in $squares squares of ${k}x$k at $x,$y; $broken broken"
    [ "$white" -gt 0 ] && [ "$broken" = 0 ] || fail "the picture is not in whole ${k}x$k squares at $x,$y"
}

# white_in PNG X Y W H: the number of white pixels in the box.
white_in() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -fill black +opaque white \
        -format '%[fx:round(mean*w*h)]' info:
}

# follows NAME X Y K: the picture, moving, alone on the screen, scaled K times at X,Y in whole
# squares.
follows() {
    local name=$1 x=$2 y=$3 k=$4
    local w=$((640 * k)) h=$((480 * k))
    expect_picture "$name" "$x" "$y" $((x + w - 1)) $((y + h - 1))
    whole_squares "$work/$name.png" "$x" "$y" "$w" "$h" "$k"
}

# windowed_start NAME [HOST OPTIONS...]: module 1 on the plain screen, started; the mode
# stays the desktop's. Sets `before`, the desktop's state, for windowed_stop.
windowed_start() {
    local name=$1 mode
    shift
    before=$(probe - desktop)
    mode=$(probe - current)
    host_bg "$name" - --module 1 --seconds 240 "$@"
    wait_started "$name"
    [ "$(probe - current)" = "$mode" ] || fail "$name: the mode was $mode and is $(probe - current)"
    note "$name: the plug-in's window at $(plugin_geometry); the mode stays: $mode"
}

# The plug-in's X window.
plugin_xid() { xwininfo -name "$plugin_title" | awk '/Window id:/ {print $4}'; }

# to_plugin KEYS: the user comes back to the plug-in's window (the shell activates it) and
# presses KEYS. A window manager moves the X focus along with the activation; with none, X
# sends the keys to the window under the pointer, which need not be the plug-in's.
to_plugin() {
    probe - window "$plugin_title" activate >/dev/null
    xdotool windowfocus "$(plugin_xid)"
    xdotool key "$@"
}

# windowed_stop NAME: the user presses Escape in the plug-in's window; the run ends, and the
# desktop is as before.
windowed_stop() {
    to_plugin Escape
    expect_clean_end "$1" "the plug-in asked to stop"
    same_desktop "$before" "$(probe - desktop)" "$1"
}

# windowed_run NAME X Y K: the picture at X,Y scaled K times, in whole squares; another
# program's window in front of the picture keeps its pixels while the picture goes on
# around it.
windowed_run() {
    local name=$1 x=$2 y=$3 k=$4
    local w=$((640 * k)) h=$((480 * k)) before
    windowed_start "$name"
    follows "$name-shot" "$x" "$y" "$k"

    # Over the picture's top left, where particles fly too.
    local fx=$((x + 40)) fy=$((y + 40))
    probe_bg "$name-front" - front "Z:$work/$name-done" 240 "$fx" "$fy" 400 300
    wait_for "$name-front" '^front at .*foreground yes' 30
    expect_picture "$name-behind" "$x" "$y" $((x + w - 1)) $((y + h - 1)) among-others
    local over
    over=$(white_in "$work/$name-behind.png" "$fx" "$fy" 400 300)
    note "$name: with another program's window in front: $over white pixels on it"
    [ "$over" = 0 ] || fail "$name: the picture was drawn over the window in front of it"
    touch "$work/$name-done"
    windowed_stop "$name"
}

scenario_windowed() {
    plugin_title='glintix #1 (no mode change)'
    start_x 1920x1080x24
    windowed_run windowed 320 60 2
    [ "$(screen_size)" = 1920x1080 ] || fail "the screen is now $(screen_size)"
}

# At 150%, as users of high-density monitors set it: the picture is in real pixels all
# the same. The setting stays in this scenario's own prefix.
scenario_windowed_dpi() {
    plugin_title='glintix #1 (no mode change)'
    start_x 1920x1080x24
    "$GLINTIX_WINE_RUN" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 \
        /f >/dev/null 2>&1 || fail "could not set 150%"
    local seen
    seen=$(probe - monitors | tr '\n' ' ')
    note "150%: $seen"
    grep -q 'dpi 144' <<<"$seen" || fail "Wine does not run at 150%: $seen"
    windowed_run dpi 320 60 2
}

# Two monitors side by side: 1024x768 at 0,0, the primary, and 1920x1080 at 1024,0. Wine sees
# the monitors of RandR 1.5 (xrandr --setmonitor) only through its Xinerama path, which this
# scenario's own prefix picks; Xvfb keeps them when xrandr disconnects (start_x).
two_monitors() {
    start_x 2944x1080x24
    xrandr --setmonitor first 1024/270x768/203+0+0 screen >/dev/null
    xrandr --setmonitor second 1920/508x1080/286+1024+0 none >/dev/null
    "$GLINTIX_WINE_RUN" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f \
        >/dev/null 2>&1 || fail "could not switch Wine to Xinerama"
    # Wine reads the monitors when its server and desktop process start: start them anew.
    WINEPREFIX=$GLINTIX_WINEPREFIX wineserver -k 2>/dev/null || true
    WINEPREFIX=$GLINTIX_WINEPREFIX timeout 20 wineserver -w 2>/dev/null || true
    local seen
    seen=$(probe - monitors | tr '\n' ' ')
    note "two monitors: $seen"
    grep -q 'monitor 1024 0 1920x1080' <<<"$seen" || fail "Wine does not see the second monitor: $seen"
}

# The host's window on the second monitor: the plug-in's window covers that one, and the
# picture is there, in whole squares.
scenario_windowed_monitors() {
    plugin_title='glintix #1 (no mode change)'
    two_monitors
    local before place
    windowed_start second --at 1100,100
    place=$(plugin_geometry)
    [ "$place" = 1920x1080+1024+0 ] || fail "the plug-in's window is at $place, not on the second monitor"
    follows second-shot $((1024 + 320)) 60 2
    windowed_stop second
}

# Another program changes the mode under a run in a 1920x1080 virtual desktop, to 1280x1024,
# then to 1024x768 at 16 bits, then back: each time the picture follows, whole, to its new
# place, and after the stop the desktop is as before.
scenario_windowed_modes() {
    plugin_title='glintix #1 (no mode change)'
    start_x 1920x1080x24
    local desktop=big,1920x1080 before
    keep_desktop "$desktop"
    before=$(probe "$desktop" desktop)
    host_bg modes "$desktop" --module 1 --seconds 240
    wait_started modes
    follows modes-1920 320 60 2
    local mode place
    for mode in "1280 1024 32 0 32 2" "1024 768 16 192 144 1" "1920 1080 32 320 60 2"; do
        read -r -a place <<<"$mode"
        probe "$desktop" mode "${place[@]:0:3}" | grep -q "^current ${place[*]:0:3}$" ||
            fail "the other program could not set ${place[*]:0:3}"
        note "another program set ${place[*]:0:3}; the desktop is $(desktop_size big)"
        follows "modes-${place[0]}x${place[2]}" "${place[@]:3:3}"
    done
    xdotool key Escape
    expect_clean_end modes "the plug-in asked to stop"
    same_desktop "$before" "$(probe "$desktop" desktop)" modes
    release_desktop
}

# On a 3840x2160 screen the picture is four times its size, whole, and the host's render
# calls keep their pace (which the log tells, a line a second).
scenario_windowed_4k() {
    plugin_title='glintix #1 (no mode change)'
    start_x 3840x2160x24
    windowed_start big --progress
    follows big-shot 640 120 4
    note "big: $(grep -E 'render calls in the last second' "$work/big.out" | tail -n 3 |
        sed -E 's/.*at ([0-9.]+) s: ([0-9]+) render calls.*longest ([0-9.]+ ms),.*/\2 calls in the second to \1 s, the longest \3;/' |
        tr -d '\r' | tr '\n' ' ')"
    windowed_stop big
}

# configure NAME: the host opens the second module's configuration, and the dialog is up;
# its controls, as the probe lists them, in $work/NAME.dialog.
configure() {
    wine_bg "$1" "$GLINTIX_PROBE" run "$host_exe" "$plugin_dll" --module 1 --config
    wait_dialog "$1"
    probe - dialog Configuration >"$work/$1.dialog"
}

# dialog_has NAME LINE: the dialog, as last read, holds the line.
dialog_has() {
    grep -qxF "$2" "$work/$1.dialog" || {
        show "$work/$1.dialog"
        fail "$1: the dialog has no line: $2"
    }
}

# starts_on NAME GEOMETRY X Y K: with the host's window on the first monitor, the plug-in's
# window is at GEOMETRY and the picture at X,Y scaled K times; Escape ends the run.
starts_on() {
    windowed_start "$1" --at 100,100
    local place
    place=$(plugin_geometry)
    [ "$place" = "$2" ] || fail "$1: the plug-in's window is at $place, not $2"
    follows "$1-shot" "$3" "$4" "$5"
    windowed_stop "$1"
}

# The user picks the second monitor in the configuration, with the keyboard alone: the
# choice is kept in the user's application-data folder, and every start in a new host
# process then covers that monitor, though the host's window is on the first. The dialog is
# modal to the host's window. Cancel changes nothing, and a file that cannot be written
# leaves the dialog open, saying so. (What a file gone bad gives, the native tests show.)
scenario_windowed_choice() {
    plugin_title='glintix #1 (no mode change)'
    two_monitors
    local settings
    settings=$(ls -d "$GLINTIX_WINEPREFIX"/drive_c/users/"$(id -un)"/AppData/Roaming)/glintix.txt
    configure pick
    dialog_has pick 'item 0 "The player'"'"'s monitor"'
    dialog_has pick 'item 1 "Monitor 1: 1024x768 at 0,0 (primary)"'
    dialog_has pick 'item 2 "Monitor 2: 1920x1080 at 1024,0"'
    dialog_has pick 'selected 0'
    dialog_has pick 'owner "glintix-host" disabled'
    [ ! -e "$settings" ] || fail "a settings file before any choice"
    xdotool key Down Down Return
    ended pick
    local kept
    kept=$(grep -v '^#' "$settings" | tr -d '\r')
    note "kept: $kept"
    grep -qE '^monitor 1024 0 2944 1080 [^ ]+$' <<<"$kept" || fail "the file does not name the second monitor"

    cp "$settings" "$work/picked.txt"
    configure cancel
    dialog_has cancel 'selected 2'
    xdotool key Up Escape
    ended cancel
    cmp -s "$settings" "$work/picked.txt" || fail "Cancel changed the settings file"

    starts_on chosen 1920x1080+1024+0 1344 60 2
    starts_on again 1920x1080+1024+0 1344 60 2

    rm -f "$settings"
    mkdir "$settings"
    configure unsaved
    xdotool key Down Down Return
    local tries=40
    until probe - dialog Configuration >"$work/unsaved.dialog" && grep -q 'could not be saved' "$work/unsaved.dialog"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "unsaved: the dialog does not say that the choice was not saved"
        sleep 0.25
    done
    note "unsaved: $(grep 'could not be saved' "$work/unsaved.dialog")"
    xdotool key Return
    ended unsaved
}

# The plug-in's client area as Windows has it, "WxH+X+Y", once its frame is as FRAME says
# (yes: in a window; no: on the whole monitor), and, where given, its size is not SIZE: a
# window manager and Wine take a moment to agree on a new one.
client_area() {
    local frame=$1 not=${2:-} tries=80 said place
    while [ "$tries" -gt 0 ]; do
        said=$(probe - window "$plugin_title" place)
        place=$(sed -nE "s/^client ([0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+) frame $frame .*/\1/p" <<<"$said")
        if [ -n "$place" ] && { [ -z "$not" ] || [ "${place%%+*}" != "$not" ]; }; then
            echo "$place"
            return
        fi
        sleep 0.25
        tries=$((tries - 1))
    done
    fail "the plug-in's window is not as expected (frame $frame${not:+, size not $not}): $said"
}

# picture_in NAME WxH+X+Y: the picture in whole squares at the largest factor that fits the
# client area there, centred, moving, nothing but it and black in the client area; the
# screenshots are cut to the client area, since the frame around it (Wine's or a window
# manager's) is not the plug-in's.
picture_in() {
    local name=$1 w h x y k tries=5 shot
    IFS='x+' read -r w h x y <<<"$2"
    k=$((w / 640 < h / 480 ? w / 640 : h / 480))
    [ "$k" -ge 1 ] || k=1
    local box=($(((w - 640 * k) / 2)) $(((h - 480 * k) / 2)))
    box+=($((box[0] + 640 * k - 1)) $((box[1] + 480 * k - 1)))
    while [ "$tries" -gt 0 ]; do
        capture "$name" among-others
        for shot in "$name-0" "$name-1" "$name"; do
            convert "$work/$shot.png" -crop "${w}x$h+$x+$y" +repage "$work/$shot.png"
        done
        (expect_live_picture "$name" "${box[@]}") >/dev/null 2>&1 && break
        tries=$((tries - 1))
    done
    expect_live_picture "$name" "${box[@]}"
    local px=${box[0]} py=${box[1]}
    whole_squares "$work/$name.png" "$px" "$py" $((640 * k)) $((480 * k)) "$k"
}

# The user switches the second module into a window with Alt+Enter, drags it to another
# size (as a window manager does, or xdotool without one), double-clicks back to the whole
# monitor, Alt+Enters again and stops; the next host process starts in the window, at the
# size left. The picture is pixel-exact in whole squares each time. WM: with openbox.
window_flow() {
    plugin_title='glintix #1 (no mode change)'
    start_x 1920x1080x24
    [ -z "${1:-}" ] || start_wm
    windowed_start whole
    follows whole-shot 320 60 2
    to_plugin alt+Return
    local first sized
    first=$(client_area yes)
    note "in a window: client area $first"
    picture_in window-shot "$first"

    xdotool windowsize "$(plugin_xid)" 1400 900
    sized=$(client_area yes "${first%%+*}")
    note "resized: client area $sized"
    picture_in sized-shot "$sized"

    local w h x y
    IFS='x+' read -r w h x y <<<"$sized"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat 2 --delay 120 1
    client_area no >/dev/null
    follows whole-again 320 60 2
    to_plugin alt+Return
    [ "$(client_area yes)" = "$sized" ] || fail "back in the window at $(client_area yes), not $sized"
    windowed_stop whole

    windowed_start again
    local again
    again=$(client_area yes)
    # The pointer, still over the picture, shows once it moves, as it does for a user.
    xdotool mousemove_relative 1 1
    note "the next start: client area $again"
    [ "$again" = "$sized" ] || fail "the next start's window is at $again, not $sized"
    picture_in again-shot "$again"
    windowed_stop again
}

scenario_windowed_window() { window_flow; }
scenario_windowed_window_wm() { window_flow openbox; }
