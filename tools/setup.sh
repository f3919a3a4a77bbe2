#!/usr/bin/env bash
# Installs what building and testing the launcher needs on Debian 12.
# Already-installed packages are skipped, so a second run is quick.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  llvm clang                       # llvm-rc compiles the resource script; clang runs its preprocessor
  clang-format                     # the one code style (.clang-format), checked by tools/test.sh
  libgtest-dev googletest libbenchmark-dev valgrind
  libfreetype-dev libfontconfig-dev libsdl2-dev
  fonts-nanum                      # Hangul glyphs for the dialog font "굴림"
  fonts-urw-base35                 # the wordmark's face, for redrawing the art
  fonts-baekmuk                    # a face with Gulim's metrics, for "굴림" in the Wine tests' prefix
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine64 xvfb xdotool imagemagick openbox x11-utils
  xorriso                          # the CD image (cd-image target)
  debootstrap util-linux           # the Debian 11 roots that build and run the disc's Linux launcher
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

bash "$(dirname "$0")/setup_i386.sh"
