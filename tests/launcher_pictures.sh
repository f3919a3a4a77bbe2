# Expected pictures of the launcher's client area, built from the bitmaps in
# $ORVANE_RES_DIR, and comparisons of screenshots with them. Sourced by the
# end-to-end harness (tests/e2e/harness.sh) and the cd tests; pictures cut on
# the way go into $session_dir.

# The client area: the template's 166 x 184 dialog units in a Gulim-metric
# face. The background is one row taller; the window shows its top 276 rows.
readonly CLIENT_W=291 CLIENT_H=276

# The five sprites: name, strip file, origin x, origin y, frame width, height.
readonly SPRITES=(
    "close    close_button.bmp    268   5  18 18"
    "minimize minimize_button.bmp 248   5  18 18"
    "setup    setup_entry.bmp     100  85 185 20"
    "manual   manual_entry.bmp    100 140 185 20"
    "reader   reader_entry.bmp    100 200 185 20"
)

# sprite_frame STRIP W H FRAME OUT: frame FRAME (0 or 1) of a sprite strip.
sprite_frame() {
    convert "$ORVANE_RES_DIR/$1" -crop "$2x$3+$(($4 * $2))+0" +repage "png24:$5"
}

# expected_picture OUT [HOT]: the background with every sprite in frame 0,
# but HOT in frame 1, cut to the client area.
expected_picture() {
    local hot=${2:-none} args=() name strip x y w h f s
    for s in "${SPRITES[@]}"; do
        read -r name strip x y w h <<<"$s"
        f=0
        [ "$name" = "$hot" ] && f=1
        args+=(\( "$ORVANE_RES_DIR/$strip" -crop "${w}x${h}+$((f * w))+0" +repage \) -geometry "+$x+$y" -composite)
    done
    convert "$ORVANE_RES_DIR/background.bmp" "${args[@]}" -crop "${CLIENT_W}x${CLIENT_H}+0+0" +repage "png24:$1"
}

# blank IN OUT X Y W H: IN with the rectangle painted magenta; blanked in
# both pictures, a comparison leaves it out.
blank() {
    convert "$1" -fill magenta -draw "rectangle $3,$4 $(($3 + $5 - 1)),$(($4 + $6 - 1))" "png24:$2"
}

# crop IN OUT X Y W H
crop() { convert "$1" -crop "$5x$6+$3+$4" +repage "png24:$2"; }

# pixels_differing A B: how many pixels of two same-sized pictures differ.
pixels_differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# frames_shown SHOT: "name=F" for each sprite, F the frame its region of SHOT
# shows (0, 1, or ? for neither). The frame pictures are cut once a session.
frames_shown() {
    local out=() name strip x y w h f s shown ref
    for s in "${SPRITES[@]}"; do
        read -r name strip x y w h <<<"$s"
        crop "$1" "$session_dir/region.png" "$x" "$y" "$w" "$h"
        shown="?"
        for f in 0 1; do
            ref="$session_dir/sprite-$name-$f.png"
            [ -e "$ref" ] || sprite_frame "$strip" "$w" "$h" "$f" "$ref"
            if [ "$(pixels_differing "$session_dir/region.png" "$ref")" = 0 ]; then shown=$f; break; fi
        done
        out+=("$name=$shown")
    done
    echo "${out[*]}"
}

# frames_for HOT: what frames_shown says when exactly HOT is highlighted.
frames_for() {
    local out=() name s
    for s in "${SPRITES[@]}"; do
        read -r name _ <<<"$s"
        if [ "$name" = "$1" ]; then out+=("$name=1"); else out+=("$name=0"); fi
    done
    echo "${out[*]}"
}
