#!/usr/bin/env bash
# On a high-density desktop the window shows at the desktop's integer scale:
# each pixel of the launcher's picture as a sharp n x n block, and the
# pointer divided back, so that the hot spots, the entries, the drag band
# and the close button answer where they show. The factor comes from
# ORVANE_SCALE, else GDK_SCALE, else the resource database's Xft.dpi (dpi /
# 96, halves rounded down); a value that gives no whole factor from 1 to 8
# is said once on stderr and ignored, and a factor at which the window
# would not fit the screen falls back to one at which it does.
#   scale_test.sh           under openbox: every case below
#   scale_test.sh none      no window manager: the launcher moves the 2x
#                           window itself, in whole logical pixels
source "$(dirname "$0")/harness.sh"

# add_marker NAME: an executable NAME in the CD root that adds a line to
# NAME.started each time it runs, so that starts can be counted.
add_marker() {
    printf '#!/bin/sh\npwd >> "%s.started"\n' "$1" >"$cdroot/$1"
    chmod +x "$cdroot/$1"
}

# Xft.dpi, environment, the scale shown, what stderr says ("-": nothing).
readonly CASES=(
    "192 -                2 -"
    "96  -                1 -"
    "144 -                1 -"
    "-   ORVANE_SCALE=abc 1 OrvaneCD: ORVANE_SCALE=abc is not a whole number from 1 to 8; ignored"
    "192 ORVANE_SCALE=abc 2 OrvaneCD: ORVANE_SCALE=abc is not a whole number from 1 to 8; ignored"
    "96  GDK_SCALE=2      2 -"
    "192 GDK_SCALE=1      1 -"
    "-   ORVANE_SCALE=3   2 OrvaneCD: at scale 3 the 291x276 window does not fit the 1024x768 screen; scale 2"
)

# The picture is there at the scale expected: the background's white margin
# and, two logical pixels in, its grey outline.
scale=1
painted() {
    screenshot "$session_dir/painted.png" || return 1
    [ "$(pixel "$session_dir/painted.png" 0 0)" = "255,255,255" ] &&
        [ "$(pixel "$session_dir/painted.png" $((2 * scale)) $((2 * scale)))" = "126,126,126" ]
}

size() { xwininfo -id "$window" | awk '/^  Width:/ {w = $NF} /^  Height:/ {h = $NF} END {print w "x" h}'; }

# shows_scaled HOT: as shows, on a screenshot of the 2x window sampled back.
shows_scaled() {
    screenshot "$session_dir/shot2.png" && convert "$session_dir/shot2.png" -sample 50% "png24:$session_dir/shot.png" &&
        [ "$(frames_shown "$session_dir/shot.png")" = "$(frames_for "$1")" ]
}

# The picture, the hot spots, a launch, the drag band and the close button
# of the window at scale 2, in the window's own (device) pixels.
check_scale_2() {
    local x y hot ox oy n
    read -r x y <<<"$(origin)"
    ((x >= (DISPLAY_W - 2 * CLIENT_W) / 2 - 1 && x <= (DISPLAY_W - 2 * CLIENT_W) / 2 + 1 &&
        y == (DISPLAY_H - 2 * CLIENT_H) / 2)) || fail "the 2x window is at ($x,$y), not centred"

    pointer_away
    screenshot "$session_dir/shot2.png"
    ORVANE_PRESENTER=headless ORVANE_HEADLESS_SCRIPT="snapshot $session_dir/headless.ppm; key ESCAPE" \
        "$ORVANE_EXE" >/dev/null 2>&1 || true
    convert "$session_dir/headless.ppm" -scale 200% "png24:$session_dir/blocks.png" || die "no headless snapshot"
    n=$(pixels_differing "$session_dir/shot2.png" "$session_dir/blocks.png")
    [ "$n" = 0 ] || fail "$n pixels differ from the 2x block picture of the headless frame"

    # client x, client y in device pixels; the sprite highlighted there
    for c in "553 27 close" "537 27 none" "538 27 close" "513 27 minimize" "569 209 setup" "570 209 none" \
        "300 300 manual" "300 420 reader" "300 500 none"; do
        read -r x y hot <<<"$c"
        pointer_to "$x" "$y"
        wait_for 5 shows_scaled "$hot" || fail "pointer at ($x,$y) of the 2x window: want $hot, shown $(frames_shown "$session_dir/shot.png")"
    done

    started_is() { [ "$(wc -l 2>/dev/null <"$cdroot/Setup.exe.started" || echo 0)" = "$1" ]; }
    click_at 300 190
    wait_for 5 started_is 1 || fail "a click on the setup entry at (300,190) of the 2x window started nothing"

    read -r ox oy <<<"$(origin)"
    drag_by 20 20 40 30
    wait_for 5 at $((ox + 40)) $((oy + 30)) || fail "a drag by (40,30) from ($ox,$oy) ended at ($(origin))"
    pointer_to 300 190
    wait_for 5 shows_scaled setup || fail "after the drag the setup entry does not light at (300,190)"

    click_at 553 27
    launcher_ended 5 || die "a click on the close button of the 2x window did not end the launcher"
    [ "$status" = 255 ] || fail "the close button ended the launcher with status $status, not 255"
}

# Without a window manager the launcher moves the 2x window itself, in
# whole logical pixels. Where the desktop put it between two, the host has
# it in the one it lies in: Escape in a drag puts it back there.
drag_without_manager() {
    local x0 y0
    session_start none
    x_resources "$(printf 'Xft.dpi:\t192\n')"
    scale=2
    launcher_start
    read -r x0 y0 <<<"$(origin)"
    drag_by 20 20 40 30
    wait_for 5 at $((x0 + 40)) $((y0 + 30)) || fail "a drag by (40,30) from ($x0,$y0) ended at ($(origin))"

    xdotool windowmove "$window" 101 121
    wait_for 5 at 101 121 || fail "the desktop could not move the window: at ($(origin))"
    sleep 0.2
    xdotool mousemove 121 141 mousedown 1
    sleep 0.2
    xdotool mousemove 161 171
    wait_for 5 at 140 150 || fail "a drag by (40,30) from (101,121) is at ($(origin)), not (140,150)"
    xdotool key Escape
    wait_for 5 at 100 120 || fail "Escape in a drag from (101,121) put the window at ($(origin)), not (100,120)"
    xdotool mouseup 1
}

at() { [ "$(origin)" = "$1 $2" ]; }
if [ "${1:-openbox}" = none ]; then
    drag_without_manager
    finish
    exit
fi

session_start
add_marker Setup.exe
for c in "${CASES[@]}"; do
    read -r dpi setting scale said <<<"$c"
    if [ "$dpi" = - ]; then x_resources ""; else x_resources "$(printf 'Xft.dpi:\t%s\n' "$dpi")"; fi
    unset ORVANE_SCALE GDK_SCALE
    [ "$setting" = - ] || export "${setting?}"
    launcher_start
    want="$((CLIENT_W * scale))x$((CLIENT_H * scale))"
    [ "$(size)" = "$want" ] || fail "Xft.dpi $dpi, $setting: the window is $(size), not $want"
    err=$(grep '^OrvaneCD:' "$session_dir/launcher.err" || true)
    [ "$said" = - ] && said=""
    [ "$err" = "$said" ] || fail "Xft.dpi $dpi, $setting: stderr says '$err', not '$said'"
    if [ "$c" = "${CASES[0]}" ]; then check_scale_2; fi
    launcher_stop
    echo "Xft.dpi $dpi, $setting: window $want"
done
finish
