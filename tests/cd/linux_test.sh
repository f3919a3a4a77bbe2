#!/usr/bin/env bash
# Checks of the disc's Linux part, in the image that make_linux_fixture.sh
# made (FIXTURE/linux) beside the Windows-only one (FIXTURE/full).
#
#   linux_test.sh CHECK FIXTURE
#
# CHECK is one of
#   listing   the Rock Ridge tree: names and modes; the Joliet tree, which
#             Windows reads, is the Windows-only disc's, byte for byte; the
#             volume information and its icon
#   needed    the launcher and its module need glibc (2.31 at most) and the X
#             client libraries alone, and load nothing else
#   autorun   autorun.sh, run from the extracted disc on this desktop, shows
#             the launcher's picture with the disc's root as its directory
#   portable  the same in a bare Debian 11 root that has no Korean face: the
#             label is drawn in the disc's face
#
# The desktop checks need ORVANE_RES_DIR (the bitmaps) and ORVANE_EXE (the
# host build, whose headless picture is the reference for the label).
check=$1 FIXTURE=$2
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/linux_lib.sh"

iso=$(iso_of linux)
[ -f "$iso" ] || { echo "no image $iso (cd.linux.make makes it)" >&2; exit 1; }
scratch=$(mktemp -d "${TMPDIR:-/tmp}/orvane-linux-test.XXXXXX")
trap 'session_end; chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT

# ---- listing -------------------------------------------------------------------

