#!/usr/bin/env bash
# A whole scripted session of the host launcher under valgrind's memcheck:
# 10,000 moves over every hot spot and outside them, presses on the three
# entries with their files absent (an empty current directory), minimize
# and restore, a paint of a small area, Escape. Fails on any memcheck error
# (invalid or uninitialised read included) and on memory definitely lost.
# valgrind.supp names the few reports that are about libraries.
#   valgrind_session.sh EXE
set -euo pipefail
exe=$1
supp=$(cd "$(dirname "$0")" && pwd)/valgrind.supp
work=$(mktemp -d /tmp/orvane-valgrind-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/cwd"

# Ten rounds over the five hot spots (close and minimize only hovered) and
# two points outside them: 10 x (5 x 150 + 2 x 125) = 10,000 moves.
script="report"
for _ in $(seq 10); do
  for spot in "276 13" "256 13" "150 95" "150 150" "150 210"; do
    script+="; repeat 150 move $spot"
  done
  script+="; repeat 125 move 20 30; repeat 125 move 400 300"
done
script+="; click 150 95; click 150 150; click 150 210"
script+="; minimize; report; restore; invalidate 100 140 40 20; report; key ESCAPE"

status=0
(cd "$work/cwd" &&
  env ORVANE_PRESENTER=headless ORVANE_HEADLESS_SCRIPT="$script" \
    valgrind --quiet --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
             --track-origins=yes --suppressions="$supp" --log-file="$work/memcheck.log" \
             "$exe" >"$work/out" 2>"$work/err") || status=$?

cat "$work/memcheck.log" >&2
if [ "$status" -ne 27 ]; then
  # Escape ends the run with the key's code; 99 is memcheck's own.
  echo "valgrind session: exit status $status, expected 27 (Escape)" >&2
  cat "$work/err" >&2
  exit 1
fi
reports=$(grep -c '^window ' "$work/out" || true)
minimized=$(awk '$1 == "window" && $6 == 1 && $7 == 1' "$work/out" | wc -l)
if [ "$reports" -ne 3 ] || [ "$minimized" -ne 1 ]; then
  echo "valgrind session: expected three reports, the second minimized:" >&2
  cat "$work/out" >&2
  exit 1
fi
if [ -n "$(ls -A "$work/cwd")" ]; then
  echo "valgrind session: the run left files in its current directory" >&2
  exit 1
fi
echo "valgrind session: clean ($(wc -l <"$work/memcheck.log") lines from memcheck)"
