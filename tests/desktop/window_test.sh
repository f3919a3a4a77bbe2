#!/usr/bin/env bash
# The launcher's desktop window: borderless (no frame from the window
# manager, the window exactly the client area), centred on the screen, with
# the launcher's title, its icon and a taskbar entry.
source "$(dirname "$0")/session.sh"
session_start
launcher_start

read -r w h <<<"$(xwininfo -id "$window" | awk '/^  Width:/ {w = $NF} /^  Height:/ {h = $NF} END {print w, h}')"
[ "$w $h" = "$CLIENT_W $CLIENT_H" ] || fail "window is ${w}x${h}, not ${CLIENT_W}x${CLIENT_H}"

extents=$(xprop -id "$window" _NET_FRAME_EXTENTS)
[[ "$extents" == *"= 0, 0, 0, 0" ]] || fail "the window manager frames the window: $extents"

read -r x y <<<"$(origin)"
want_x=$(((DISPLAY_W - CLIENT_W) / 2)) want_y=$(((DISPLAY_H - CLIENT_H) / 2))
((x >= want_x - 1 && x <= want_x + 1 && y >= want_y - 1 && y <= want_y + 1)) ||
    fail "window at ($x,$y), not centred at ($want_x,$want_y)"

name=$(xdotool getwindowname "$window")
[ "$name" = "$TITLE" ] || fail "title '$name', not '$TITLE'"
# The older WM_NAME too, for whatever reads only that: in a type that says
# how its bytes decode (not STRING, which is Latin-1).
wm_name=$(xprop -id "$window" WM_NAME)
[[ "$wm_name" =~ ^WM_NAME\((UTF8_STRING|COMPOUND_TEXT)\)\ =\ \"(.*)\"$ && "${BASH_REMATCH[2]}" = "$TITLE" ]] ||
    fail "WM_NAME does not decode to the title: $wm_name"

icon=$(xprop -id "$window" -notype 32c _NET_WM_ICON | cut -c1-40)
[[ "$icon" == *"= 32, 32,"* ]] || fail "no 32x32 window icon: $icon"

state=$(xprop -id "$window" _NET_WM_STATE)
[[ "$state" != *SKIP_TASKBAR* ]] || fail "the window stays off the taskbar: $state"
echo "window ${w}x${h} at ($x,$y), '$name', frame: $extents"
finish
