#!/usr/bin/env bash
# The minimize button minimizes the window (the window manager has it
# iconic); the desktop restores it, and it shows the picture again with the
# minimize button normal, and takes keys again.
source "$(dirname "$0")/session.sh"
session_start
launcher_start

wm_state() { xprop -id "$window" WM_STATE 2>/dev/null | awk '/window state:/ {print $NF}'; }
state_is() { [ "$(wm_state)" = "$1" ]; }

click_at 256 13
wait_for 5 state_is Iconic || fail "after the minimize button: WM_STATE $(wm_state), not Iconic"
kill -0 "$launcher_pid" 2>/dev/null || die "the launcher ended"

pointer_away
xdotool windowactivate "$window" 2>/dev/null || true
wait_for 5 state_is Normal || fail "the desktop's restore left WM_STATE $(wm_state)"
wait_for 5 shows none || fail "after the restore the window shows $(frames_shown "$session_dir/shot.png")"

timeout 3 xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key Escape
launcher_ended 5 || fail "Escape after the restore did not end the launcher"
echo "minimized, restored, ended by Escape"
finish
