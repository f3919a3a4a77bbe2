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
#   notices   every archive the linker took (its maps in the launcher's
#             folder) has its package's complete copyright file on the disc;
#             SDL2's names the third-party code inside it
#
# notices needs ORVANE_DISC_DIR (the launcher's build folder). The launcher
# started from the disc is linux_desktop_test.sh's.
check=$1 FIXTURE=$2
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/linux_lib.sh"

iso=$(iso_of linux)
[ -f "$iso" ] || { echo "no image $iso (cd.linux.make makes it)" >&2; exit 1; }
scratch=$(mktemp -d "${TMPDIR:-/tmp}/orvane-linux-test.XXXXXX")
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT

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

# ---- notices ---------------------------------------------------------------------

notices() {
    local dir=${ORVANE_DISC_DIR:?names the disc launcher build folder} root archives archive owner package
    root=$(bash "$(dirname "$0")/../../cd/linux/build_launcher.sh" --root) || { fail "no build root"; return; }
    rr_extract "$iso" "$scratch/disc" || return
    local licenses="$scratch/disc/linux/licenses"
    archives=$(grep -ho '/[^ ()]*\.a(' "$dir/OrvaneCD.map" "$dir/orvane_sdl.map" | tr -d '(' | sort -u)
    [ -n "$archives" ] || { fail "the linker maps in $dir name no archive"; return; }
    # shellcheck disable=SC2086
    for archive in $(chroot "$root" realpath -e $archives | sort -u); do
        if [[ $archive == /opt/sdl2-x11/* ]]; then
            notice_is "$licenses/SDL2.txt" "$root"/opt/sdl2-src/libsdl2-*/debian/copyright "$archive"
            continue
        fi
        owner=$(chroot "$root" dpkg -S "$archive") || { fail "no package owns $archive"; continue; }
        for package in $(echo "${owner%%: *}" | tr ',' ' ' | sed 's/:amd64//g'); do
            notice_is "$licenses/$package.txt" "$root/usr/share/doc/$package/copyright" "$archive"
        done
    done
    # SDL2's notice names the code inside it under other licences (BSD, zlib).
    local text
    for text in "Redistribution and use in source and binary forms" "Neither the name of" \
        "This software is provided 'as-is'"; do
        grep -qF "$text" "$licenses/SDL2.txt" 2>/dev/null || fail "SDL2's notice lacks [$text]: not Debian's copyright file?"
    done
}

# notice_is NOTICE COPYRIGHT ARCHIVE: the disc's NOTICE is the whole COPYRIGHT.
notice_is() {
    [ -f "$1" ] || { fail "$3 is linked in, but the disc has no ${1##*/}"; return; }
    cmp -s "$1" "$2" || fail "${1##*/} is not the complete copyright file $2 (for $3)"
}

case $check in
    listing) listing ;;
    needed) needed ;;
    notices) notices ;;
    *) echo "unknown check '$check'" >&2; exit 2 ;;
esac
finish
