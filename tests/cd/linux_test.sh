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
#             the launcher's picture with the disc's root as its directory,
#             and no fontconfig warning
#   notices   every archive the linker took (its maps in the launcher's
#             folder) has its package's complete copyright file on the disc;
#             SDL2's names the third-party code inside it
#   portable-bullseye, portable-trixie
#             the same as autorun in a bare Debian 11 root that has no Korean
#             face, and in a Debian 13 one with Noto CJK and a newer
#             fontconfig: the label is drawn in the disc's face, no fontconfig
#             warning, nothing written into the (empty) home, and a first
#             start as quick as a second one
#
# The desktop checks need ORVANE_RES_DIR (the bitmaps) and ORVANE_EXE (the
# host build, whose headless picture is the reference for the label); notices
# needs ORVANE_DISC_DIR (the launcher's build folder).
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

# The launcher's fontconfig, older than the desktop's, would warn about the
# desktop's configuration if it read it.
no_fontconfig_warnings() {
    ! grep -i fontconfig "$session_dir/launcher.err" >&2 || fail "the launcher printed fontconfig warnings"
}

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
        no_fontconfig_warnings
    done
}

# suite | its root's packages: what a user's desktop has for an X client
readonly PORTABLE_ROOTS="
bullseye|libx11-6 libxext6 fontconfig-config
trixie|libx11-6 libxext6 fontconfig-config fonts-noto-cjk"
# A first start, with nothing in the home, may take this many times a second
# start's time to the window: a first start that scans and caches the
# system's faces takes about three. The time compared is the processor time
# the launcher has used when its window is shown: on a shared machine the
# time on the wall holds the other work's as well, by more than the launcher
# takes (it is printed beside). The medians of a few starts of each kind
# are compared.
readonly FIRST_START_RATIO=1.5
readonly TIMED_PAIRS=7

portable() {
    local suite=$1 packages root
    packages=$(awk -F'|' -v s="$suite" '$1 == s {print $2}' <<<"$PORTABLE_ROOTS")
    [ -n "$packages" ] || { fail "no root for the suite '$suite'"; return; }
    # shellcheck disable=SC2086
    root=$(bash "$(dirname "$0")/../../cd/linux/debian_root.sh" "$suite" bare $packages) ||
        { fail "no bare $suite root"; return; }
    # Debian 11's root has no Korean face, which would hide the disc's; the
    # current one has one, which the launcher leaves alone all the same.
    local korean
    korean=$(find "$root/usr/share/fonts" -iname '*nanum*' -o -iname '*cjk*' -o -iname '*baekmuk*' -o -iname '*unfonts*' 2>/dev/null)
    if [[ $packages == *cjk* ]]; then
        [ -n "$korean" ] || fail "the $suite root has no Korean face"
    else
        [ -z "$korean" ] || fail "the $suite root has a Korean face"
    fi
    local mnt=/media/orvane
    rm -rf "$root$mnt"
    mkdir -p "$root$mnt"
    rr_extract "$iso" "$root$mnt" || return
    session_begin "$scratch"

    start_in_root "$root" "$mnt" || return
    grep -q "$mnt/linux/fonts/NanumGothic.ttf" "/proc/$launcher_pid/maps" ||
        fail "the launcher did not open the disc's face"
    check_picture "$scratch/$suite"
    launcher_stop
    start_left_no_trace "$root" "$mnt"

    # First starts (an empty home) against second ones (the home the first
    # left), interleaved. The window manager maps the window's frame on the
    # root when the window is shown: xev reports it as it happens. The
    # session (this script, whose children the launchers are, the display
    # and xev) runs ahead of the machine's other work, which would only add
    # to the times.
    coproc XEV { exec xev -root -event substructure; }
    renice -n -10 -p $$ "$XEV_PID" "$display_xvfb_pid" "$display_wm_pid" >/dev/null
    sleep 0.5
    local firsts=() seconds=() walls=() i times
    for ((i = 0; i < TIMED_PAIRS; i++)); do
        times=$(timed_start_in_root "$root" "$mnt" fresh) || { fail "no window on a first start"; return; }
        firsts+=("${times% *}") walls+=("${times#* }")
        times=$(timed_start_in_root "$root" "$mnt" again) || { fail "no window on a second start"; return; }
        seconds+=("${times% *}") walls+=("${times#* }")
    done
    kill "$XEV_PID"
    local first second
    first=$(median "${firsts[@]}") second=$(median "${seconds[@]}")
    echo "$suite: window after ${first} ms of processor time on a first start, ${second} ms on a second" \
        "(medians of ${firsts[*]} and of ${seconds[*]}; on the wall, first and second: ${walls[*]} ms)"
    awk -v a="$first" -v b="$second" -v r="$FIRST_START_RATIO" 'BEGIN {exit !(a <= r * b)}' ||
        fail "$suite: a first start takes ${first} ms, more than $FIRST_START_RATIO times a second start's ${second} ms"
    rm -rf "${root:?}$mnt"
}

# start_left_no_trace ROOT DISC: the start just ended printed no fontconfig
# warning and left the home, and the disc's faces folder, as they were.
start_left_no_trace() {
    local root=$1 mnt=$2 left
    no_fontconfig_warnings
    left=$(cd "$root$ROOT_HOME" && find . -mindepth 1 | head -n 20)
    [ -z "$left" ] || fail "the launcher wrote into the home: $(tr '\n' ' ' <<<"$left")"
    left=$(cd "$root$mnt/linux/fonts" && find . -mindepth 1 ! -name NanumGothic.ttf)
    [ -z "$left" ] || fail "the launcher wrote into the disc's faces folder: $(tr '\n' ' ' <<<"$left")"
}

# timed_start_in_root ROOT DISC fresh|again: "CPU WALL", the launcher's
# processor time and the time on the wall, in milliseconds, from the start to
# its window (the next MapNotify from the XEV coprocess), with an emptied
# home (fresh) or the one left.
timed_start_in_root() {
    local started wall cpu line
    [ "$3" = again ] || empty_home "$1"
    # What the last start's end left unread.
    while read -r -t 0.2 line <&"${XEV[0]}"; do :; done
    started=${EPOCHREALTIME/./}
    launch_in_root "$1" "$2"
    while read -r -t 30 line <&"${XEV[0]}" && [[ $line != MapNotify* ]]; do :; done
    wall=$(((${EPOCHREALTIME/./} - started) / 1000))
    # The first field: nanoseconds on a processor.
    read -r cpu _ <"/proc/$launcher_pid/schedstat" || cpu=""
    [[ $line == MapNotify* && -n $cpu ]] && launcher_window || { cat "$session_dir/launcher.err" >&2; return 1; }
    launcher_stop
    echo "$((cpu / 1000000)) $wall"
}

median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

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
    autorun) autorun ;;
    notices) notices ;;
    portable-bullseye) portable bullseye ;;
    portable-trixie) portable trixie ;;
    *) echo "unknown check '$check'" >&2; exit 2 ;;
esac
finish
