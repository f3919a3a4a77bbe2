#!/usr/bin/env bash
# The first picture is the background with the five sprites in their normal
# frame, and the version label shows "버젼 : 1.02" in black on white, in a
# Korean font (not as boxes).
source "$(dirname "$0")/wine_session.sh"
source "$(dirname "$0")/pictures.sh"

prefix_ensure
session_start
launcher_start "$session_dir"
pointer_away
probe "$session_dir/probe.txt"
[ "$(probed "$session_dir/probe.txt" label_text)" = "버젼 : 1.02" ] ||
    fail "label text '$(probed "$session_dir/probe.txt" label_text)'"

# The label, as Win32 places it, is left out of the picture comparison.
pictures_begin "$session_dir/probe.txt"
read -r lx ly lw lh <<<"$label_rect"
diff=$(differing none)
[ "$diff" = "0" ] || fail "$diff pixels of the ${CLIENT_W}x${CLIENT_H} client area differ from the expected picture"

# The label's text cell: the white ground that the text is drawn on, from the
# label's left edge. Every pixel in it is a grey between black and white.
crop "$session_dir/shot.png" "$session_dir/label.png" "$lx" "$ly" "$lw" "$lh"
convert "$session_dir/label.png" -depth 8 txt:- | awk -F '[,:() ]+' '
    NR > 1 {
        x = $1; r = $3; g = $4; b = $5
        if (r == 255 && g == 255 && b == 255 && x + 1 > right) right = x + 1
        if (r != g || g != b) coloured++
        if (r < 128) dark++
    }
    END { printf "%d %d %d\n", right, dark, coloured }' >"$session_dir/label.txt"
read -r text_w dark coloured <"$session_dir/label.txt"
(( coloured == 0 )) || fail "$coloured coloured pixels in the label: not black on white"
# Hangul in a Korean font is full-width: the text cell spans most of the label.
# Boxes for missing glyphs leave it about two thirds as wide.
(( text_w * 100 >= lw * 80 )) || fail "label text only $text_w of $lw pixels wide: no Korean glyphs?"
(( dark >= 60 )) || fail "only $dark dark pixels in the label: no text?"
echo "label at $lx,$ly ${lw}x${lh}: text $text_w pixels wide, $dark dark pixels"
