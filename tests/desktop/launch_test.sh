#!/usr/bin/env bash
# A click on the setup entry starts ./Setup.exe from the launcher's current
# directory, once per click; the launcher stays open. A click on an entry
# whose file is missing changes nothing.
#
# launch_test.sh [iso]: with "iso" the CD root holds the entries' files
# named as an ISO 9660 disc without extensions shows them, in upper case
# (SETUP.EXE, MANUAL.PDF, and ADBERDR70_KOR.EXE, a Windows program marked
# executable as such a disc marks every file); the manual and the reader
# then reach the desktop's opener by their names on the disc.
source "$(dirname "$0")/session.sh"
session_start
layout=${1:-named}
case "$layout" in
named) setup=Setup.exe manual="" reader="" ;;
iso) setup=SETUP.EXE manual=MANUAL.PDF reader=ADBERDR70_KOR.EXE ;;
*) die "unknown layout '$layout'" ;;
esac
add_marker "$setup"
if [ -n "$manual" ]; then
    printf '%%PDF-1.4\n' >"$cdroot/$manual"
    printf 'MZ\x90\0' >"$cdroot/$reader"
    chmod 0555 "$cdroot/$reader"
fi
# The desktop's opener is a spy that logs what it is given.
mkdir -p "$session_dir/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' "$session_dir/opened" >"$session_dir/bin/xdg-open"
chmod +x "$session_dir/bin/xdg-open"
export PATH="$session_dir/bin:$PATH"
launcher_start

started="$cdroot/$setup.started"
started_count() { [ -e "$started" ] && wc -l <"$started" || echo 0; }
count_is() { [ "$(started_count)" = "$1" ]; }

click_at 150 95
wait_for 5 count_is 1 || fail "$setup did not start"
[ "$(head -n1 "$started" 2>/dev/null)" = "$cdroot" ] ||
    fail "$setup ran in '$(head -n1 "$started" 2>/dev/null)', not the launcher's directory"
click_at 150 95
wait_for 5 count_is 2 || fail "a second click did not start $setup again ($(started_count) starts)"

# The ended program is reaped while the desktop sends nothing more: no
# zombie is left among the launcher's children.
zombies() { ps -o stat= --ppid "$launcher_pid" 2>/dev/null | grep -c '^Z' || true; }
no_zombies() { [ "$(zombies)" = 0 ]; }
wait_for 5 no_zombies || fail "$(zombies) ended program(s) left as zombies of the launcher"

# The manual, then the reader installer: to the opener when the disc has
# them, else nothing at all.
opened() { cat "$session_dir/opened" 2>/dev/null || true; }
opened_is() { [ "$(opened)" = "$1" ]; }
click_at 150 150
click_at 150 210
if [ -n "$manual" ]; then
    want=$(printf '%s\n%s' "$cdroot/$manual" "$cdroot/$reader")
    wait_for 5 opened_is "$want" || fail "the opener was given '$(opened)', not '$want'"
else
    sleep 0.5
    opened_is "" || fail "missing files reached the opener: $(opened)"
fi
kill -0 "$launcher_pid" 2>/dev/null || fail "the launcher ended after clicks on the manual and the reader"
xdotool search --onlyvisible --pid "$launcher_pid" >/dev/null || fail "the launcher window went away"
echo "$setup started $(started_count) times from $cdroot ($layout layout)"
finish
