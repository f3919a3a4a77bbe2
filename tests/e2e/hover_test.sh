#!/usr/bin/env bash
# The pointer over a hot spot draws exactly that sprite in its highlighted
# frame; anywhere else in the window, every sprite is drawn normal. The edges
# follow the strict inside test: a hot spot's origin row and column, and the
# first pixel past its far edge, are outside it. Leaving the window straight
# from a hot spot brings no move inside it, so the highlight stays.
source "$(dirname "$0")/harness.sh"

# client x, client y, the sprite highlighted there ("none": no sprite)
readonly CASES=(
    "276  13 close"
    "276  14 close"
    "256  13 minimize"
    "257  14 minimize"
    "150  95 setup"
    "190  95 setup"
    "150 150 manual"
    "190 150 manual"
    "150 210 reader"
    "190 210 reader"
    "284 104 setup"     # the setup entry's last reacting pixel
    "285 104 none"      # one past it
    "268  13 none"      # the close button's origin column
    "268  14 none"
    "269   6 close"     # its first reacting pixel
    "249   5 none"      # the minimize button's origin row
    "190  85 none"      # the setup entry's origin row
    "285  95 none"      # one past the setup entry's right edge
    "101 159 manual"    # the manual entry's first column, last row
    "101 160 none"      # one below it
    "150 250 none"      # the bottom strip
)

session_start
launcher_start
previous=none
for c in "${CASES[@]}"; do
    read -r x y hot <<<"$c"
    pointer_to "$x" "$y"
    # When nothing should change, give a wrong change time to show.
    [ "$hot" = "$previous" ] && sleep 0.5
    previous=$hot
    if wait_for 5 shows "$hot"; then
        echo "($x,$y): $hot highlighted"
    else
        fail "pointer at ($x,$y): want $hot highlighted, shown $(what_shows)"
    fi
done
echo "${#CASES[@]} pointer positions checked"

pointer_to 190 210
wait_for 5 shows reader || fail "reader entry not highlighted: $(what_shows)"
pointer_away
sleep 1
shows reader || fail "leaving the window changed the highlight: $(what_shows)"
echo "after leaving the window: reader still highlighted"
finish