# path | its mode in the Rock Ridge tree (licences: every file there)
listing() {
    local path mode got
    rr_modes "$iso" >"$scratch/modes"
    while IFS='|' read -r path mode; do
        path=${path// /} mode=${mode// /}
        if [ "$path" = /linux/licenses/ ]; then
            got=$(grep "^/linux/licenses/." "$scratch/modes" | awk '{print $2}' | sort -u)
        else
            got=$(awk -v p="$path" '$1 == p {print $2}' "$scratch/modes")
        fi
        [ "$got" = "$mode" ] || fail "$path: mode [$got], expected $mode"
    done <<'TABLE'
/                             |dr-xr-xr-x
/autorun.sh                   |-rwxr-xr-x
/autorun.inf                  |-r--r--r--
/OrvaneCD.exe                 |-r--r--r--
/Setup.exe                    |-r--r--r--
/.xdg-volume-info             |-r--r--r--
/.VolumeIcon.png              |-r--r--r--
/linux                        |dr-xr-xr-x
/linux/OrvaneCD               |-rwxr-xr-x
/linux/liborvane_sdl.so       |-r--r--r--
/linux/fonts/NanumGothic.ttf  |-r--r--r--
/linux/licenses/              |-r--r--r--
TABLE
    local extra
    extra=$(awk '$2 ~ /x/ && $2 !~ /^d/ {print $1}' "$scratch/modes" | grep -vx -e /autorun.sh -e /linux/OrvaneCD || true)
    [ -z "$extra" ] || fail "executable beyond the two programs: $extra"

    # The notices of the face and of what is linked in.
    local notice
    for notice in fonts-nanum SDL2 'libstdc++-.*' 'libgcc-.*' 'libfreetype.*' 'libfontconfig.*'; do
        grep -q "^/linux/licenses/$notice\.txt " "$scratch/modes" || fail "no licence notice /linux/licenses/$notice.txt"
    done

    # Windows sees the Windows-only disc: the same Joliet tree, the same bytes.
    extract "$(iso_of full)" "$scratch/windows-only" && extract "$iso" "$scratch/windows" &&
        { diff -r "$scratch/windows-only" "$scratch/windows" >"$scratch/diff" ||
            fail "the Joliet tree differs from the Windows-only disc's: $(cat "$scratch/diff")"; }

    rr_extract "$iso" "$scratch/disc" || return
    local info expected
    info=$(cat "$scratch/disc/.xdg-volume-info")
    expected=$'[Volume Info]\nName=Orvane\nIcon=media-optical\nIconFile=.VolumeIcon.png'
    [ "$info" = "$expected" ] || fail ".xdg-volume-info reads [$info]"
    [ "$(identify -format '%m %wx%h' "$scratch/disc/.VolumeIcon.png" 2>/dev/null)" = "PNG 64x64" ] ||
        fail ".VolumeIcon.png is not a 64x64 PNG"
    [ "$(head -n1 "$scratch/disc/autorun.sh")" = "#!/bin/sh" ] || fail "autorun.sh does not start with #!/bin/sh"
}

# ---- needed ----------------------------------------------------------------------

# glibc's own libraries and the X client libraries: what a desktop has.
readonly ALLOWED_LIBS="ld-linux-x86-64.so.2 libc.so.6 libm.so.6 libdl.so.2 libpthread.so.0 librt.so.1
libX11.so.6 libXext.so.6 libXcursor.so.1 libXi.so.6 libXrandr.so.2 libXss.so.1 libXxf86vm.so.1
libXinerama.so.1 libXfixes.so.3 libXrender.so.1 libxcb.so.1"
readonly GLIBC_MAX=2.31

needed() {
    rr_extract "$iso" "$scratch/disc" || return
    local file lib version
    for file in linux/OrvaneCD linux/liborvane_sdl.so; do
        # What the loader loads, and what the code names for dlopen.
        for lib in $(needed_of "$scratch/disc/$file") $(dlopen_names "$scratch/disc/$file"); do
            grep -qw -- "$lib" <<<"$ALLOWED_LIBS" || fail "$file loads $lib, not one of glibc's or the X client libraries"
        done
        version=$(glibc_versions "$scratch/disc/$file" | tail -n1)
        [ -n "$version" ] || fail "$file names no glibc version: not dynamically linked?"
        [ "$(printf '%s\n' "$version" "$GLIBC_MAX" | sort -V | tail -n1)" = "$GLIBC_MAX" ] ||
            fail "$file needs GLIBC_$version, newer than $GLIBC_MAX"
        echo "$file: NEEDED $(needed_of "$scratch/disc/$file" | tr '\n' ' '); glibc $version"
    done
}

# ---- autorun and portable --------------------------------------------------------

autorun() {
    rr_extract "$iso" "$scratch/disc" || return
    session_begin "$scratch"
    local from
    # From the root, as the desktop starts it, and by its path from elsewhere.
    for from in "$scratch/disc" "$scratch"; do
        start_autorun "$from" "$scratch/disc" || continue
        [ "$(readlink "/proc/$launcher_pid/cwd")" = "$scratch/disc" ] ||
            fail "started from $from, the launcher's directory is $(readlink "/proc/$launcher_pid/cwd")"
        check_picture "$scratch/from-${from##*/}"
        launcher_stop
    done
}

portable() {
    local root
    root=$(bash "$(dirname "$0")/../../tools/bullseye_root.sh" bare libx11-6 libxext6 fontconfig-config) ||
        { fail "no bare Debian 11 root"; return; }
    # A Korean face would hide the disc's: the bare root has none.
    [ -z "$(find "$root/usr/share/fonts" -iname '*nanum*' -o -iname '*cjk*' -o -iname '*baekmuk*' -o -iname '*unfonts*' 2>/dev/null)" ] ||
        fail "the bare root has a Korean face"
    local mnt=/media/orvane
    rm -rf "$root$mnt"
    mkdir -p "$root$mnt"
    rr_extract "$iso" "$root$mnt" || return
    session_begin "$scratch"
    local started=${EPOCHREALTIME/./}
    start_in_root "$root" "$mnt" || return
    local ms=$(((${EPOCHREALTIME/./} - started) / 1000))
    echo "window shown and painted ${ms} ms after the start in the bare root"
    grep -q "$mnt/linux/fonts/NanumGothic.ttf" "/proc/$launcher_pid/maps" ||
        fail "the launcher did not open the disc's face"
    check_picture "$scratch/bare"
    launcher_stop
    rm -rf "${root:?}$mnt"
}

case $check in
    listing) listing ;;
    needed) needed ;;
    autorun) autorun ;;
    portable) portable ;;
    *) echo "unknown check '$check'" >&2; exit 2 ;;
esac
finish
