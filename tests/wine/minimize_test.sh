#!/usr/bin/env bash
# A click on the minimize button minimizes the window (the launcher keeps
# running), and clears the button's highlight: shown again, with the pointer
# elsewhere, the window draws the button in its normal frame.
source "$(dirname "$0")/wine_session.sh"
source "$(dirname "$0")/pictures.sh"

prefix_ensure
session_start
launcher_start "$session_dir"

# The button's origin row is outside it: a click there only starts a move.
click_at 257 5
sleep 1
[ "$(map_state)" = IsViewable ] || fail "a click on the minimize button's origin row minimized the window"

click_at 257 14
wait_for 10 window_iconic || fail "window not minimized: WM_STATE '$(wm_state)', map state $(map_state)"
probe "$session_dir/probe.txt"
[ "$(probed "$session_dir/probe.txt" iconic)" = 1 ] || fail "Win32 does not see the window minimized"
sleep 0.5
launcher_running || fail "the launcher ended after minimizing"
echo "minimized: WM_STATE $(wm_state), map state $(map_state)"

pointer_away
xdotool windowactivate "$win" >/dev/null 2>&1 || xdotool windowmap "$win"
wait_for 10 window_viewable || fail "the window did not come back: map state $(map_state)"
probe "$session_dir/probe.txt"
[ "$(probed "$session_dir/probe.txt" iconic)" = 0 ] || fail "Win32 still sees the window minimized"
pictures_begin "$session_dir/probe.txt"
wait_for 10 shows none || fail "restored window does not show every sprite normal: $(what_shows)"
echo "restored: every sprite normal"
