#!/usr/bin/env bash
# The pointer over a hot spot highlights exactly that sprite; elsewhere in
# the window all five are normal. Hot spots react inside their edges only.
source "$(dirname "$0")/session.sh"

# client x, client y, the sprite highlighted there ("none": no sprite)
readonly CASES=(
    "276  13 close"
    "256  13 minimize"
    "150  95 setup"
    "150 150 manual"
    "150 210 reader"
    "268  13 none"      # the close button's origin column
    "284 104 setup"     # the setup entry's last reacting pixel
    "285 104 none"      # one past it
    "150 250 none"
)

session_start
launcher_start
for c in "${CASES[@]}"; do
    read -r x y hot <<<"$c"
    pointer_to "$x" "$y"
    if wait_for 5 shows "$hot"; then
        echo "($x,$y): $hot highlighted"
    else
        fail "pointer at ($x,$y): want $hot highlighted, shown $(frames_shown "$session_dir/shot.png")"
    fi
done
echo "${#CASES[@]} pointer positions checked"
finish
