#!/usr/bin/env bash
# Makes the image that the Linux checks read, FIXTURE/linux: the whole
# payload of make_fixture.sh's "full" case, and the disc's Linux launcher.
#
#   make_linux_fixture.sh FIXTURE MAKE_IMAGE X86_EXE LINUX_DIR
set -euo pipefail
fixture=$1 make_image=$2 x86_exe=$3 linux=$4

[ -d "$fixture/payload" ] || { echo "the payload $fixture/payload is missing (cd.image.make makes it)" >&2; exit 1; }
rm -rf "$fixture/linux"
if ! bash "$make_image" --exe "$x86_exe" --out "$fixture/linux" --payload "$fixture/payload" \
        --linux "$linux" >"$fixture/linux.log" 2>&1; then
    cat "$fixture/linux.log" >&2
    echo "make_image.sh failed for the 'linux' case" >&2
    exit 1
fi
cat "$fixture/linux.log"
