#!/usr/bin/env bash
# A click on the setup entry starts ./Setup.exe from the launcher's current
# directory, once per click; the launcher stays open. A click on an entry
# whose file is missing changes nothing.
source "$(dirname "$0")/session.sh"
session_start
add_marker Setup.exe
launcher_start

started_count() { [ -e "$cdroot/Setup.exe.started" ] && wc -l <"$cdroot/Setup.exe.started" || echo 0; }
count_is() { [ "$(started_count)" = "$1" ]; }

click_at 150 95
wait_for 5 count_is 1 || fail "Setup.exe did not start"
[ "$(head -n1 "$cdroot/Setup.exe.started" 2>/dev/null)" = "$cdroot" ] ||
    fail "Setup.exe ran in '$(head -n1 "$cdroot/Setup.exe.started" 2>/dev/null)', not the launcher's directory"
click_at 150 95
wait_for 5 count_is 2 || fail "a second click did not start Setup.exe again ($(started_count) starts)"

# The ended Setup.exe is reaped while the desktop sends nothing more: no
# zombie is left among the launcher's children.
zombies() { ps -o stat= --ppid "$launcher_pid" 2>/dev/null | grep -c '^Z' || true; }
no_zombies() { [ "$(zombies)" = 0 ]; }
wait_for 5 no_zombies || fail "$(zombies) ended program(s) left as zombies of the launcher"

# No manual.pdf, no reader installer in this CD root.
click_at 150 150
click_at 150 210
sleep 0.5
kill -0 "$launcher_pid" 2>/dev/null || fail "the launcher ended after clicks on missing files"
xdotool search --onlyvisible --pid "$launcher_pid" >/dev/null || fail "the launcher window went away"
echo "Setup.exe started $(started_count) times from $cdroot"
finish
