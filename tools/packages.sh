# The Debian 12 packages the project needs, in two sets: what building and
# showing the launcher takes (tools/run.sh), and what building and running
# every test takes on top of that (tools/test.sh). Sourced by tools/setup.sh
# and by the test that keeps the first set free of the second's.

# Building the host launcher and showing it, on a desktop or, without one,
# on a private Xvfb display with openbox and a screenshot.
run_packages=(
  build-essential cmake pkg-config
  llvm clang                       # llvm-rc compiles the resource script; clang runs its preprocessor
  libfreetype-dev libfontconfig-dev libsdl2-dev libx11-dev
  fonts-nanum                      # Hangul glyphs for the dialog font "굴림"
  xvfb openbox xdotool x11-utils imagemagick
)

# The tests, the Windows builds and their Wine suites, the disc image and
# the Debian roots its Linux launcher is built and tried in.
test_packages=(
  git
  clang-format                     # the one code style (.clang-format), checked by tools/test.sh
  libgtest-dev googletest libbenchmark-dev valgrind
  fonts-urw-base35                 # the wordmark's face, for redrawing the art
  fonts-baekmuk                    # a face with Gulim's metrics, for "굴림" in the Wine tests' prefix
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine64
  weston xwayland                  # a headless Wayland compositor whose XWayland the desktop tests use
  xorriso                          # the CD image (cd-image target)
  osslsigncode openssl             # Authenticode signatures, and the throwaway certificate that tests them
  debootstrap util-linux           # the Debian roots that build and run the disc's Linux launcher
)

# Packages that only the test set may bring in, as patterns over the names
# apt would install: the Windows cross toolchain, Wine, qemu, the i386
# architecture and the Debian roots' tools.
test_only_patterns='^(wine|libwine|fonts-wine|gcc-mingw|g\+\+-mingw|mingw-w64|binutils-mingw|qemu|debootstrap|weston|xwayland|osslsigncode|libgtest|googletest|libbenchmark|valgrind|xorriso)|:i386$'
