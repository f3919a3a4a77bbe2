# The launcher window under Wine against the expected pictures (in
# tests/launcher_pictures.sh, which wine_session.sh sources), leaving out the
# version label where Win32 places it. Sourced after wine_session.sh.

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
        blank "$out" "$out" $label_rect
    fi
    echo "$out"
}

# differing HOT: how many pixels of a fresh screenshot's client area differ
# from the expected one, outside the label.
differing() {
    screenshot "$session_dir/shot.png"
    crop "$session_dir/shot.png" "$session_dir/client.png" 0 0 "$CLIENT_W" "$CLIENT_H"
    blank "$session_dir/client.png" "$session_dir/client.png" $label_rect
    pixels_differing "$session_dir/client.png" "$(expected "$1")"
}

# shows HOT: the window shows the expected picture with HOT highlighted.
shows() {
    [ "$(differing "$1")" = 0 ]
}

# what_shows: the frame each sprite shows in the last screenshot.
what_shows() {
    frames_shown "$session_dir/shot.png"
}
