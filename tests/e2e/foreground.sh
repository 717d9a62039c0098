# shellcheck shell=bash
# Scenarios of the foreground (sourced by scenario.sh): the user goes away from a run and
# comes back, the run ends while away, and the host starts the plug-in from its own active
# window.

# quiet_while_away NAME: over two seconds the plug-in presents nothing (no Lock and no Flip
# in Wine's DirectDraw trace of the host), the host's render calls come back at once (they
# take less than half of each second together: a call that waited for a frame, 25 ms, would
# fill it, while one that a busy machine preempted now and then does not), and its process
# stays nearly idle. Trace and progress lines are counted from marks taken here, so that no
# clock need agree with Wine's.
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
    local presented cpu calls seconds longest busiest
    presented=$(sed -n "$((err + 1)),$(wc -l <"$work/$name.err")p" "$work/$name.err" |
        grep -cE ':trace:ddraw:ddraw_surface1_(Lock|Flip) ' || true)
    cpu=$(awk -v t="$ticks" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", t * 100 / hz / 2 }')
    calls=$(sed -n "$((out + 1)),\$p" "$work/$name.out" | tr -d '\r' |
        awk -F'[ ,]+' '/render calls in the last second/ {
            n++; calls += $5; if ($14 > longest) longest = $14; if ($16 > busiest) busiest = $16 }
            END { print n + 0, calls + 0, longest + 0, busiest + 0 }')
    read -r seconds calls longest busiest <<<"$calls"
    note "$name: away for 2 s: the host used ${cpu}% of a processor; $presented locks and" \
        "flips; $calls render calls in $seconds whole seconds, the longest $longest ms, at most" \
        "$busiest ms of a second in all"
    [ "$presented" = 0 ] || fail "$name: the plug-in presented while away"
    awk -v c="$cpu" 'BEGIN { exit !(c < 20) }' || fail "$name: the host spins while away (${cpu}%)"
    [ "$seconds" -ge 1 ] && [ "$calls" -ge $((seconds * 20)) ] ||
        fail "$name: too few render calls while away"
    awk -v b="$busiest" 'BEGIN { exit !(b < 500) }' ||
        fail "$name: the render calls waited while away: $busiest ms of a second"
}

# come_back NAME DESKTOP X0 Y0 X1 Y1 [among-others]: the plug-in's window is restored and
# activated from outside, as Alt+Tab or a click would; soon the picture is back, inside the
# box, and moving (see expect_picture).
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
}

# away_and_back NAME DESKTOP HOW X0 Y0 X1 Y1: the user leaves a run that draws inside the
# box, HOW: "front", another program's window takes the foreground, or "minimise", the
# plug-in's window is minimised from outside. Then the user comes back, Escape stops the
# run and the desktop is as before.
away_and_back() {
    local name=$1 desktop=$2 how=$3 before mode
    shift 3
    before=$(probe "$desktop" desktop)
    WINEDEBUG=+timestamp,+ddraw host_bg "$name" "$desktop" --seconds 240 --progress
    wait_started "$name"
    expect_picture "$name-shot" "$@"
    mode="$(probe "$desktop" current) $(x_size "$desktop")"
    if [ "$how" = front ]; then
        probe_bg "$name-front" "$desktop" front "Z:$work/$name-done" 240
        wait_for "$name-front" '^front at .*foreground yes' 30
    else
        probe "$desktop" window "glintix #1" minimise >/dev/null
    fi
    quiet_while_away "$name"
    note "$name: the mode while away: $(probe "$desktop" current), X $(x_size "$desktop");" \
        "during the run: $mode"
    # The other program's window stays open. On the plain screen, with no window manager,
    # Wine leaves that unmanaged window above the plug-in's after the return: the picture is
    # looked for among others there.
    local company=
    [ "$how" = front ] && [ "$desktop" = - ] && company=among-others
    come_back "$name" "$desktop" "$@" ${company:+"$company"}
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

# The player stops the run while another program has the foreground, in a desktop larger
# than the run's mode, with the screensaver on.
scenario_stopped_away() {
    start_x 1024x768x24
    local desktop=big,800x600 before
    keep_desktop "$desktop"
    screensaver_set on
    before=$(probe "$desktop" desktop)
    host_bg run "$desktop" --seconds 240 --stop-file "Z:$work/run.stop"
    wait_started run
    note "the mode during the run: $(probe "$desktop" current), X $(x_size "$desktop")"
    probe_bg front "$desktop" front "Z:$work/done" 240
    wait_for front '^front at .*foreground yes' 30
    sleep 1
    note "the mode while away: $(probe "$desktop" current), X $(x_size "$desktop")"
    ! grep -q 'render calls in .*ended:' "$work/run.out" || fail "the run ended before the switch"
    stop_host run
    expect_clean_end run "stopped by the user"
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
