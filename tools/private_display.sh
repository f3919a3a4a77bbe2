# A private X display for a desktop session on a machine without one: Xvfb
# on the first free display number, with openbox on it (minimizing, focus and
# the desktop's close command need a window manager), and the waits that the
# sessions on it share. Sourced by tools/run.sh and by the desktop, Wine and
# CD end-to-end tests.
#
#   display_start LOGDIR [OPENBOX_CONFIG]
#       Starts both, logging into LOGDIR, and exports DISPLAY. Without a
#       config file openbox runs with its defaults; with "none" there is no
#       window manager at all. Returns 1, with a message
#       on stderr, when no display number from :90 to :199 gives a server
#       that stays up with the window manager.
#   display_stop
#       Stops what display_start started, by its process ids. Callers stop
#       their own programs on the display first.
#   wait_for SECONDS COMMAND...
#       Runs COMMAND every 0.05 s until it succeeds (status 0) or SECONDS
#       pass; a status of 3 from COMMAND means it never will.
#   process_ended PID
#       PID has ended: it is gone, or a zombie that its parent has yet to
#       reap (kill -0 still finds those).
#   wakeups PID
#       How often PID's threads have slept and woken so far: the sum of
#       their voluntary context switches.
#   cpu_ticks PID
#       PID's CPU time so far, user and system, in clock ticks (getconf
#       CLK_TCK a second).
#
# The screen is DISPLAY_W x DISPLAY_H x 24.

readonly DISPLAY_W=1024 DISPLAY_H=768

display_xvfb_pid=""
display_wm_pid=""
display_wm_ready=""

wait_for() {
    # Microseconds, so that the wait is the whole SECONDS, not up to a
    # second less.
    local deadline=$((${EPOCHREALTIME/./} + $1 * 1000000)) rc
    shift
    while :; do
        rc=0
        "$@" || rc=$?
        ((rc != 0)) || return 0
        ((rc != 3 && ${EPOCHREALTIME/./} < deadline)) || return 1
        sleep 0.05
    done
}

process_ended() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null || true)
    [ -z "$state" ] || [[ $state == Z* ]]
}

wakeups() {
    cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches:/ {n += $2} END {print n + 0}'
}

# The fields after the command name, which may hold spaces: utime and stime
# are the stat line's 14th and 15th.
cpu_ticks() {
    sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'
}

# Our own server answers on $DISPLAY: its lock names our Xvfb. One that lost
# the race for the number to another server exits instead.
display_server_up() {
    kill -0 "$display_xvfb_pid" 2>/dev/null || return 3
    [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X${DISPLAY#:}-lock")" = "$display_xvfb_pid" ] &&
        xdotool getdisplaygeometry >/dev/null 2>&1
}

# openbox names itself on the root (_NET_SUPPORTING_WM_CHECK) early in its
# start, before it takes the windows it finds and handles their requests; a
# window mapped in between may never be managed, and SDL waits forever for
# its map. Ready is when openbox has run its start-up command.
display_wm_up() {
    kill -0 "$display_wm_pid" 2>/dev/null || return 3
    [ -e "$display_wm_ready" ] &&
        timeout 5 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# display_free N: nothing holds display number N, not even an abstract socket.
display_free() {
    [ ! -e "/tmp/.X$1-lock" ] && [ ! -e "/tmp/.X11-unix/X$1" ] &&
        ! grep -q "@/tmp/.X11-unix/X$1\$" /proc/net/unix 2>/dev/null
}

display_start() {
    local logdir=$1 config=${2:-} n
    display_wm_ready=$logdir/openbox.ready
    local -a wm=(openbox --startup "touch '$display_wm_ready'")
    [ -z "$config" ] || wm+=(--config-file "$config")
    for n in $(seq 90 199); do
        display_free "$n" || continue
        # -noreset: the server keeps its state while no client is connected
        # (Wine connects and disconnects while its prefix is made).
        Xvfb ":$n" -screen 0 "${DISPLAY_W}x${DISPLAY_H}x24" -nolisten tcp -noreset \
            >"$logdir/xvfb.log" 2>&1 &
        display_xvfb_pid=$!
        export DISPLAY=":$n"
        if wait_for 10 display_server_up; then
            [ "$config" != none ] || return 0
            rm -f "$display_wm_ready"
            "${wm[@]}" >"$logdir/openbox.log" 2>&1 &
            display_wm_pid=$!
            wait_for 10 display_wm_up && return 0
        fi
        display_stop # a server or window manager that did not stay up: try the next number
    done
    echo "no free X display from :90 to :199 (Xvfb's last log: $logdir/xvfb.log)" >&2
    return 1
}

display_stop() {
    local pid
    for pid in "$display_wm_pid" "$display_xvfb_pid"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    display_wm_pid="" display_xvfb_pid=""
}
