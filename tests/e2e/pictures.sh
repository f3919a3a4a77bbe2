# Expected pictures of the launcher window, built from the bitmaps in res/,
# and comparisons of screenshots with them. Sourced after wine_session.sh.

PICTURE_W=291
PICTURE_H=277

# The five sprites: name, strip file, origin x, origin y, frame width, height.
SPRITES=(
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

# expected_picture OUT [HOT]: the background with the five sprites, all in
# frame 0 but the one named HOT, in frame 1.
expected_picture() {
    local hot=${2:-none} args=() name strip x y w h f
    for s in "${SPRITES[@]}"; do
        read -r name strip x y w h <<<"$s"
        f=0
        [ "$name" = "$hot" ] && f=1
        args+=( \( "$ORVANE_RES_DIR/$strip" -crop "${w}x${h}+$((f * w))+0" +repage \) -geometry "+$x+$y" -composite )
    done
    convert "$ORVANE_RES_DIR/background.bmp" "${args[@]}" "png24:$1"
}

# picture_differs SHOT EXPECTED [X Y W H]: how many pixels of the screenshot's
# top-left picture differ from EXPECTED, leaving out the rectangle if given
# (EXPECTED must have it blanked by blank_rect already).
picture_differs() {
    local mask=()
    if [ $# -eq 6 ]; then
        mask=(-fill magenta -draw "rectangle $3,$4 $(($3 + $5 - 1)),$(($4 + $6 - 1))")
    fi
    convert "$1" -crop "${PICTURE_W}x${PICTURE_H}+0+0" +repage "${mask[@]}" png24:- |
        compare -metric AE - "$2" null: 2>&1 || true
}

# The version label's rectangle "X Y W H", which picture comparisons leave
# out; set by pictures_begin.
label_rect=""

# pictures_begin PROBE_REPORT: takes the label's rectangle from a probe report.
pictures_begin() {
    label_rect=$(probed "$1" label)
    [ -n "$label_rect" ] || fail "no version label (control 1000) in the window"
}

# expected HOT: the path of the expected picture with HOT highlighted ("none":
# every sprite normal) and the label blanked, made once per session.
expected() {
    local out="$session_dir/expected-$1.png"
    if [ ! -e "$out" ]; then
        expected_picture "$out" "$1"
        blank_rect "$out" "$out" $label_rect
    fi
    echo "$out"
}

# differing HOT: how many pixels of a fresh screenshot's top-left picture
# differ from the expected one, outside the label.
differing() {
    screenshot "$session_dir/shot.png"
    picture_differs "$session_dir/shot.png" "$(expected "$1")" $label_rect
}

# shows HOT: the window shows the expected picture with HOT highlighted.
shows() {
    [ "$(differing "$1")" = 0 ]
}

# what_shows: the frame each sprite shows in the last screenshot.
what_shows() {
    sprite_frames_shown "$session_dir/shot.png"
}

# blank_rect IN OUT X Y W H: IN with the rectangle painted magenta, so that a
# comparison ignores it.
blank_rect() {
    convert "$1" -fill magenta -draw "rectangle $3,$4 $(($3 + $5 - 1)),$(($4 + $6 - 1))" "png24:$2"
}

# crop IN OUT X Y W H
crop() {
    convert "$1" -crop "$5x$6+$3+$4" +repage "png24:$2"
}

# differing_pixels A B: how many pixels differ between two images of one size.
differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

# region_equals SHOT X Y REF: the region of SHOT at (X, Y) equals image REF.
region_equals() {
    local size
    size=$(identify -format '%w %h' "$4")
    read -r w h <<<"$size"
    crop "$1" "$session_dir/region.png" "$2" "$3" "$w" "$h"
    [ "$(differing_pixels "$session_dir/region.png" "$4")" = "0" ]
}

# sprite_frames_shown SHOT: for each sprite, "name=0", "name=1" or "name=?"
# (neither frame), separated by spaces. The frame pictures are cut once.
sprite_frames_shown() {
    local out=() name strip x y w h f
    for s in "${SPRITES[@]}"; do
        read -r name strip x y w h <<<"$s"
        local shown="?"
        for f in 0 1; do
            local ref="$session_dir/sprite-$name-$f.png"
            [ -e "$ref" ] || sprite_frame "$strip" "$w" "$h" "$f" "$ref"
            if region_equals "$1" "$x" "$y" "$ref"; then shown=$f; break; fi
        done
        out+=("$name=$shown")
    done
    echo "${out[*]}"
}
