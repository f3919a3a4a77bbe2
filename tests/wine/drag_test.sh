#!/usr/bin/env bash
# A press in the top band (x 1..295, y 1..50, the window buttons' origin rows
# and columns included, the buttons themselves not) starts a move: the window
# follows the pointer until the button is released, and stays there. A press
# below the band moves nothing.
source "$(dirname "$0")/wine_session.sh"

# client x, client y where the press starts, pointer offset x, y, window moves (1/0)
CASES=(
    " 10  10  60  40 1"
    "267  10 -45  25 1"   # between the two buttons
    "268  14  30 -20 1"   # the close button's origin column
    "150  50 -25 -15 1"   # the band's last row
    "150  51  40  30 0"   # the first row below it
    "  0  20  40  30 0"   # column 0, outside the band
)

prefix_ensure
session_start
launcher_start "$session_dir"

window_at() {
    read -r ax ay _ <<<"$(window_geometry)"
    [ "$ax $ay" = "$1 $2" ]
}

for c in "${CASES[@]}"; do
    read -r x y dx dy moves <<<"$c"
    read -r x0 y0 _ <<<"$(window_geometry)"
    pointer_to "$x" "$y"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.3
    for step in 1 2 3 4 5; do
        xdotool mousemove_relative -- $((dx / 5)) $((dy / 5))
        sleep 0.05
    done
    xdotool mousemove_relative -- $((dx - 5 * (dx / 5))) $((dy - 5 * (dy / 5)))
    sleep 0.3
    xdotool mouseup 1
    if [ "$moves" = 1 ]; then
        wait_for 5 window_at $((x0 + dx)) $((y0 + dy)) ||
            fail "press at ($x,$y), pointer moved by ($dx,$dy): window from $x0,$y0 to $(window_geometry)"
    else
        sleep 1
        window_at "$x0" "$y0" || fail "press at ($x,$y) outside the band moved the window to $(window_geometry)"
    fi
    launcher_running || fail "the launcher ended after the press at ($x,$y)"
    echo "press at ($x,$y), pointer moved by ($dx,$dy): window at $(window_geometry)"
done

# Win32 sees the window where the X server has it.
probe "$session_dir/probe.txt"
read -r wx wy ww wh <<<"$(probed "$session_dir/probe.txt" window)"
[ "$(window_geometry)" = "$wx $wy $ww $wh" ] || fail "X geometry $(window_geometry), Win32 $wx $wy $ww $wh"
