#!/usr/bin/env bash
# The launcher sleeps while nothing happens: once its first frame is shown,
# 5 s without input wake its threads fewer than 50 times in all (the kernel's
# voluntary context switches: each is a sleep that ended). A presenter that
# polls for events wakes a thousand times a second. Loose on purpose: it
# catches polling, not a stray timer; the exact rate is a benchmark figure
# (tools/bench.sh).
source "$(dirname "$0")/harness.sh"
target_is_linux || die "the idle check reads Linux's /proc"
readonly IDLE_SECONDS=5 MAX_WAKEUPS=50

session_start
pointer_away
launcher_start
before=$(wakeups "$launcher_pid")
sleep "$IDLE_SECONDS"
after=$(wakeups "$launcher_pid")
launcher_running || die "the launcher ended while idle"
n=$((after - before))
((n < MAX_WAKEUPS)) || fail "$n wake-ups in ${IDLE_SECONDS} s idle (at most $((MAX_WAKEUPS - 1)))"
echo "$n wake-ups in ${IDLE_SECONDS} s idle"
finish
