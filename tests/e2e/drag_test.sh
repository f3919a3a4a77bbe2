#!/usr/bin/env bash
# A press in the top band (x 1..295, y 1..50, the window buttons' origin rows
# and columns included, the buttons themselves not) starts a move: the
# window follows the pointer until the button is released, and stays there.
# A press below the band, or in column 0, moves nothing; so does a press and
# release without a move. The launcher keeps up with moves the window
# manager makes: a later drag starts from there.
#   drag_test.sh openbox   the window manager announces _NET_WM_MOVERESIZE
#                          and moves the window itself (under Wine: Wine's
#                          own move)
#   drag_test.sh none      no window manager: the launcher moves it
source "$(dirname "$0")/harness.sh"
case ${1:-openbox} in
openbox) session_start; mover="window manager" ;;
none) session_start none; mover="launcher" ;;
*) die "usage: drag_test.sh openbox|none" ;;
esac

# client x, client y where the press starts, pointer offset x, y; the window
# moves by the offset when the press is in the band
readonly CASES=(
    " 10  10  40  30"
    " 10  10 -60  20"
    "267  10 -45  25"   # between the two buttons
    "268  14  30 -20"   # the close button's origin column
    "150  50 -25 -15"   # the band's last row
    "150  51  40  30"   # the first row below it
    "  0  20  40  30"   # column 0, outside the band
    " 10  10   0   0"   # a press and release without a move
)
in_band() { (($1 >= 1 && $1 <= 295 && $2 >= 1 && $2 <= 50)); }

launcher_start
at() { [ "$(origin)" = "$1 $2" ]; }

presses=0
for c in "${CASES[@]}"; do
    read -r x y dx dy <<<"$c"
    read -r x0 y0 <<<"$(origin)"
    drag_by "$x" "$y" "$dx" "$dy"
    if in_band "$x" "$y"; then
        presses=$((presses + 1))
        wait_for 5 at $((x0 + dx)) $((y0 + dy)) ||
            fail "press at ($x,$y), pointer moved by ($dx,$dy): window from ($x0,$y0) to ($(origin))"
    else
        sleep 1
        at "$x0" "$y0" || fail "press at ($x,$y) outside the band moved the window to ($(origin))"
    fi
    launcher_running || die "the launcher ended after the press at ($x,$y)"
    echo "press at ($x,$y), pointer moved by ($dx,$dy): window at ($(origin))"
done

# The desktop moves the window; a drag then starts from where it is.
xdotool windowmove "$window" 100 120
wait_for 5 at 100 120 || fail "the desktop could not move the window: at ($(origin))"
sleep 0.2
drag_by 10 10 25 -15
presses=$((presses + 1))
wait_for 5 at 125 105 || fail "a drag after the desktop's move ended at ($(origin)), not (125,105)"

if target_is_linux; then
    # Who moved the window: every press in the band, by the one mover.
    moves=$(launcher_output | grep -c "desktop: the $mover moves the window" || true)
    others=$(launcher_output | grep "desktop: the .* moves the window" | grep -vc "the $mover " || true)
    [ "$moves" = "$presses" ] && [ "$others" = 0 ] ||
        fail "expected $presses moves by the $mover, saw $moves (and $others by the other): $(launcher_output | grep 'moves the window')"
else
    # Win32 sees the window where the X server has it.
    probe "$session_dir/probe.txt"
    [ "$(probed "$session_dir/probe.txt" window)" = "$(window_geometry)" ] ||
        fail "X geometry $(window_geometry), Win32 $(probed "$session_dir/probe.txt" window)"
fi
echo "drags by the $mover ended where the pointer went; now at ($(origin))"
finish
