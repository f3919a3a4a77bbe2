# The end-to-end suites' one harness: a private desktop (Xvfb with openbox,
# Xvfb alone, or weston's headless compositor with XWayland), one launcher
# started on it from a CD root, its window found and painted, the pointer,
# keys and screenshots of xdotool and ImageMagick, the expected pictures,
# and one fail/finish. Sourced by every behaviour script; each script holds
# one table of cases and runs it against the target that ORVANE_TARGET
# names:
#
#   host      the host build (ORVANE_EXE) on SDL, in an empty CD root
#   disc      the disc's Linux launcher, started by autorun.sh in the
#             extracted image (ORVANE_DISC_ISO) that is the CD root
#   wine-x64  the 64-bit Windows build under wine64 (ORVANE_EXE, ORVANE_PREFIX,
#   wine-x86  ORVANE_MARKER, ORVANE_PROBE); the product under i386 Wine, run
#             through tools/i386_namespace.sh
#
# Each target is an adapter (target_linux.sh, target_wine.sh) that starts
# the launcher, finds its window and plants programs for it to open.
# Everything started here is stopped by pid on the way out; a failing
# session's folder (trace, screenshots) is kept under ORVANE_E2E_WORK.
set -euo pipefail
export LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY

readonly TITLE="Orvane 설치 CD"
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly E2E_DIR

source "$E2E_DIR/../failures.sh"
source "$E2E_DIR/../../tools/private_display.sh"
source "$E2E_DIR/../launcher_pictures.sh"

ORVANE_TARGET=${ORVANE_TARGET:-host}
case $ORVANE_TARGET in
host | disc) source "$E2E_DIR/target_linux.sh" ;;
wine-x64 | wine-x86) source "$E2E_DIR/target_wine.sh" ;;
*) die "ORVANE_TARGET is '$ORVANE_TARGET', want host, disc, wine-x64 or wine-x86" ;;
esac
[ -n "${ORVANE_RES_DIR:-}" ] || die "ORVANE_RES_DIR is not set (run the test through ctest)"
for tool in xdotool xprop xwininfo import convert compare; do
    command -v "$tool" >/dev/null || die "$tool is not installed (tools/setup.sh installs it)"
done
target_check

work=${ORVANE_E2E_WORK:-${TMPDIR:-/tmp}}
mkdir -p "$work"
session_dir=$(mktemp -d "$work/$ORVANE_TARGET-$(basename "$0" .sh).XXXXXX")
# The launcher's current directory: the CD root.
cdroot="$session_dir/cdroot"
# Every step is traced into the session folder, which a failure keeps.
exec 19>"$session_dir/trace"
BASH_XTRACEFD=19
set -x

launcher_pid="" window="" status=""
wayland_pid=""
session_end() {
    local rc=$?
    set +e
    root_watch_stop
    launcher_stop
    target_end
    wayland_stop
    display_stop
    # A script that stops early after failed checks still fails.
    ((rc || !failures)) || rc=1
    if ((rc)); then
        echo "session files kept in $session_dir" >&2
    else
        rm -rf "$session_dir"
    fi
    exit "$rc"
}
trap session_end EXIT

# stop_started NAME: ends the process whose pid the variable NAME holds, if
# it still runs, and clears NAME.
stop_started() {
    local -n started_pid=$1
    [ -n "$started_pid" ] || return 0
    kill "$started_pid" 2>/dev/null || true
    wait "$started_pid" 2>/dev/null || true
    started_pid=""
}

# ---- the desktop -----------------------------------------------------------------

# session_start [openbox|none|xwayland]: the private display with the
# suites' openbox configuration (the default), with no window manager, or
# weston's headless compositor with its X server, XWayland. Then the CD root
# and what the target needs beside it.
session_desktop=""
session_start() {
    session_desktop=${1:-openbox}
    if [ "$session_desktop" != xwayland ]; then
        command -v Xvfb >/dev/null && command -v openbox >/dev/null ||
            die "Xvfb or openbox is not installed (tools/setup.sh installs them)"
    fi
    case $session_desktop in
    openbox) display_start "$session_dir" "$E2E_DIR/openbox-rc.xml" || die "no X display for the session" ;;
    none) display_start "$session_dir" none || die "no X display for the session" ;;
    xwayland) wayland_start ;;
    *) die "session_start: unknown desktop '$1'" ;;
    esac
    target_cdroot "$cdroot"
}

