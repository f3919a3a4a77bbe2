#!/usr/bin/env bash
# Set-up, build, and start the launcher on the desktop, from the current
# directory as its CD root (the folder holding Setup.exe, manual.pdf and
# AdbeRdr70_kor.exe).
#
# Without a desktop (no DISPLAY or WAYLAND_DISPLAY, or one that does not
# answer) it starts a private Xvfb display with openbox, runs the launcher
# there, saves a screenshot of its window to build/host/run-screenshot.png,
# then ends the launcher with Escape and stops what it started.
#
# ORVANE_BUILD_DIR names another, already configured, build folder to use
# instead of the host preset's build/host.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/tools/private_display.sh"

bash "$root/tools/setup.sh" --run
if [ -n "${ORVANE_BUILD_DIR:-}" ]; then
    build="$(cd "$ORVANE_BUILD_DIR" && pwd)"
    cmake --build "$build" -j2 --target OrvaneCD
else
    build="$root/build/host"
    # A first configuration leaves the tests out: their toolchains (GoogleTest,
    # the Windows cross compilers) are not installed for running. A folder that
    # tools/test.sh configured keeps them.
    tests=()
    [ -f "$build/CMakeCache.txt" ] || tests=(-DORVANE_TESTS=OFF)
    (cd "$root" && cmake --preset host "${tests[@]}" >/dev/null && cmake --build --preset host --target OrvaneCD)
fi
exe="$build/OrvaneCD"

desktop_answers() {
    if [ -n "${DISPLAY:-}" ]; then
        xdpyinfo >/dev/null 2>&1 || xdotool getdisplaygeometry >/dev/null 2>&1
    else
        [ -n "${WAYLAND_DISPLAY:-}" ]
    fi
}
if desktop_answers; then
    exec env ORVANE_PRESENTER=sdl "$exe" "$@"
fi

echo "run: no desktop answers here; starting the launcher on a private Xvfb display"
shot="$build/run-screenshot.png"
work="$(mktemp -d)"
launcher_pid=""
stop_all() {
    set +e
    if [ -n "$launcher_pid" ]; then kill "$launcher_pid"; wait "$launcher_pid"; fi 2>/dev/null
    display_stop
    rm -rf "$work"
}
trap stop_all EXIT

display_start "$work" || { echo "run: cannot start a private display" >&2; exit 1; }
unset WAYLAND_DISPLAY

ORVANE_PRESENTER=sdl "$exe" "$@" &
launcher_pid=$!
window=""
find_window() { window=$(xdotool search --onlyvisible --pid "$launcher_pid" 2>/dev/null | head -n1); [ -n "$window" ]; }
wait_for 10 find_window || { echo "run: the launcher showed no window" >&2; exit 1; }
sleep 0.5 # its first paint
mkdir -p "$(dirname "$shot")"
import -window "$window" "$shot"
echo "run: the launcher's window ($(xdotool getwindowname "$window")) is in $shot"

xdotool windowfocus "$window" key Escape 2>/dev/null || true
if wait_for 5 process_ended "$launcher_pid"; then
    status=0
    wait "$launcher_pid" || status=$?
    launcher_pid=""
    echo "run: Escape ended the launcher (status $status)"
else
    echo "run: the launcher did not end on Escape; stopping it" >&2
fi
