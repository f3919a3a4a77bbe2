#!/usr/bin/env bash
# A click on the minimize button minimizes the window (the window manager
# has it iconic; the launcher keeps running) and clears the button's
# highlight: restored by the desktop, with the pointer elsewhere, the window
# shows every sprite normal, and takes keys again. The button's origin row
# is outside it: a click there only starts a move.
source "$(dirname "$0")/harness.sh"
session_start
launcher_start

click_in_band 257 5
sleep 1
window_viewable || fail "a click on the minimize button's origin row minimized the window"

click_in_band 257 14
wait_for 10 state_is Iconic || fail "after the minimize button: WM_STATE '$(wm_state)', map state $(map_state)"
if ! target_is_linux; then
    probe "$session_dir/probe.txt"
    [ "$(probed "$session_dir/probe.txt" iconic)" = 1 ] || fail "Win32 does not see the window minimized"
fi
sleep 0.5
launcher_running || die "the launcher ended after minimizing"
echo "minimized: WM_STATE $(wm_state), map state $(map_state)"

pointer_away
xdotool windowactivate "$window" >/dev/null 2>&1 || xdotool windowmap "$window"
wait_for 10 window_viewable || fail "the window did not come back: map state $(map_state)"
wait_for 5 state_is Normal || fail "the desktop's restore left WM_STATE '$(wm_state)'"
if ! target_is_linux; then
    probe "$session_dir/probe.txt"
    [ "$(probed "$session_dir/probe.txt" iconic)" = 0 ] || fail "Win32 still sees the window minimized"
fi
wait_for 10 shows none || fail "restored window does not show every sprite normal: $(what_shows)"

focus_window
xdotool key Escape
launcher_ended 15 || fail "Escape after the restore did not end the launcher"
echo "minimized, restored, ended by Escape"
finish
