#!/usr/bin/env bash
# The first picture: the background with the five sprites in their normal
# frame, and the version label "버젼 : 1.02" in black on white, in a Korean
# face (not as boxes). On Linux the desktop's pixels are, label and all, the
# host build's own headless picture of the same frame; under Wine, Win32
# places the label and reports its text.
#   picture_test.sh [openbox|xwayland]   the desktop it runs on
source "$(dirname "$0")/harness.sh"
session_start "${1:-openbox}"
launcher_start
# Off the window (on XWayland the pointer stays at the screen's centre, over
# no hot spot).
! pointer_drivable || pointer_away

# Outside the label, the client area is the bitmaps exactly.
diff=$(differing none)
[ "$diff" = 0 ] || fail "$diff pixels outside the label differ from the bitmaps; frames: $(what_shows)"
read -r ax ay aw ah <<<"$(label_rect)"

if target_is_linux; then
    # The same first frame, painted without a display by the host build.
    n=$(differing_from_headless)
    [ "$n" = 0 ] || fail "$n pixels differ from the host build's headless picture (the label?)"

    # The label: where the picture differs from the bitmaps, inside its area.
    expected_picture "$session_dir/bitmaps.png"
    box=$(compare "$session_dir/client.png" "$session_dir/bitmaps.png" -compose src -highlight-color white \
        -lowlight-color black png:- 2>/dev/null | convert - -trim -format '%w %h %X %Y' info: || true)
    read -r lw lh lx ly <<<"$box"
    lx=${lx#+} ly=${ly#+}
    ((lw > 0 && lx >= ax && ly >= ay && lx + lw <= ax + aw && ly + lh <= ay + ah)) ||
        fail "the picture differs from the bitmaps outside the label's area: ${lw}x${lh} at ($lx,$ly)"
else
    probe "$session_dir/probe.txt"
    [ "$(probed "$session_dir/probe.txt" label_text)" = "버젼 : 1.02" ] ||
        fail "label text '$(probed "$session_dir/probe.txt" label_text)'"
    lx=$ax ly=$ay lw=$aw lh=$ah
fi
echo "label drawn at ($lx,$ly) ${lw}x${lh}"

# Black text on white: grey pixels only, some of them dark. The white
# ground that the text is drawn on runs from the label's left edge; Hangul
# in a Korean face is full-width, so that text cell spans most of the label,
# where boxes for missing glyphs leave it about two thirds as wide.
crop "$session_dir/shot.png" "$session_dir/label.png" "$lx" "$ly" "$lw" "$lh"
read -r text_w dark coloured <<<"$(convert "$session_dir/label.png" -depth 8 txt:- | awk -F '[,:() ]+' -v level="$LABEL_DARK_LEVEL" '
    NR > 1 {
        x = $1; r = $3; g = $4; b = $5
        if (r == 255 && g == 255 && b == 255 && x + 1 > right) right = x + 1
        if (r != g || g != b) coloured++
        if (r < level) dark++
    }
    END { printf "%d %d %d\n", right, dark, coloured }')"
((coloured == 0)) || fail "$coloured coloured pixels in the label: not black on white"
((dark >= LABEL_MIN_DARK)) || fail "only $dark dark pixels in the label: no text?"
((text_w * 100 >= lw * 80)) || fail "label text only $text_w of $lw pixels wide: no Korean glyphs?"
echo "label: text $text_w pixels wide, $dark dark pixels, none coloured"
finish
