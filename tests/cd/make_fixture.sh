#!/usr/bin/env bash
# Makes the CD images that the other CD tests read, each from a payload of
# small files of our own:
#   full     the whole payload; its Setup.exe is marker_setup.c, built here
#   bare     no payload folder
#   absent   a payload folder that does not exist
#   partial  manual.pdf, and Setup.exe under the wrong case (setup.exe)
# Each case's output (what make_image.sh said) is kept in FIXTURE/CASE.log.
#
#   make_fixture.sh FIXTURE MAKE_IMAGE X86_EXE MINGW_CC MARKER_SOURCE
set -euo pipefail
fixture=$1 make_image=$2 x86_exe=$3 mingw_cc=$4 marker_source=$5

[ -f "$x86_exe" ] || { echo "the product launcher $x86_exe is not built (cmake --preset windows-x86 && cmake --build --preset windows-x86)" >&2; exit 1; }
command -v "$mingw_cc" >/dev/null || { echo "the cross compiler '$mingw_cc' is missing (tools/setup.sh installs it)" >&2; exit 1; }

rm -rf "$fixture"
mkdir -p "$fixture/payload" "$fixture/partial-payload"

"$mingw_cc" -Os -s -mwindows -o "$fixture/payload/Setup.exe" "$marker_source"
printf '%%PDF-1.4\n%% the manual stands here\n%%%%EOF\n' >"$fixture/payload/manual.pdf"
printf 'MZ the PDF reader installer stands here\n' >"$fixture/payload/AdbeRdr70_kor.exe"

cp "$fixture/payload/manual.pdf" "$fixture/partial-payload/manual.pdf"
cp "$fixture/payload/Setup.exe" "$fixture/partial-payload/setup.exe"

image() {
    local name=$1
    shift
    if ! bash "$make_image" --exe "$x86_exe" --out "$fixture/$name" "$@" >"$fixture/$name.log" 2>&1; then
        cat "$fixture/$name.log" >&2
        echo "make_image.sh failed for the '$name' case" >&2
        exit 1
    fi
    cat "$fixture/$name.log"
}
image full --payload "$fixture/payload"
image bare
image absent --payload "$fixture/no-such-folder"
image partial --payload "$fixture/partial-payload"
