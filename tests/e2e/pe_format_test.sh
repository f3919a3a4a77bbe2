#!/usr/bin/env bash
# pe_format_test.sh EXE x86|x64: the executable is a Windows GUI program for
# its processor: PE32 for i386 (the product), PE32+ for x86-64.
#   ORVANE_OBJDUMP  an objdump that reads both (x86_64-w64-mingw32-objdump)
source "$(dirname "$0")/checks.sh"
exe=$1 arch=$2
require_exe "$exe"

# arch: file format, architecture, optional header magic
case $arch in
    x86) want=("pei-i386" "i386" "010b (PE32)") ;;
    x64) want=("pei-x86-64" "i386:x86-64" "020b (PE32+)") ;;
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
echo "$exe: $format, $architecture, $magic, subsystem $subsystem"
