# The harness's adapter for the two Linux launchers (sourced by harness.sh):
#
#   host  ORVANE_EXE, the host build, on its SDL presenter; the CD root is an
#         empty folder
#   disc  the disc's launcher, started by the disc's autorun.sh as a desktop
#         starts it (on this desktop's system, or in a bare root of another
#         system's); the CD root is the Rock Ridge tree of ORVANE_DISC_ISO
#         (the image that the cd tests make), extracted as a desktop mounts
#         it, with the test's own files planted in it. ORVANE_EXE is the host
#         build still: its headless picture is the reference for the label.

# Where the version label lies, inside the client area: the picture checks
# leave this rectangle out, and find the label's exact box inside it.
readonly LABEL_AREA="205 250 80 26"
label_rect() { echo "$LABEL_AREA"; }

# The label's text in this system's face: at least LABEL_MIN_DARK pixels darker than
# LABEL_DARK_LEVEL (of 255).
readonly LABEL_MIN_DARK=30 LABEL_DARK_LEVEL=80

target_check() {
    [ -n "${ORVANE_EXE:-}" ] || die "ORVANE_EXE is not set (run the test through ctest)"
    [ -x "$ORVANE_EXE" ] || die "$ORVANE_EXE is not built"
    if [ "$ORVANE_TARGET" = disc ]; then
        [ -f "${ORVANE_DISC_ISO:-}" ] || die "no disc image '${ORVANE_DISC_ISO:-}' (the cd tests' cd.linux.make makes it)"
        command -v xorriso >/dev/null || die "xorriso is not installed (tools/setup.sh installs it)"
    fi
}

target_is_linux() { true; }

# target_cdroot DIR: the CD root. The disc's modes are kept, so its programs
# stay executable; the folders are made writable for the test's files.
target_cdroot() {
    if [ "$ORVANE_TARGET" = disc ]; then
        xorriso -osirrox on -indev "$ORVANE_DISC_ISO" -extract / "$1" >"$session_dir/extract.log" 2>&1 ||
            die "cannot extract the Rock Ridge tree of $ORVANE_DISC_ISO: $(tail -n3 "$session_dir/extract.log")"
        chmod -R u+w "$1"
    else
        mkdir -p "$1"
    fi
}

target_end() { :; }

# target_launch: starts the launcher in the background, its pid in
# launcher_pid. The disc's is the CD root's autorun.sh, which runs it in its
# own folder, on an English system as a user's desktop might be: run as
# ./autorun.sh from the CD root, by its path from any other launch_dir, and
# in the chroot disc_root when that is set (launch_in_root).
target_launch() {
    if [ -n "${disc_root:-}" ]; then
        launch_in_root "$disc_root" "${launch_dir#"$disc_root"}"
        return
    fi
    if [ "$ORVANE_TARGET" = disc ]; then
        local script=./autorun.sh
        [ "$launch_dir" -ef "$cdroot" ] || script="$cdroot/autorun.sh"
        (cd "$launch_dir" && exec env -u ORVANE_PRESENTER LC_ALL=C LANG=C ORVANE_TRACE=1 "$script") &
    else
        (cd "$launch_dir" && exec env ORVANE_PRESENTER=sdl ORVANE_TRACE=1 "$ORVANE_EXE") &
    fi
    launcher_pid=$!
}

# ---- the disc's launcher in a bare root ---------------------------------------
#
# A root (a chroot that cd/linux/debian_root.sh makes) stands for another
# system: its own libraries, faces and font configuration. The CD root lies
# inside it (cdroot set to ROOT/media/..., disc_root to ROOT), and the
# launcher runs there as a user with a bare environment and a home of its
# own; the root sees the display through its abstract socket, and its own
# /proc.

# The user's rights (the system's folders, such as fontconfig's cache, are
# not theirs to write), and their home.
readonly ROOT_USER=65534:65534 ROOT_HOME=/home/orvane

# empty_home ROOT: ROOT_HOME, empty and the user's, so that what the
# launcher writes there shows.
empty_home() {
    rm -rf "${1:?}$ROOT_HOME"
    mkdir -p "$1$ROOT_HOME"
    chown "$ROOT_USER" "$1$ROOT_HOME"
}

# launch_in_root ROOT DIR: ./autorun.sh run in DIR (a path inside ROOT),
# untraced, as a user's desktop in that system starts it; its pid in
# launcher_pid.
launch_in_root() {
    bash "$E2E_DIR/../../cd/linux/in_root.sh" --user "$ROOT_USER" "$1" \
        /usr/bin/env -i DISPLAY="$DISPLAY" HOME="$ROOT_HOME" LANG=C PATH=/usr/bin:/bin \
        /bin/sh -c 'cd "$0" && exec ./autorun.sh' "$2" &
    launcher_pid=$!
}

target_window() { xdotool search --onlyvisible --pid "$launcher_pid" 2>/dev/null | head -n1; }

# headless_picture: the host build's first frame, painted without a display,
# into $session_dir/headless.png (once): the Linux launchers' picture, label
# and all, in this system's Korean face.
headless_picture() {
    [ ! -e "$session_dir/headless.png" ] || return 0
    (cd "$session_dir" && ORVANE_PRESENTER=headless ORVANE_HEADLESS_SCRIPT="snapshot $session_dir/headless.ppm; key ESCAPE" \
        "$ORVANE_EXE" >/dev/null 2>&1) || true
    convert "$session_dir/headless.ppm" "png24:$session_dir/headless.png" 2>/dev/null
}

# differing_from_headless: how many pixels of the last screenshot's client
# area (kept as client.png) differ from the host build's headless picture.
differing_from_headless() {
    headless_picture || { echo "no headless picture from $ORVANE_EXE"; return; }
    crop "$session_dir/shot.png" "$session_dir/client.png" 0 0 "$CLIENT_W" "$CLIENT_H"
    pixels_differing "$session_dir/client.png" "$session_dir/headless.png"
}

# plant_program NAME: a program NAME in the CD root that leaves NAME.ran in
# its current directory, holding its arguments (its own path first), as the
# Windows marker does.
plant_program() {
    rm -f "$cdroot/$1"
    printf '#!/bin/sh\nprintf "%%s\\n" "$0" "$@" >"${0##*/}.part" && mv "${0##*/}.part" "${0##*/}.ran"\n' >"$cdroot/$1"
    chmod 0755 "$cdroot/$1"
}

# The desktop's opener is a spy in the launcher's PATH that leaves
# opener.ran, as the planted programs do; what the launcher hands it lands
# there.
readonly OPENER_MARKER=opener.ran
target_opener() {
    mkdir -p "$session_dir/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$0" "$@" >opener.part && mv opener.part opener.ran\n' >"$session_dir/bin/xdg-open"
    chmod +x "$session_dir/bin/xdg-open"
    export PATH="$session_dir/bin:$PATH"
}

# opened_from_cdroot ARG NAME: the opener's argument ARG is NAME's path in
# the CD root.
opened_from_cdroot() { [ "$1" = "$cdroot/$2" ]; }
