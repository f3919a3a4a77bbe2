#!/usr/bin/env bash
# Two launchers run at once (a user who opens the disc twice): each has its
# own window, and each ends on its own Escape while the other stays open.
source "$(dirname "$0")/../e2e/harness.sh"

session_start
launcher_start
first_win=$window first_pid=$launcher_pid

# The second one, from the same folder; its window is the one that is not
# the first's.
other_windows=$first_win launcher_name=second
launcher_start
second_win=$window second_pid=$launcher_pid

# use WIN PID NAME: makes that launcher the session's current one.
use() { window=$1 launcher_pid=$2 launcher_name=$3; }

# The second first: it ends with Escape's value, and the first is untouched.
focus_window
xdotool key --clearmodifiers Escape
launcher_ended 15 || die "the second launcher is still running after its Escape"
[ "$status" = 27 ] || fail "the second launcher ended with $status, want 27"
use "$first_win" "$first_pid" launcher
launcher_running || die "the first launcher ended with the second"
window_viewable || fail "the first launcher's window is no longer shown"
! trace_has "CDialog::EndDialog 2" || fail "the first launcher's modal run ended with the second's Escape"

focus_window
xdotool key --clearmodifiers Escape
launcher_ended 15 || die "the first launcher is still running after its Escape"
[ "$status" = 27 ] || fail "the first launcher ended with $status, want 27"
trace_has "CDialog::EndDialog 2" || fail "the first launcher's modal run did not end with IDCANCEL"
echo "two launchers ran at once; each ended on its own Escape with status 27"
finish
