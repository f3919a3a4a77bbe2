#!/usr/bin/env bash
# Two launchers run at once (a user who opens the disc twice): each has its
# own window, and each ends on its own Escape while the other stays open.
source "$(dirname "$0")/wine_session.sh"

prefix_ensure
session_start
launcher_start "$session_dir"
first_win=$win first_pid=$launcher_pid first_trace=$launcher_trace

# The second one, from the same folder; its window is the one that is not
# the first's.
second_trace="$session_dir/trace2.log"
( cd "$session_dir" && ORVANE_TRACE=1 exec "$WINE" "$ORVANE_EXE" ) >"$second_trace" 2>&1 &
second_pid=$!
second_window_shown() {
    kill -0 "$second_pid" 2>/dev/null || fail "the second launcher ended before its window showed: $(cat "$second_trace")"
    win=$(xdotool search --onlyvisible --name '^Orvane' 2>/dev/null | grep -vx "$first_win" | head -n1) || true
    [ -n "$win" ]
}
wait_for 60 second_window_shown || fail "no second launcher window within 60 s"
second_win=$win
wait_for 10 window_painted || fail "the second launcher window was never painted"

# use WIN PID TRACE: makes that launcher the session's current one.
use() { win=$1 launcher_pid=$2 launcher_trace=$3; }

# The second first: it ends with Escape's value, and the first is untouched.
use "$second_win" "$second_pid" "$second_trace"
focus_window
xdotool key --clearmodifiers Escape
launcher_wait_end 15 || fail "the second launcher is still running after its Escape"
[ "$launcher_status" = 27 ] || fail "the second launcher ended with $launcher_status, want 27"
use "$first_win" "$first_pid" "$first_trace"
launcher_running || fail "the first launcher ended with the second"
window_viewable || fail "the first launcher's window is no longer shown"
! trace_has "CDialog::EndDialog 2" || fail "the first launcher's modal run ended with the second's Escape"

focus_window
xdotool key --clearmodifiers Escape
launcher_wait_end 15 || fail "the first launcher is still running after its Escape"
[ "$launcher_status" = 27 ] || fail "the first launcher ended with $launcher_status, want 27"
trace_has "CDialog::EndDialog 2" || fail "the first launcher's modal run did not end with IDCANCEL"
echo "two launchers ran at once; each ended on its own Escape with status 27"
