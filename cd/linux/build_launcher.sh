#!/usr/bin/env bash
# Builds the disc's Linux launcher in a Debian 11 root, so that it runs on any
# x86-64 Linux desktop with glibc 2.31 or newer and an X server: the project's
# own CMake description (ORVANE_DISC_LAUNCHER, cmake/DiscLauncher.cmake) with
# SDL2 (its X11 video alone), FreeType, fontconfig, libstdc++ and libgcc
# linked in; it needs glibc's libraries and the X client libraries only.
#
#   build_launcher.sh OUT RES
#       OUT receives OrvaneCD, liborvane_sdl.so, fonts/ (the Hangul face the
#       label is drawn in) and licenses/ (the complete copyright file of every
#       source package whose archive the linker took, and of the face); the
#       CMake build lives in OUT/build, the linker maps beside the programs.
#       RES is the host build's launcher.res.
#   build_launcher.sh --root
#       Prints the build root's path (made when missing).
#
# The root (cd/linux/debian_root.sh) and the SDL2 build are cached; a change
# of the root's sources or packages, or of SDL2's source version or options,
# makes them anew. Needs root.
set -euo pipefail
export LC_ALL=C

die() { printf 'disc-launcher: error: %s\n' "$*" >&2; exit 1; }
say() { printf 'disc-launcher: %s\n' "$*" >&2; }

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
src=$(cd "$here/../.." && pwd)

readonly SDL_PREFIX=/opt/sdl2-x11
# SDL2 comes from a newer Debian release than the root's: bullseye's 2.0.14
# polls the X connection while idle.
readonly SDL_SUITE=bookworm
readonly SDL_CONFIGURE="--prefix=$SDL_PREFIX --disable-shared --enable-static --with-pic
    --disable-audio --disable-joystick --disable-haptic --disable-sensor --disable-power
    --disable-hidapi --disable-libudev --disable-dbus --disable-ime --disable-ibus --disable-fcitx
    --disable-video-wayland --disable-video-kmsdrm --disable-video-opengl --disable-video-opengles
    --disable-video-vulkan --disable-video-directfb --disable-video-rpi --disable-render
    --enable-video-x11 --enable-x11-shared"
# The compilers and CMake, the static libraries linked in, and the headers of
# the X extensions that SDL2 uses when the desktop has them (it loads them
# itself).
packages=(build-essential cmake pkg-config dpkg-dev xz-utils fonts-nanum
          libfreetype-dev libfontconfig-dev libx11-dev libxext-dev libxcursor-dev
          libxi-dev libxrandr-dev libxss-dev libxxf86vm-dev libxinerama-dev)
root=$(bash "$here/debian_root.sh" --deb-src "$SDL_SUITE" bullseye build "${packages[@]}")
if [ "${1:-}" = --root ] && (($# == 1)); then
    echo "$root"
    exit 0
fi

(($# == 2)) || die "usage: build_launcher.sh OUT RES | build_launcher.sh --root"
mkdir -p "$1"
out=$(cd "$1" && pwd)
[ -f "$2" ] || die "the compiled resources '$2' are missing (build the host preset first)"
res=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
for path in "$out" "$res"; do
    [[ $path == "$src"/* ]] || die "'$path' must lie inside the source tree $src (the root sees only that)"
done

# in_root COMMAND...: COMMAND in the root, the source tree mounted at its own
# path.
in_root() { bash "$here/in_root.sh" --bind "$src" "$root" "$@"; }

# SDL2 from Debian's source package, as a static library with X11 video
# alone: Debian's libSDL2.a asks for the audio and Wayland libraries. Its
# debian/copyright, which names the code inside SDL2 under other licences,
# is kept for the notices.
sdl_version=$(in_root apt-cache showsrc libsdl2 | sed -n 's/^Version: //p' | sort -V | tail -n1)
[ -n "$sdl_version" ] || die "the root's sources offer no libsdl2 source from $SDL_SUITE"
sdl_stamp=$(printf 'libsdl2 %s\n%s\n' "$sdl_version" "$SDL_CONFIGURE"; cat "$root/.orvane-root")
if [ ! -f "$root$SDL_PREFIX/.orvane-sdl" ] || [ "$(cat "$root$SDL_PREFIX/.orvane-sdl")" != "$sdl_stamp" ]; then
    say "building SDL2 $sdl_version (X11 video only) in $root"
    rm -rf "$root$SDL_PREFIX"
    in_root bash -c "set -euo pipefail
        rm -rf /opt/sdl2-src && mkdir -p /opt/sdl2-src && cd /opt/sdl2-src
        apt-get source -q 'libsdl2=$sdl_version'
        cd libsdl2-*/
        test -f debian/copyright
        ./configure $(echo $SDL_CONFIGURE)
        make -j2
        make install
        cp debian/copyright $SDL_PREFIX/copyright" >"$root/../sdl2-build.log" 2>&1 ||
        die "building SDL2 failed; the log: $root/../sdl2-build.log"
    echo "$sdl_stamp" >"$root$SDL_PREFIX/.orvane-sdl"
fi

# A build made against another root or SDL2 is started afresh.
build="$out/build"
if [ ! -f "$build/.orvane-stamp" ] || [ "$(cat "$build/.orvane-stamp")" != "$sdl_stamp" ]; then
    rm -rf "$build"
    mkdir -p "$build"
    echo "$sdl_stamp" >"$build/.orvane-stamp"
fi
say "building the launcher into $out"
in_root env PKG_CONFIG_PATH="$SDL_PREFIX/lib/pkgconfig" bash -c '
    set -euo pipefail
    cmake -S "$1" -B "$2" -DORVANE_DISC_LAUNCHER=ON -DORVANE_DISC_RES="$3"
    cmake --build "$2" --target OrvaneCD orvane_sdl -- -j2' bash "$src" "$build" "$res" >"$out/build.log" 2>&1 ||
    { tail -n 30 "$out/build.log" >&2; die "the build failed; the log: $out/build.log"; }
cp "$build/OrvaneCD" "$build/liborvane_sdl.so" "$build/OrvaneCD.map" "$build/orvane_sdl.map" "$out/"

# The face and the notices. Every archive member the linker took is named in
# its map as ARCHIVE(MEMBER); the archive's package's copyright file goes on
# the disc.
rm -rf "$out/fonts" "$out/licenses"
mkdir -p "$out/fonts" "$out/licenses"
cp "$root/usr/share/fonts/truetype/nanum/NanumGothic.ttf" "$out/fonts/"
cp "$root/usr/share/doc/fonts-nanum/copyright" "$out/licenses/fonts-nanum.txt"
archives=$(grep -ho '/[^ ()]*\.a(' "$out/OrvaneCD.map" "$out/orvane_sdl.map" | tr -d '(' | sort -u)
[ -n "$archives" ] || die "the linker maps name no archive: were they written?"
for archive in $(in_root realpath -e $archives | sort -u); do
    if [[ $archive == "$SDL_PREFIX"/* ]]; then
        cp "$root$SDL_PREFIX/copyright" "$out/licenses/SDL2.txt"
        continue
    fi
    owner=$(in_root dpkg -S "$archive") || die "no package owns $archive: whose notice goes on the disc?"
    for package in $(echo "${owner%%: *}" | tr ',' ' ' | sed 's/:amd64//g'); do
        in_root cat "/usr/share/doc/$package/copyright" >"$out/licenses/$package.txt"
    done
done
say "built $out: $(cd "$out" && ls -1 OrvaneCD liborvane_sdl.so fonts/* licenses/* | tr '\n' ' ')"
