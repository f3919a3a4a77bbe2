# The desktop tests' session: a private Xvfb display with openbox, the host
# build's launcher on it in a CD-root folder of its own, the pointer and keys
# of xdotool, and the expected pictures. Sourced by each *_test.sh; everything
# started here is stopped by pid on the way out.
#
# Environment (set by CTest): ORVANE_EXE, the host launcher; ORVANE_RES_DIR,
# the bitmaps in res/; ORVANE_DESKTOP_WORK, a folder for the sessions.
set -euo pipefail
export LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY

readonly TITLE="Orvane 설치 CD"

failures=0
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    failures=$((failures + 1))
}
die() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}
finish() {
    if ((failures)); then
        printf '%d check(s) failed\n' "$failures" >&2
        exit 1
    fi
    echo "all checks passed"
}

source "$(dirname "${BASH_SOURCE[0]}")/../../tools/private_display.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../launcher_pictures.sh"

for v in ORVANE_EXE ORVANE_RES_DIR ORVANE_DESKTOP_WORK; do
    [ -n "${!v:-}" ] || die "$v is not set (run the test through ctest)"
done
[ -x "$ORVANE_EXE" ] || die "$ORVANE_EXE is not built"
for tool in Xvfb openbox xdotool xprop xwininfo import convert compare; do
    command -v "$tool" >/dev/null || die "$tool is not installed (tools/setup.sh installs it)"
done

mkdir -p "$ORVANE_DESKTOP_WORK"
session_dir=$(mktemp -d "$ORVANE_DESKTOP_WORK/$(basename "$0" .sh).XXXXXX")
cdroot="$session_dir/cdroot"
mkdir -p "$cdroot"
# Every step is traced into the session folder, which a failure keeps.
exec 19>"$session_dir/trace"
BASH_XTRACEFD=19
set -x

launcher_pid="" window=""
stop_all() {
    local rc=$?
    set +e
    launcher_stop
    display_stop
    ((rc)) || rm -rf "$session_dir"
    exit "$rc"
}
trap stop_all EXIT

# session_start [none]: the private display with the tests' openbox
# configuration, or with no window manager.
session_start() {
    local config=${1:-$(dirname "${BASH_SOURCE[0]}")/openbox-rc.xml}
    display_start "$session_dir" "$config" || die "no X display for the session"
}

# add_marker NAME: an executable NAME in the CD root that writes NAME.started
# (holding its current directory) when it runs.
add_marker() {
    printf '#!/bin/sh\npwd >> "%s.started"\n' "$1" >"$cdroot/$1"
    chmod +x "$cdroot/$1"
}

launcher_window() {
    window=$(xdotool search --onlyvisible --pid "$launcher_pid" 2>/dev/null | head -n1)
    [ -n "$window" ]
}

# The window shows the launcher's picture once its pixels are there: the
# background's top-left pixel is not the empty window's black.
painted() {
    screenshot "$session_dir/painted.png" &&
        [ "$(convert "$session_dir/painted.png" -crop 1x1+150+60 -depth 8 txt:- | tail -n1 | grep -o '#[0-9A-F]\{6\}')" != "#000000" ]
}

# launcher_start: the launcher in the CD root, its window found, shown and
# painted (with room for a sanitizer build on a loaded machine).
launcher_start() {
    (cd "$cdroot" && exec env -u ORVANE_PRESENTER "$ORVANE_EXE" >"$session_dir/launcher.out" 2>"$session_dir/launcher.err") &
    launcher_pid=$!
    wait_for 30 launcher_window || die "no launcher window appeared: $(cat "$session_dir/launcher.err")"
    wait_for 30 painted || die "the launcher window was never painted"
    timeout 3 xdotool windowfocus --sync "$window" 2>/dev/null || true
}

# launcher_ended SECONDS: waits for the launcher to end; its status in $status.
status=""
launcher_ended() {
    wait_for "$1" process_ended "$launcher_pid" || return 1
    set +e
    wait "$launcher_pid"
    status=$?
    set -e
    launcher_pid=""
}

# origin: the window's client origin on the screen, as "X Y".
origin() {
    xwininfo -id "$window" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x, y}'
}

# pointer_to X Y: the pointer to client (X, Y).
pointer_to() {
    local ox oy
    read -r ox oy <<<"$(origin)"
    xdotool mousemove "$((ox + $1))" "$((oy + $2))"
}

# pointer_away: the pointer to a corner of the screen, off the window.
pointer_away() { xdotool mousemove 2 2; }

screenshot() { timeout 5 import -window "$window" "png24:$1" 2>/dev/null; }

# launcher_stop: ends the launcher if it still runs, and forgets it.
launcher_stop() {
    if [ -n "$launcher_pid" ]; then
        kill "$launcher_pid" 2>/dev/null || true
        wait "$launcher_pid" 2>/dev/null || true
        launcher_pid=""
    fi
}

# click_at X Y: a left click at client (X, Y).
click_at() {
    pointer_to "$1" "$2"
    xdotool click 1
}

# shows HOT: a fresh screenshot shows HOT highlighted and every other sprite
# normal ("none": all five normal).
shows() {
    screenshot "$session_dir/shot.png"
    [ "$(frames_shown "$session_dir/shot.png")" = "$(frames_for "$1")" ]
}
