#!/usr/bin/env bash
# From the disc's root as its current directory, the disc's own launcher
# (the 32-bit product, under Wine's i386 build in a 32-bit prefix) starts the
# disc's Setup.exe when its setup entry is clicked. The disc's Setup.exe is
# marker_setup.c, built for 32-bit Windows: it writes setup_started.txt into
# its current directory.
#
#   setup_launch_test.sh FIXTURE WORK
#
# WORK holds the extracted disc and the logs; the Wine prefix is the Wine
# tests' ($ORVANE_PREFIX, made on first use; ORVANE_WINE_ARCH=x86). It runs
# where i386 programs run (tools/i386_namespace.sh). Everything started here
# is stopped on the way out.
FIXTURE=$1 work=$2
mkdir -p "$work"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/../../tools/private_display.sh"
source "$(dirname "$0")/../wine/wine_prefix.sh"

# The setup entry reacts on client x 101..284, y 86..104; the window has no
# border, so its client origin is its top-left corner.
readonly SETUP_X=150 SETUP_Y=95
readonly MARKER=setup_started.txt

die() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }
for tool in "$WINE" "$WINESERVER" Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || die "$tool is not installed (tools/setup.sh installs it)"
done

launcher_pid="" wine_started=""
stop_all() {
    local rc=$?
    set +e # every step runs, whatever the one before it returned
    if [ -n "$launcher_pid" ]; then kill "$launcher_pid"; wait "$launcher_pid"; fi 2>/dev/null
    [ -z "$wine_started" ] || "$WINESERVER" -k >/dev/null 2>&1
    display_stop
    exit "$rc"
}
trap stop_all EXIT

# ---- the disc ------------------------------------------------------------------

disc="$work/disc"
extract "$FIXTURE/full/OrvaneCD.iso" "$disc" || die "cannot extract the full image"
[ -f "$disc/Setup.exe" ] && [ -f "$disc/OrvaneCD.exe" ] || die "the full image lacks Setup.exe or OrvaneCD.exe"
[ ! -e "$disc/$MARKER" ] || die "the disc already holds $MARKER"

# ---- display and Wine ------------------------------------------------------------

display_start "$work" || die "no X display for the launcher"

wine_started=1
wine_prefix_ensure || die "cannot make the Wine prefix $WINEPREFIX"

# ---- the click -------------------------------------------------------------------

(cd "$disc" && exec "$WINE" OrvaneCD.exe) >"$work/launcher.log" 2>&1 &
launcher_pid=$!

win=""
window_shown() {
    kill -0 "$launcher_pid" 2>/dev/null || die "the launcher ended before its window showed: $(cat "$work/launcher.log")"
    win=$(xdotool search --onlyvisible --name Orvane 2>/dev/null | head -n1) || true
    [ -n "$win" ]
}
wait_for 90 window_shown || die "no launcher window within 90 s"

xdotool mousemove --window "$win" "$SETUP_X" "$SETUP_Y"
sleep 0.3
xdotool click 1
wait_for 30 test -s "$disc/$MARKER" || die "Setup.exe did not start within 30 s of the click on the setup entry"

# Setup.exe's current directory is the disc's root.
started_in=$(tr -d '\r\n' <"$disc/$MARKER")
[[ ${started_in,,} == *'\disc' ]] || fail "Setup.exe ran in '$started_in', not in the disc's root"

# ---- the end ----------------------------------------------------------------------

xdotool windowfocus "$win" 2>/dev/null || true
sleep 0.2
xdotool key Escape
if wait_for 30 process_ended "$launcher_pid"; then
    wait "$launcher_pid" 2>/dev/null || true
    launcher_pid=""
else
    fail "the launcher did not end within 30 s of Escape"
fi
"$WINESERVER" -k >/dev/null 2>&1 || true
wine_started=""
finish