# wayland_start: weston on its headless back end, at the Xvfb screen's size,
# with XWayland; DISPLAY is the X display weston announces. Its runtime
# folder is the session's own. The back end has no pointer device: XWayland
# keeps its pointer at the screen's centre, which the centred window covers,
# and the X focus at PointerRoot, so keys reach the window once the pointer
# lies in it (launcher_start waits for that); it cannot move that pointer
# (XWayland 22.1 dies on XTEST's motion there).
wayland_start() {
    command -v weston >/dev/null && command -v Xwayland >/dev/null ||
        die "weston or Xwayland is not installed (packages weston, xwayland)"
    export XDG_RUNTIME_DIR="$session_dir/xdg"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    # weston looks for a free X display number among the sockets here, and
    # cannot make the folder itself.
    [ -d /tmp/.X11-unix ] || { mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix; }
    # It ends with the test even when the test is killed (a timeout).
    setpriv --pdeathsig TERM weston --backend=headless-backend.so --xwayland --socket="orvane-e2e-$$" \
        --width="$DISPLAY_W" --height="$DISPLAY_H" --idle-time=0 >"$session_dir/weston.log" 2>&1 &
    wayland_pid=$!
    wait_for 20 wayland_announced || die "weston announced no X display: $(tail -n5 "$session_dir/weston.log")"
    export DISPLAY
    DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$session_dir/weston.log" | head -n1)
    # XWayland itself starts with the first X client.
    wait_for 20 timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1 || die "XWayland does not answer on $DISPLAY"
}
wayland_announced() {
    kill -0 "$wayland_pid" 2>/dev/null || return 3
    grep -qs 'xserver listening on display :' "$session_dir/weston.log"
}
wayland_stop() { stop_started wayland_pid; }

