#!/usr/bin/env bash
# A press in the top band and a move with the button held move the window by
# the pointer's offset, in steps as a hand would. The host keeps up with
# moves the window manager makes: a later drag starts from there.
#   drag_test.sh openbox   the window manager announces _NET_WM_MOVERESIZE
#                          and moves the window itself
#   drag_test.sh none      no window manager: the launcher moves it
source "$(dirname "$0")/session.sh"
case ${1:-} in
openbox) session_start; mover="window manager" ;;
none) session_start none; mover="launcher" ;;
*) die "usage: drag_test.sh openbox|none" ;;
esac
export ORVANE_TRACE=1
launcher_start

# drag DX DY: press at client (10,10), move by (DX,DY) in 10 steps, release.
drag() {
    local ox oy i
    read -r ox oy <<<"$(origin)"
    xdotool mousemove $((ox + 10)) $((oy + 10)) mousedown 1
    for i in $(seq 1 10); do
        xdotool mousemove $((ox + 10 + $1 * i / 10)) $((oy + 10 + $2 * i / 10))
        sleep 0.03
    done
    xdotool mouseup 1
    sleep 0.1 # a hand's pause before the next press
}
at() { [ "$(origin)" = "$1 $2" ]; }

read -r x0 y0 <<<"$(origin)"
drag 40 30
wait_for 5 at $((x0 + 40)) $((y0 + 30)) || fail "after a drag by (40,30) from ($x0,$y0): at ($(origin))"
drag -60 20
wait_for 5 at $((x0 - 20)) $((y0 + 50)) || fail "after a second drag by (-60,20): at ($(origin)), not ($((x0 - 20)),$((y0 + 50)))"

xdotool windowmove "$window" 100 120
wait_for 5 at 100 120 || fail "the window manager could not move the window: at ($(origin))"
sleep 0.2
drag 25 -15
wait_for 5 at 125 105 || fail "a drag after the desktop's move ended at ($(origin)), not (125,105)"

# A press and release in the band without moving leaves it where it is.
drag 0 0
sleep 0.3
at 125 105 || fail "a press without a move moved the window to ($(origin))"
kill -0 "$launcher_pid" 2>/dev/null || fail "the launcher ended"
moves=$(grep -c "desktop: the $mover moves the window" "$session_dir/launcher.err" || true)
others=$(grep "desktop: the .* moves the window" "$session_dir/launcher.err" | grep -vc "the $mover " || true)
[ "$moves" = 4 ] && [ "$others" = 0 ] ||
    fail "expected 4 moves by the $mover, saw $moves (and $others by the other): $(grep 'moves the window' "$session_dir/launcher.err")"
echo "drags by the $mover ended where the pointer went; now at ($(origin))"
finish
