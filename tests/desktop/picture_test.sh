#!/usr/bin/env bash
# The window shows what the host painted: the background with the five
# sprites in frame 0, and the version label's black text on white. The
# desktop's pixels equal the headless presenter's picture of the same frame.
source "$(dirname "$0")/session.sh"
# Where the version label may lie; the test finds its exact rectangle inside.
readonly LABEL_AREA="205 250 80 26"

session_start
launcher_start
pointer_away
screenshot "$session_dir/shot.png"

# The same first frame, painted without a display.
ORVANE_PRESENTER=headless ORVANE_HEADLESS_SCRIPT="snapshot $session_dir/headless.ppm; key ESCAPE" \
    "$ORVANE_EXE" >/dev/null 2>&1 || true
convert "$session_dir/headless.ppm" "png24:$session_dir/headless.png" || die "no headless snapshot"
n=$(pixels_differing "$session_dir/shot.png" "$session_dir/headless.png")
[ "$n" = 0 ] || fail "$n pixels differ from the headless presenter's picture"

# The label: where the picture differs from the bitmaps, inside its area.
expected_picture "$session_dir/expected.png"
read -r ax ay aw ah <<<"$LABEL_AREA"
box=$(compare "$session_dir/shot.png" "$session_dir/expected.png" -compose src -highlight-color white \
          -lowlight-color black png:- 2>/dev/null | convert - -trim -format '%w %h %X %Y' info: || true)
read -r lw lh lx ly <<<"$box"
lx=${lx#+} ly=${ly#+}
((lw > 0 && lx >= ax && ly >= ay && lx + lw <= ax + aw && ly + lh <= ay + ah)) ||
    fail "the picture differs from the bitmaps outside the label's area: ${lw}x${lh} at ($lx,$ly)"
echo "label drawn at ($lx,$ly) ${lw}x${lh}"

blank "$session_dir/shot.png" "$session_dir/shot-nolabel.png" $LABEL_AREA
blank "$session_dir/expected.png" "$session_dir/expected-nolabel.png" $LABEL_AREA
n=$(pixels_differing "$session_dir/shot-nolabel.png" "$session_dir/expected-nolabel.png")
[ "$n" = 0 ] || fail "$n pixels outside the label differ from the bitmaps; frames: $(frames_shown "$session_dir/shot.png")"

# Black text on white: grey pixels only, some of them dark, the rest white.
crop "$session_dir/shot.png" "$session_dir/label.png" "$lx" "$ly" "$lw" "$lh"
read -r dark coloured <<<"$(convert "$session_dir/label.png" -depth 8 txt:- | awk -F '[,:() ]+' '
    NR > 1 { r = $3; g = $4; b = $5; if (r != g || g != b) c++; if (r < 80) d++ }
    END { printf "%d %d\n", d, c }')"
((coloured == 0)) || fail "$coloured coloured pixels in the label: not black on white"
((dark >= 30)) || fail "only $dark dark pixels in the label: no text?"
echo "label: $dark dark pixels, none coloured"
finish
