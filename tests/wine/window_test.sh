#!/usr/bin/env bash
# The window opens as a bare, borderless popup centred on the screen, and its
# first paint gives it the title "Orvane 설치 CD".
source "$(dirname "$0")/wine_session.sh"

prefix_ensure
session_start
launcher_start "$session_dir"

[ "$(window_title)" = "Orvane 설치 CD" ] || fail "X window title is '$(window_title)'"
probe "$session_dir/probe.txt"
[ "$(probed "$session_dir/probe.txt" title)" = "Orvane 설치 CD" ] ||
    fail "Win32 title is '$(probed "$session_dir/probe.txt" title)'"

# No caption, border or frame in the window's styles, and no non-client area:
# the window rectangle is the client rectangle.
style=$(probed "$session_dir/probe.txt" style)
exstyle=$(probed "$session_dir/probe.txt" exstyle)
(( style & 0x80000000 )) || fail "style $style lacks WS_POPUP"
(( (style & 0x00C40000) == 0 )) || fail "style $style has a caption, border or sizing frame"
(( (exstyle & 0x00020321) == 0 )) || fail "extended style $exstyle has an edge or modal frame"
read -r wx wy ww wh <<<"$(probed "$session_dir/probe.txt" window)"
[ "$(probed "$session_dir/probe.txt" client)" = "$wx $wy $ww $wh" ] ||
    fail "client area $(probed "$session_dir/probe.txt" client) differs from the window $wx $wy $ww $wh"

# The template's 166 x 184 dialog units in the prefix's Gulim-metric face
# (average width 7, height 12) make 291 x 276 pixels.
[ "$ww $wh" = "291 276" ] || fail "window $ww x $wh, not the template's 291 x 276"

# The X window is that rectangle, and the window manager adds no frame to it.
[ "$(window_geometry)" = "$wx $wy $ww $wh" ] || fail "X geometry $(window_geometry), Win32 $wx $wy $ww $wh"
extents=$(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= //')
[ "$extents" = "0, 0, 0, 0" ] || fail "window manager frame extents: $extents"
frame=$(xwininfo -id "$win" -frame | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
[ "$frame" = "$ww $wh" ] || fail "framed size $frame, window $ww $wh"

# Centred on the screen (to a pixel, for an odd difference).
read -r sw sh <<<"$(probed "$session_dir/probe.txt" screen)"
[ "$sw $sh" = "$DISPLAY_W $DISPLAY_H" ] || fail "Win32 screen $sw x $sh"
for axis in "x $wx $ww $sw" "y $wy $wh $sh"; do
    read -r name at size screen <<<"$axis"
    off=$(( 2 * at - (screen - size) ))
    (( off >= -1 && off <= 1 )) || fail "not centred in $name: at $at, size $size, screen $screen"
done
echo "window $ww x $wh at $wx,$wy; style $style, extended style $exstyle"
