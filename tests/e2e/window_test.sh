#!/usr/bin/env bash
# The launcher's window: borderless (no frame from the window manager, the
# window exactly the client area), centred on the screen, with the
# launcher's title, its icon and a taskbar entry. Under Wine, Win32 agrees:
# a bare popup whose window rectangle is its client rectangle, the X
# window's.
#   window_test.sh [openbox|xwayland]   the desktop it runs on
source "$(dirname "$0")/harness.sh"
desktop=${1:-openbox}
session_start "$desktop"
launcher_start

read -r x y w h <<<"$(window_geometry)"
[ "$w $h" = "$CLIENT_W $CLIENT_H" ] || fail "window is ${w}x${h}, not ${CLIENT_W}x${CLIENT_H}"

read -r sw sh <<<"$(xdotool getdisplaygeometry)"
for axis in "x $x $w $sw" "y $y $h $sh"; do
    read -r name at size screen <<<"$axis"
    off=$((2 * at - (screen - size)))
    ((off >= -1 && off <= 1)) || fail "not centred in $name: at $at, size $size, screen $screen"
done

name=$(xdotool getwindowname "$window")
[ "$name" = "$TITLE" ] || fail "title '$name', not '$TITLE'"
# The older WM_NAME too, for whatever reads only that: in a type that says
# how its bytes decode (not STRING, which is Latin-1).
wm_name=$(xprop -id "$window" WM_NAME)
[[ "$wm_name" =~ ^WM_NAME\((UTF8_STRING|COMPOUND_TEXT)\)\ =\ \"(.*)\"$ && "${BASH_REMATCH[2]}" = "$TITLE" ]] ||
    fail "WM_NAME does not decode to the title: $wm_name"

if [ "$desktop" = openbox ]; then
    extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //')
    [ "$extents" = "0, 0, 0, 0" ] || fail "the window manager frames the window: $extents"
    frame=$(xwininfo -id "$window" -frame | awk '/^  Width:/ {w = $NF} /^  Height:/ {h = $NF} END {print w, h}')
    [ "$frame" = "$w $h" ] || fail "framed size $frame, window $w $h"
    icon=$(xprop -id "$window" -notype 32c _NET_WM_ICON | cut -c1-40)
    [[ "$icon" == *"= 32, 32,"* ]] || fail "no 32x32 window icon: $icon"
    state=$(xprop -id "$window" _NET_WM_STATE)
    [[ "$state" != *SKIP_TASKBAR* ]] || fail "the window stays off the taskbar: $state"
fi

if ! target_is_linux; then
    probe "$session_dir/probe.txt"
    [ "$(probed "$session_dir/probe.txt" title)" = "$TITLE" ] ||
        fail "Win32 title is '$(probed "$session_dir/probe.txt" title)'"
    # No caption, border or frame in the window's styles, and no non-client
    # area: the window rectangle is the client rectangle.
    style=$(probed "$session_dir/probe.txt" style)
    exstyle=$(probed "$session_dir/probe.txt" exstyle)
    ((style & 0x80000000)) || fail "style $style lacks WS_POPUP"
    (((style & 0x00C40000) == 0)) || fail "style $style has a caption, border or sizing frame"
    (((exstyle & 0x00020321) == 0)) || fail "extended style $exstyle has an edge or modal frame"
    win32=$(probed "$session_dir/probe.txt" window)
    [ "$(probed "$session_dir/probe.txt" client)" = "$win32" ] ||
        fail "client area $(probed "$session_dir/probe.txt" client) differs from the window $win32"
    [ "$win32" = "$x $y $w $h" ] || fail "X geometry $x $y $w $h, Win32 $win32"
    [ "$(probed "$session_dir/probe.txt" screen)" = "$sw $sh" ] ||
        fail "Win32 screen $(probed "$session_dir/probe.txt" screen), X screen $sw $sh"
fi
echo "window ${w}x${h} at ($x,$y) on ${sw}x${sh}, '$name'"
finish
