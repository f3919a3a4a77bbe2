# Shared by the checks of the disc's Linux part (linux_test.sh): reading the
# Rock Ridge tree and the executables, and a desktop session on a private
# display that starts the disc's launcher and looks at its first frame.
# Sourced after lib.sh; the caller defines $scratch.

source "$(dirname "${BASH_SOURCE[0]}")/../../tools/private_display.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../launcher_pictures.sh"

# rr_modes ISO: "PATH MODE" for every file and folder of the Rock Ridge tree.
rr_modes() {
    xorriso -indev "$1" -find / -exec lsdl -- 2>/dev/null |
        sed -n "s/^\([-dl][-rwxsStT]\{9\}\) .* '\(.*\)'\$/\2 \1/p"
}

# rr_extract ISO DIR: the Rock Ridge tree into DIR, as a Linux desktop mounts
# it (modes kept, so the programs stay executable).
rr_extract() {
    rm -rf "$2"
    xorriso -osirrox on -indev "$1" -extract / "$2" >/dev/null 2>&1 ||
        { fail "cannot extract the Rock Ridge tree of $1"; return 1; }
}

# needed_of ELF: its NEEDED entries, one a line.
needed_of() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }

# dlopen_names ELF: the shared-library names the file's data holds (what its
# code may dlopen), ours (the module beside the launcher) left out.
dlopen_names() {
    strings -a "$1" | grep -oE '^lib[A-Za-z0-9_+-]+\.so(\.[0-9]+)*$' | grep -vx liborvane_sdl.so | sort -u
}

# glibc_versions ELF: the GLIBC_x.y versions its symbols ask for, oldest first.
glibc_versions() {
    readelf -V --wide "$1" | grep -oE 'Name: GLIBC_[0-9.]+' | sed 's/Name: GLIBC_//' | sort -uV
}

launcher_pid="" window="" session_dir=""

session_begin() {
    session_dir=$1
    for tool in Xvfb openbox xdotool xprop xev import convert compare; do
        command -v "$tool" >/dev/null || { fail "$tool is not installed (tools/setup.sh installs it)"; exit 1; }
    done
    display_start "$session_dir" || { fail "no X display"; exit 1; }
    xdotool mousemove 2 2
}

launcher_stop() {
    [ -n "$launcher_pid" ] || return 0
    kill "$launcher_pid" 2>/dev/null || true
    wait "$launcher_pid" 2>/dev/null || true
    launcher_pid="" window=""
}

session_end() {
    launcher_stop
    display_stop
}

launcher_window() {
    window=$(xdotool search --onlyvisible --pid "$launcher_pid" 2>/dev/null | head -n1)
    [ -n "$window" ]
}

screenshot() { timeout 5 import -window "$window" "png24:$1" 2>/dev/null; }

# The launcher's pixels are there: the background's pixel, not black.
painted() {
    screenshot "$session_dir/painted.png" &&
        [ "$(convert "$session_dir/painted.png" -crop 1x1+150+60 -depth 8 txt:- | tail -n1 | grep -o '#[0-9A-F]\{6\}')" != "#000000" ]
}

# shown: the started launcher's window appeared and was painted.
shown() {
    wait_for 30 launcher_window || { fail "no launcher window appeared: $(cat "$session_dir/launcher.err")"; return 1; }
    wait_for 30 painted || { fail "the launcher window was never painted"; return 1; }
}

# start_autorun FROM DISC: DISC's autorun.sh, run in FROM (as ./autorun.sh
# when FROM is the disc), on an English system.
start_autorun() {
    local script=./autorun.sh
    [ "$1" = "$2" ] || script="$2/autorun.sh"
    (cd "$1" && exec env -u ORVANE_PRESENTER LC_ALL=C LANG=C "$script" \
        >"$session_dir/launcher.out" 2>"$session_dir/launcher.err") &
    launcher_pid=$!
    shown
}

# The user of a start in a root, a user's rights (the system's folders,
# such as fontconfig's cache, are not theirs to write), and their home:
# emptied before each start_in_root, so what the launcher writes there shows.
readonly ROOT_USER=65534:65534 ROOT_HOME=/home/orvane

# empty_home ROOT: ROOT_HOME, empty and the user's.
empty_home() {
    rm -rf "${1:?}$ROOT_HOME"
    mkdir -p "$1$ROOT_HOME"
    chown "$ROOT_USER" "$1$ROOT_HOME"
}

# launch_in_root ROOT DISC: DISC's autorun.sh run in the chroot ROOT, from
# DISC (a path inside ROOT), as ROOT_USER with a bare environment and
# ROOT_HOME as the home; the root sees the display through its abstract
# socket, and its own /proc.
launch_in_root() {
    unshare --mount --propagation private -- bash -c '
        set -e
        mount -t proc proc "$1/proc"
        exec chroot --userspec="$5" "$1" /usr/bin/env -i DISPLAY="$3" HOME="$4" LANG=C PATH=/usr/bin:/bin \
            /bin/sh -c "cd \"\$0\" && exec ./autorun.sh" "$2"' \
        bash "$1" "$2" "$DISPLAY" "$ROOT_HOME" "$ROOT_USER" >"$session_dir/launcher.out" 2>"$session_dir/launcher.err" &
    launcher_pid=$!
}

# start_in_root ROOT DISC: launch_in_root with an empty home, until the
# window is shown.
start_in_root() {
    empty_home "$1"
    launch_in_root "$1" "$2"
    shown
}

# The version label lies inside this area of the client.
readonly LABEL_AREA="205 250 80 26"

# check_picture PREFIX: the window's first frame is the bitmaps in frame 0
# with the version label, drawn as the host build draws it (its headless
# picture, in this system's Korean face): PREFIX-*.png keep the pictures.
check_picture() {
    local p=$1 n
    screenshot "$p-shot.png" || { fail "no screenshot"; return; }
    expected_picture "$p-expected.png"
    blank "$p-shot.png" "$p-shot-nolabel.png" $LABEL_AREA
    blank "$p-expected.png" "$p-expected-nolabel.png" $LABEL_AREA
    n=$(pixels_differing "$p-shot-nolabel.png" "$p-expected-nolabel.png")
    [ "$n" = 0 ] || fail "$n pixels outside the label differ from the bitmaps ($p-shot.png)"

    reference_picture "$p-reference.png" || return
    n=$(pixels_differing "$p-shot.png" "$p-reference.png")
    [ "$n" = 0 ] || fail "$n pixels differ from the host build's picture (the label?): $p-shot.png"
    crop "$p-shot.png" "$p-label.png" $LABEL_AREA
    n=$(convert "$p-label.png" -threshold 30% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
    ((n >= 30)) || fail "only $n dark pixels in the label: not drawn"
}

# reference_picture OUT: the host build's first frame, painted headless.
reference_picture() {
    local dir="$session_dir/reference"
    [ -f "$dir/frame.png" ] || {
        mkdir -p "$dir"
        (cd "$dir" && ORVANE_PRESENTER=headless ORVANE_HEADLESS_SCRIPT="snapshot $dir/frame.ppm; key ESCAPE" \
            "$ORVANE_EXE" >/dev/null 2>&1) || true
        convert "$dir/frame.ppm" "png24:$dir/frame.png" 2>/dev/null ||
            { fail "no headless picture from $ORVANE_EXE"; return 1; }
    }
    cp "$dir/frame.png" "$1"
}
