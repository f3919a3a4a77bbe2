#!/usr/bin/env bash
# Builds the disc's Linux launcher in a Debian 11 root, so that it runs on any
# x86-64 Linux desktop with glibc 2.31 or newer and an X server: SDL2 (its X11
# video alone), FreeType, fontconfig, libstdc++ and libgcc are linked in; it
# needs glibc's libraries and the X client libraries only.
#
#   build_disc_launcher.sh OUT RES
#
# OUT receives OrvaneCD, liborvane_sdl.so, fonts/ (the Hangul face that the
# version label falls back to) and licenses/ (the notices of everything linked
# in, and of the face). RES is the host build's launcher.res. The root and the
# SDL2 build are cached (tools/bullseye_root.sh); the launcher is rebuilt as
# make sees fit. Needs root.
set -euo pipefail
export LC_ALL=C

die() { printf 'disc-launcher: error: %s\n' "$*" >&2; exit 1; }
say() { printf 'disc-launcher: %s\n' "$*" >&2; }

(($# == 2)) || die "usage: build_disc_launcher.sh OUT RES"
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
src=$(cd "$tools/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
[ -f "$2" ] || die "the compiled resources '$2' are missing (build the host preset first)"
res=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
for path in "$out" "$res"; do
    [[ $path == "$src"/* ]] || die "'$path' must lie inside the source tree $src (the root sees only that)"
done

readonly SDL_PREFIX=/opt/sdl2-x11
# The compilers, the static libraries linked in, and the headers of the X
# extensions that SDL2 uses when the desktop has them (it loads them itself).
packages=(build-essential pkg-config dpkg-dev xz-utils fonts-nanum
          libfreetype-dev libfontconfig-dev libx11-dev libxext-dev libxcursor-dev
          libxi-dev libxrandr-dev libxss-dev libxxf86vm-dev libxinerama-dev)
root=$(bash "$tools/bullseye_root.sh" build "${packages[@]}")

# in_root COMMAND...: COMMAND in the root, the source tree mounted at its own
# path; the mounts live in a namespace of their own and end with it.
in_root() {
    unshare --mount --propagation private -- bash -c '
        set -euo pipefail
        root=$1 src=$2; shift 2
        mkdir -p "$root$src"
        mount --bind "$src" "$root$src"
        mount -t proc proc "$root/proc"
        exec chroot "$root" "$@"' bash "$root" "$src" "$@"
}

# SDL2 from bullseye's source package, as a static library with X11 video
# alone: the archive's own libSDL2.a asks for the audio and Wayland libraries.
# A mirror that serves the upstream tarball without Debian's packaging
# leaves apt-get source unfinished; the upstream source is built then.
if [ ! -f "$root$SDL_PREFIX/.orvane-done" ]; then
    say "building SDL2 (X11 video only) in $root"
    in_root bash -c "set -euo pipefail
        rm -rf /opt/sdl2-src && mkdir -p /opt/sdl2-src && cd /opt/sdl2-src
        apt-get source -q libsdl2 || ls libsdl2_*.orig.tar.* >/dev/null
        [ -d libsdl2-*/ ] || tar xf libsdl2_*.orig.tar.*
        cd */
        ./configure --prefix=$SDL_PREFIX --disable-shared --enable-static --with-pic \
            --disable-audio --disable-joystick --disable-haptic --disable-sensor --disable-power \
            --disable-hidapi --disable-libudev --disable-dbus --disable-ime --disable-ibus --disable-fcitx \
            --disable-video-wayland --disable-video-kmsdrm --disable-video-opengl --disable-video-opengles \
            --disable-video-vulkan --disable-video-directfb --disable-video-rpi --disable-render \
            --enable-video-x11 --enable-x11-shared
        make -j2
        make install
        cp LICENSE.txt $SDL_PREFIX/LICENSE.txt 2>/dev/null || cp COPYING.txt $SDL_PREFIX/LICENSE.txt
        touch $SDL_PREFIX/.orvane-done" >"$root/../sdl2-build.log" 2>&1 ||
        die "building SDL2 failed; the log: $root/../sdl2-build.log"
fi

say "building the launcher into $out"
in_root make -C "$src" -f "$src/cd/linux/launcher.mk" -j2 \
    SRC="$src" OUT="$out" RES="$res" SDL_PREFIX="$SDL_PREFIX" >"$out/make.log" 2>&1 ||
    { tail -n 30 "$out/make.log" >&2; die "the build failed; the log: $out/make.log"; }

# The face and the notices. Every static archive the linker took is named by
# its trace; its package's copyright file goes on the disc.
rm -rf "$out/fonts" "$out/licenses"
mkdir -p "$out/fonts" "$out/licenses"
cp "$root/usr/share/fonts/truetype/nanum/NanumGothic.ttf" "$out/fonts/"
cp "$root/usr/share/doc/fonts-nanum/copyright" "$out/licenses/fonts-nanum.txt"
cp "$root$SDL_PREFIX/LICENSE.txt" "$out/licenses/SDL2.txt"
archives=$(cat "$out"/*.trace | grep -o '/[^ ():]*\.a' | sort -u)
for archive in $(in_root realpath -e $archives | grep -v "^$SDL_PREFIX/" | sort -u); do
    owner=$(in_root dpkg -S "$archive") || die "no package owns $archive: whose notice goes on the disc?"
    for package in $(echo "${owner%%: *}" | tr ',' ' ' | sed 's/:amd64//g'); do
        in_root cat "/usr/share/doc/$package/copyright" >"$out/licenses/$package.txt"
    done
done
say "built $out: $(cd "$out" && ls -1 OrvaneCD liborvane_sdl.so fonts/* licenses/* | tr '\n' ' ')"
