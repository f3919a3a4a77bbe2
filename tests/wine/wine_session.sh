# Helpers for the end-to-end tests of the Windows build under Wine: a private
# X display with a window manager, a Wine prefix that has a Korean font, the
# launcher started from a chosen current directory, its window found, pointer
# and keys sent to it, screenshots of it and the expected pictures. Sourced by
# the *_test.sh scripts.
#
# The caller sets:
#   ORVANE_EXE      the launcher, build/windows-x64/OrvaneCD.exe
#   ORVANE_PREFIX   the Wine prefix folder (made on first use)
#   ORVANE_RES_DIR  the source tree's res/ folder (for the pictures)
#   ORVANE_MARKER   marker.exe, the stand-in for the programs on the CD
#   ORVANE_PROBE    probe.exe, which reports on the window through Win32
# Everything started here is stopped by session_end, which runs on exit.
# With ORVANE_E2E_KEEP set, a failing test keeps its session folder (trace,
# screenshots) and says where.

source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/private_display.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../launcher_pictures.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"

session_dir=""
launcher_pid=""
launcher_status=""
launcher_trace=""
win=""

note() {
    echo "$*" >&2
}

# ---- display ---------------------------------------------------------------

# Starts the private display with the Wine tests' window manager.
session_start() {
    session_dir=$(mktemp -d /tmp/orvane-e2e.XXXXXX)
    trap session_end EXIT
    display_start "$session_dir" "$(dirname "${BASH_SOURCE[0]}")/openbox-rc.xml" || fail "no X display for the session"
}

session_end() {
    local rc=$?
    launcher_kill
    [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
    display_stop
    if [ "$rc" -eq 0 ] || [ -z "${ORVANE_E2E_KEEP:-}" ]; then
        rm -rf "$session_dir"
    else
        note "session files kept in $session_dir"
    fi
    exit "$rc"
}

# ---- Wine prefix -------------------------------------------------------------

# The prefix (wine_prefix.sh), or the test fails.
prefix_ensure() { wine_prefix_ensure || fail "cannot make the Wine prefix $WINEPREFIX"; }

# ---- the launcher --------------------------------------------------------------

# launcher_start DIR: starts the launcher with DIR as its current directory and
# tracing on; waits for its window to show with its title.
launcher_start() {
    local dir=$1
    require_exe "$ORVANE_EXE"
    launcher_trace="$session_dir/trace.log"
    launcher_status=""
    ( cd "$dir" && ORVANE_TRACE=1 exec "$WINE" "$ORVANE_EXE" ) >"$launcher_trace" 2>&1 &
    launcher_pid=$!
    wait_for 60 launcher_window_shown || fail "no launcher window within 60 s"
    # The first paint sets the title; let the picture settle after it.
    wait_for 10 window_painted || fail "the launcher window was never painted"
}

launcher_window_shown() {
    launcher_running || fail "the launcher ended before its window showed (trace: $(cat "$launcher_trace"))"
    win=$(xdotool search --onlyvisible --name '^Orvane' 2>/dev/null | head -n1) || true
    [ -n "$win" ]
}

# The title comes with the first paint; the picture is there when the top-left
# corner shows the background's white margin and grey outline.
window_painted() {
    screenshot "$session_dir/first.png" 2>/dev/null || return 1
    [ "$(pixel "$session_dir/first.png" 0 0)" = "255,255,255" ] &&
        [ "$(pixel "$session_dir/first.png" 2 2)" = "126,126,126" ]
}

launcher_running() {
    [ -n "$launcher_pid" ] && kill -0 "$launcher_pid" 2>/dev/null
}

# launcher_wait_end SECONDS: waits for the launcher process to end and sets
# launcher_status to wine64's exit status.
launcher_wait_end() {
    local limit=$1
    wait_for "$limit" process_ended "$launcher_pid" || return 1
    local st=0
    wait "$launcher_pid" || st=$?
    launcher_status=$st
    launcher_pid=""
}

launcher_kill() {
    if [ -n "$launcher_pid" ]; then
        kill "$launcher_pid" 2>/dev/null || true
        wait "$launcher_pid" 2>/dev/null || true
        launcher_pid=""
    fi
}

# ---- the window --------------------------------------------------------------

# window_geometry: prints "X Y W H" of the launcher's X window on the screen.
window_geometry() {
    xwininfo -id "$win" | awk '
        /Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2}
        END {print x, y, w, h}'
}

# wm_state: the window's ICCCM state ("Normal", "Iconic"; empty if none).
wm_state() {
    xprop -id "$win" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p'
}

# map_state: IsViewable, IsUnMapped or IsUnviewable.
map_state() {
    xwininfo -id "$win" 2>/dev/null | sed -n 's/^[[:space:]]*Map State: //p'
}

window_iconic() {
    [ "$(wm_state)" = Iconic ] || [ "$(map_state)" = IsUnMapped ]
}

window_viewable() {
    [ "$(map_state)" = IsViewable ]
}

window_title() {
    xdotool getwindowname "$win"
}

# screenshot FILE: the window's contents as a PNG.
screenshot() {
    import -silent -window "$win" "png24:$1"
}

# pixel FILE X Y: "R,G,B" of one pixel, 0..255 each.
pixel() {
    convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)],%[fx:int(255*u.p{$2,$3}.g)],%[fx:int(255*u.p{$2,$3}.b)]" info:
}

# pointer_to X Y: moves the pointer to client position (X, Y) of the window.
pointer_to() {
    xdotool mousemove --window "$win" "$1" "$2"
}

# pointer_away: the pointer to the screen's corner, off the window.
pointer_away() {
    xdotool mousemove 1 1
}

# click_at X Y: a left click at client position (X, Y), held for a moment as
# a hand would: a press in the drag band starts the window manager's move,
# which must still find the button down, or it waits for the next click.
click_at() {
    pointer_to "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    xdotool mouseup 1
}

# focus_window: gives the launcher window the keyboard focus.
focus_window() {
    xdotool windowactivate --sync "$win" >/dev/null 2>&1 || xdotool windowfocus --sync "$win"
    wait_for 5 window_has_focus || fail "the launcher window did not get the focus"
}

window_has_focus() {
    [ "$(xdotool getwindowfocus)" = "$win" ]
}

# trace_has LINE: the launcher's trace holds "trace: LINE".
trace_has() {
    tr -d '\r' <"$launcher_trace" | grep -qxF "trace: $1"
}

# probe FILE: writes what Win32 reports on the launcher window (probe.c).
probe() {
    "$WINE" "$ORVANE_PROBE" 2>/dev/null | tr -d '\r' >"$1" || true
}

# probed FILE KEY: the rest of the line KEY of a probe's report.
probed() {
    sed -n "s/^$2 //p" "$1"
}
