#!/usr/bin/env bash
# pe_format_test.sh EXE x86|x64: the executable is a Windows GUI program for
# its processor: PE32 for i386 (the product), PE32+ for x86-64. Its header asks
# for no newer Windows than the build supports (the loader refuses an image
# whose subsystem version is above its own): the OS and subsystem versions are
# at most 5.1 (Windows XP) for x86 and 6.0 (Vista) for x64.
#   ORVANE_OBJDUMP  an objdump that reads both (x86_64-w64-mingw32-objdump)
source "$(dirname "$0")/checks.sh"
exe=${1:-} arch=${2:-}
[ -n "$exe" ] || fail "usage: pe_format_test.sh EXE x86|x64"
require_exe "$exe"

# arch: file format, architecture, optional header magic, newest Windows
case $arch in
    x86) want=("pei-i386" "i386" "010b (PE32)" 5.1) ;;
    x64) want=("pei-x86-64" "i386:x86-64" "020b (PE32+)" 6.0) ;;
    *) fail "unknown architecture $arch" ;;
esac

header=$("$ORVANE_OBJDUMP" -f "$exe")
format=$(sed -n 's/.*file format //p' <<<"$header")
architecture=$(sed -n 's/^architecture: \([^,]*\),.*/\1/p' <<<"$header")
[ "$format" = "${want[0]}" ] || fail "file format $format, want ${want[0]}"
[ "$architecture" = "${want[1]}" ] || fail "architecture $architecture, want ${want[1]}"

private=$("$ORVANE_OBJDUMP" -p "$exe")
magic=$(awk '$1 == "Magic" {print $2, $3}' <<<"$private")
subsystem=$(awk '$1 == "Subsystem" {print $2, $3, $4}' <<<"$private")
[ "$magic" = "${want[2]}" ] || fail "optional header magic $magic, want ${want[2]}"
[ "$subsystem" = "00000002 (Windows GUI)" ] || fail "subsystem $subsystem, want 00000002 (Windows GUI)"

# version_number MAJOR.MINOR: one comparable integer (6.0 > 5.10 > 5.2)
version_number() {
    echo $((10#${1%%.*} * 1000 + 10#${1#*.}))
}
# The header fields are decimal in objdump -p: "MajorOSystemVersion 4".
versions=()
for field in OSystem Subsystem; do
    major=$(awk -v f="Major${field}Version" '$1 == f {print $2}' <<<"$private")
    minor=$(awk -v f="Minor${field}Version" '$1 == f {print $2}' <<<"$private")
    [[ $major =~ ^[0-9]+$ && $minor =~ ^[0-9]+$ ]] ||
        fail "no Major${field}Version/Minor${field}Version in the optional header"
    [ "$(version_number "$major.$minor")" -le "$(version_number "${want[3]}")" ] ||
        fail "Major${field}Version.Minor${field}Version is $major.$minor, want at most ${want[3]}"
    versions+=("$major.$minor")
done
echo "$exe: $format, $architecture, $magic, subsystem $subsystem, OS version ${versions[0]}, subsystem version ${versions[1]}"
