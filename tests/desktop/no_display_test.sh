#!/usr/bin/env bash
# Without a display the launcher says so and how to run without one, and
# ends with status 3; a presenter name it does not know ends it with 2.
source "$(dirname "$0")/../e2e/harness.sh"

# presenter, DISPLAY, expected status, expected text on stderr
readonly CASES=(
    "sdl   -      3 cannot open a display: .*; set ORVANE_PRESENTER=headless to run without one"
    "-     -      3 cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set"
    "sdl   :9999  3 cannot open a display: no display answers at DISPLAY=:9999"
    "gdi   -      2 ORVANE_PRESENTER=\"gdi\" is not a presenter; use sdl or headless"
)
for c in "${CASES[@]}"; do
    read -r presenter display want text <<<"$c"
    env=(env -u DISPLAY -u WAYLAND_DISPLAY -u ORVANE_PRESENTER)
    [ "$presenter" = - ] || env+=("ORVANE_PRESENTER=$presenter")
    [ "$display" = - ] || env+=("DISPLAY=$display")
    rc=0
    err=$(timeout 20 "${env[@]}" "$ORVANE_EXE" 2>&1 >/dev/null) || rc=$?
    [ "$rc" = "$want" ] || fail "presenter $presenter, display $display: status $rc, not $want"
    grep -q "^OrvaneCD: $text" <<<"$err" || fail "presenter $presenter, display $display: stderr '$err'"
done
finish
