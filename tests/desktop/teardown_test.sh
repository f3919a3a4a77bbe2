#!/usr/bin/env bash
# An X error that comes back while the SDL presenter closes its display
# is reported, and does not end the process (Xlib's own handler would, with
# status 1): the launcher's close button ends it with its own status.
source "$(dirname "$0")/../e2e/harness.sh"
[ -x "${ORVANE_SDL_TEARDOWN:-}" ] || die "ORVANE_SDL_TEARDOWN is not built"
session_start
set +e
out=$(timeout 30 env -u ORVANE_PRESENTER "$ORVANE_SDL_TEARDOWN" 2>"$session_dir/teardown.err")
rc=$?
set -e
[ "$rc" = 0 ] || fail "status $rc, not 0: $(cat "$session_dir/teardown.err")"
[ "$out" = "torn down" ] || fail "stdout '$out', not 'torn down'"
grep -q '^OrvaneCD: X error ignored: BadWindow' "$session_dir/teardown.err" ||
    fail "no BadWindow reported: $(cat "$session_dir/teardown.err")"
finish
