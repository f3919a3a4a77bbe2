#!/usr/bin/env bash
# The X server goes away under the launcher (stopped, or crashed): the
# launcher says so and ends with the status of a session without a display,
# at once. It neither hangs nor spins on the dead connection (Xlib's own
# handler exits, and the exit handlers then wait on that connection).
source "$(dirname "$0")/harness.sh"
target_is_linux || die "a test of the Linux launchers' X connection"

session_start none
launcher_start
display_stop
if launcher_ended 15; then
    [ "$status" = 3 ] || fail "status $status after the display went, not 3"
    launcher_output | grep -q "^OrvaneCD: the connection to the X display .* is lost$" ||
        fail "the launcher did not say that its display went: $(launcher_output | tail -n 3)"
else
    fail "the launcher still runs 15 s after its display went ($(ps -o pcpu= -p "$launcher_pid")% CPU)"
fi
finish