# x_resources TEXT: the display's resource database, as xrdb -load leaves
# it on the root window (Xft.dpi, say); the launcher reads it when it starts.
x_resources() { xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$1"; }

# ---- the launcher ----------------------------------------------------------------

# launcher_start [DIR]: the launcher in DIR (the CD root by default) with
# tracing on, its window found, shown and painted (with room for a sanitizer
# or emulated build on a loaded machine), and given the focus if the desktop
# lets it (on XWayland, with the pointer in it).
# Its output goes to $launcher_name.out and .err in the session folder.
launch_dir="" launcher_name=launcher
launcher_start() {
    launch_dir=${1:-$cdroot}
    status=""
    target_launch >"$session_dir/$launcher_name.out" 2>"$session_dir/$launcher_name.err"
    wait_for 60 launcher_window || die "no launcher window appeared: $(launcher_output)"
    wait_for 30 painted || die "the launcher window was never painted"
    if [ "$session_desktop" = xwayland ]; then
        wait_for 10 pointer_in_window || die "XWayland's pointer never lay in the launcher window"
    else
        timeout 3 xdotool windowfocus --sync "$window" 2>/dev/null || true
    fi
}

# pointer_in_window: XWayland's fixed pointer lies in the launcher window,
# which is where its keys go (the X focus is PointerRoot there). XWayland
# now and then settles what lies under its pointer before the new window is
# ready for it, leaves the pointer on the root until the window tree changes
# again, and the keys go to the root. Raising the window, which is already
# on top, changes nothing on the screen and makes the server look again.
pointer_in_window() {
    [ "$(xdotool getmouselocation --shell 2>/dev/null | sed -n 's/^WINDOW=//p')" = "$window" ] && return 0
    xdotool windowraise "$window" 2>/dev/null || true
    return 1
}

launcher_window() {
    launcher_running || die "the launcher ended before its window showed: $(launcher_output)"
    window=$(target_window)
    [ -n "$window" ]
}

launcher_running() { [ -n "$launcher_pid" ] && kill -0 "$launcher_pid" 2>/dev/null && ! process_ended "$launcher_pid"; }

# What the launcher wrote, its trace among it (carriage returns dropped).
launcher_output() { cat "$session_dir/$launcher_name.out" "$session_dir/$launcher_name.err" 2>/dev/null | tr -d '\r'; }

# trace_has LINE: the launcher's trace holds "trace: LINE".
trace_has() { launcher_output | grep -qxF "trace: $1"; }

# The picture is there: the background's white margin at the top-left
# corner, its grey outline inside it, and no empty window's black inside.
painted() {
    screenshot "$session_dir/painted.png" || return 1
    [ "$(pixel "$session_dir/painted.png" 0 0)" = "255,255,255" ] &&
        [ "$(pixel "$session_dir/painted.png" 2 2)" = "126,126,126" ] &&
        [ "$(pixel "$session_dir/painted.png" 150 60)" != "0,0,0" ]
}

# launcher_ended SECONDS: waits for the launcher to end; its status in $status.
launcher_ended() {
    wait_for "$1" process_ended "$launcher_pid" || return 1
    status=0
    wait "$launcher_pid" || status=$?
    launcher_pid=""
}

# launcher_stop: ends the launcher if it still runs, and forgets it.
launcher_stop() { stop_started launcher_pid; }

# ---- the window ------------------------------------------------------------------

# window_geometry: "X Y W H" of the launcher's X window on the screen.
window_geometry() {
    xwininfo -id "$window" | awk '
        /Absolute upper-left X:/ {x = $NF} /Absolute upper-left Y:/ {y = $NF}
        /^  Width:/ {w = $NF} /^  Height:/ {h = $NF}
        END {print x, y, w, h}'
}

# origin: the window's client origin on the screen, as "X Y".
origin() { window_geometry | cut -d' ' -f1-2; }

# wm_state: the window's ICCCM state ("Normal", "Iconic"; empty if none).
wm_state() { xprop -id "$window" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p'; }
state_is() { [ "$(wm_state)" = "$1" ]; }

# map_state: IsViewable, IsUnMapped or IsUnviewable.
map_state() { xwininfo -id "$window" 2>/dev/null | sed -n 's/^[[:space:]]*Map State: //p'; }
window_viewable() { [ "$(map_state)" = IsViewable ]; }

# focus_window: gives the launcher window the keyboard focus, or fails.
focus_window() {
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || timeout 5 xdotool windowfocus --sync "$window" || true
    wait_for 5 window_has_focus || fail "the launcher window did not get the focus"
}
window_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }

# ---- pointer and pictures --------------------------------------------------------

# pointer_drivable: xdotool can move the session's pointer.
pointer_drivable() { [ "$session_desktop" != xwayland ]; }


# pointer_to X Y: the pointer to client (X, Y).
pointer_to() {
    pointer_drivable || die "the pointer cannot be moved on XWayland here"
    local ox oy
    read -r ox oy <<<"$(origin)"
    xdotool mousemove "$((ox + $1))" "$((oy + $2))"
}

# pointer_away: the pointer to a corner of the screen, off the window.
pointer_away() {
    pointer_drivable || die "the pointer cannot be moved on XWayland here"
    xdotool mousemove 2 2
}

# click_at X Y: a left click at client (X, Y), held for a moment as a hand
# would: a press in the drag band starts the window manager's move, which
# must still find the button down, or it waits for the next click.
click_at() {
    pointer_to "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    xdotool mouseup 1
}

# ---- a press that moves the window ----------------------------------------------
#
# A press in the drag band asks the window manager to move the window: a
# _NET_WM_MOVERESIZE client message to the root. A hand holds the button
# until the window follows. A script that lets go before the request is out
# leaves it to arrive after the release, and openbox's move then waits for
# the next click and takes that click for itself (the close button's, say).
# The launcher asks late whenever it is slow, as the emulated x86 build is on
# a loaded machine. The Linux launchers call such a late move off themselves
# (wm_move_test.sh), but Wine does not, and it asks after the minimize button
# too. So under Wine on openbox a press in the band is held until the
# request is out.

# in_drag_band X Y: client (X, Y) lies in the band that moves the window.
in_drag_band() { (($1 >= 1 && $1 <= 295 && $2 >= 1 && $2 <= 50)); }

# press_held X Y: the left button down where the pointer is, at client
# (X, Y), held for a moment; a press in the band, where a late request can
# stick, is held until the move request is out (or 30 s have gone, and a
# test's own check says what did not happen).
press_held() {
    if ! in_drag_band "$1" "$2" || [ "$session_desktop" != openbox ] || target_is_linux; then
        xdotool mousedown 1
        sleep 0.3
        return
    fi
    root_watch_start
    xdotool mousedown 1
    wait_for 30 move_requested || echo "no move request within 30 s of the press" >&2
    # openbox takes the pointer on the request's arrival.
    sleep 0.2
    root_watch_stop
}

# root_watch_start: xev on the root window, where the move requests go, its
# events in root-events; it listens once this returns.
root_watch_pid=""
root_watch_start() {
    : >"$session_dir/root-events"
    xev -root -event substructure -event property >"$session_dir/root-events" 2>/dev/null &
    root_watch_pid=$!
    wait_for 10 root_watch_listening || die "xev does not watch the root window"
}
root_watch_listening() {
    xprop -root -f _ORVANE_E2E_PING 32c -set _ORVANE_E2E_PING "$RANDOM"
    grep -q '(_ORVANE_E2E_PING)' "$session_dir/root-events"
}
root_watch_stop() { stop_started root_watch_pid; }
move_requested() { grep -q '(_NET_WM_MOVERESIZE)' "$session_dir/root-events"; }

# click_in_band X Y: a left click at client (X, Y) in the drag band, held
# until the window manager has the move.
click_in_band() {
    in_drag_band "$1" "$2" || die "click_in_band: ($1,$2) is not in the drag band"
    pointer_to "$1" "$2"
    sleep 0.2
    press_held "$1" "$2"
    xdotool mouseup 1
}

# drag_by X Y DX DY: press at client (X, Y), move the pointer by (DX, DY) in
# ten steps as a hand would, release. A press in the band is held until the
# window manager has the move.
drag_by() {
    local ox oy i
    read -r ox oy <<<"$(origin)"
    xdotool mousemove $((ox + $1)) $((oy + $2))
    sleep 0.2
    press_held "$1" "$2"
    for i in $(seq 1 10); do
        xdotool mousemove $((ox + $1 + $3 * i / 10)) $((oy + $2 + $4 * i / 10))
        sleep 0.03
    done
    sleep 0.3
    xdotool mouseup 1
    sleep 0.1 # a hand's pause before the next press
}

# screenshot FILE: the window's contents as a PNG.
screenshot() { timeout 5 import -silent -window "$window" "png24:$1" 2>/dev/null; }

# pixel FILE X Y: "R,G,B" of one pixel, 0..255 each.
pixel() {
    convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r+0.5)],%[fx:int(255*u.p{$2,$3}.g+0.5)],%[fx:int(255*u.p{$2,$3}.b+0.5)]" info:
}

# expected HOT: the expected picture with HOT highlighted ("none": every
# sprite normal) and the version label's rectangle blanked, made once.
expected() {
    local out="$session_dir/expected-$1.png"
    if [ ! -e "$out" ]; then
        expected_picture "$out" "$1"
        blank "$out" "$out" $(label_rect)
    fi
    echo "$out"
}

# differing HOT: how many pixels of a fresh screenshot's client area differ
# from the expected picture, the label left out.
differing() {
    screenshot "$session_dir/shot.png" || { echo "no screenshot"; return; }
    crop "$session_dir/shot.png" "$session_dir/client.png" 0 0 "$CLIENT_W" "$CLIENT_H"
    blank "$session_dir/client.png" "$session_dir/client.png" $(label_rect)
    pixels_differing "$session_dir/client.png" "$(expected "$1")"
}

# shows HOT: the whole client area but the label is the expected picture
# with exactly HOT highlighted.
shows() { [ "$(differing "$1")" = 0 ]; }

# what_shows: the frame each sprite shows in the last screenshot.
what_shows() { frames_shown "$session_dir/shot.png"; }
