# The desktop tests' session: a private Xvfb display with openbox, the host
# build's launcher on it in a CD-root folder of its own, and the pointer and
# keys of xdotool. Sourced by each *_test.sh; everything started here is
# stopped by pid on the way out.
#
# Environment (set by CTest): ORVANE_EXE, the host launcher; ORVANE_RES_DIR,
# the bitmaps in res/; ORVANE_DESKTOP_WORK, a folder for the sessions.
set -euo pipefail
export LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY

readonly CLIENT_W=291 CLIENT_H=276
readonly SCREEN_W=1024 SCREEN_H=768
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

xvfb_pid="" wm_pid="" launcher_pid="" window=""
stop_all() {
    local rc=$?
    set +e
    if [ -n "$launcher_pid" ]; then kill "$launcher_pid"; wait "$launcher_pid"; fi 2>/dev/null
    if [ -n "$wm_pid" ]; then kill "$wm_pid"; wait "$wm_pid"; fi 2>/dev/null
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid"; wait "$xvfb_pid"; fi 2>/dev/null
    ((rc)) || rm -rf "$session_dir"
    exit "$rc"
}
trap stop_all EXIT

# wait_for SECONDS COMMAND...: polls COMMAND every 0.05 s until it succeeds.
# A status of 3 from COMMAND means it will never succeed.
wait_for() {
    local deadline=$((SECONDS + $1)) rc
    shift
    while :; do
        rc=0
        "$@" || rc=$?
        ((rc != 0)) || return 0
        ((rc != 3 && SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# Our own server is up on $DISPLAY: the display answers and its lock names
# our Xvfb (a server that lost the race for the number exits instead).
display_up() {
    kill -0 "$xvfb_pid" 2>/dev/null || return 3
    [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X${DISPLAY#:}-lock")" = "$xvfb_pid" ] &&
        xdotool getdisplaygeometry >/dev/null 2>&1
}
wm_up() {
    kill -0 "$wm_pid" 2>/dev/null || return 3
    timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# session_start: Xvfb on the first free display from :120, and openbox. A
# display whose server does not stay up for the window manager is given up
# for the next one.
session_start() {
    local n
    for n in $(seq 120 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null && continue
        Xvfb ":$n" -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp >"$session_dir/xvfb.log" 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        if wait_for 10 display_up; then
            openbox --config-file "$(dirname "${BASH_SOURCE[0]}")/openbox-rc.xml" >"$session_dir/openbox.log" 2>&1 &
            wm_pid=$!
            wait_for 10 wm_up && return 0
            kill "$wm_pid" 2>/dev/null || true
            wait "$wm_pid" 2>/dev/null || true
            wm_pid=""
        fi
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true  # lost the number to another server: try the next
        xvfb_pid=""
    done
    die "no free X display from :120 to :199"
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
    local tries=$(($1 * 20))
    while kill -0 "$launcher_pid" 2>/dev/null; do
        # A zombie has ended too; wait reaps it below.
        [ "$(ps -o stat= -p "$launcher_pid" 2>/dev/null | cut -c1)" = Z ] && break
        tries=$((tries - 1))
        ((tries > 0)) || return 1
        sleep 0.05
    done
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
