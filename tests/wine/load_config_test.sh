#!/usr/bin/env bash
# load_config_test.sh EXE: the executable's load configuration tells Windows
# 10 (1607 and later) to resolve its imports, and theirs, from System32 alone:
# the data directory's entry points at the structure, whose DependentLoadFlags
# is LOAD_LIBRARY_SEARCH_SYSTEM32 (0x800). The 32-bit product's structure is
# 64 bytes, the size Windows XP accepts (a larger one would also carry a
# SafeSEH handler table, which this build has none of); the 64-bit one ends
# where its handler fields would begin. Wine ignores the field (see
# planted_dlls_test.sh), so this reads the file.
#   ORVANE_OBJDUMP  an objdump that reads PE32 and PE32+
source "$(dirname "$0")/checks.sh"
exe=${1:-}
[ -n "$exe" ] || fail "usage: load_config_test.sh EXE"
require_exe "$exe"
[ -n "${ORVANE_OBJDUMP:-}" ] || fail "ORVANE_OBJDUMP is not set"

private=$("$ORVANE_OBJDUMP" -p "$exe") || fail "$ORVANE_OBJDUMP cannot read $exe"
read -r rva size < <(awk '/^Entry a / { print $3, $4 }' <<<"$private")
base=$(awk '/^ImageBase/ { print $2 }' <<<"$private")
case $(awk '/^Magic/ { print $2 }' <<<"$private") in
    010b) want_size=64 flags_at=54 ;;  # PE32: DependentLoadFlags at 0x36
    020b) want_size=96 flags_at=78 ;;  # PE32+: at 0x4e
    *) fail "$exe: unknown optional header" ;;
esac
[ -n "$rva" ] && ((16#$rva != 0)) || fail "$exe has no load configuration in its data directory"
((16#$size == want_size)) || fail "the load configuration entry is $((16#$size)) bytes, want $want_size"

# The structure's bytes, as the image maps them.
start=$((16#$base + 16#$rva))
bytes=$("$ORVANE_OBJDUMP" -s --start-address=$start --stop-address=$((start + want_size)) "$exe" |
    awk '/^ [0-9a-f]+ / { for (i = 2; i <= 5 && i <= NF; i++) if ($i ~ /^[0-9a-f]+$/) printf "%s", $i }')
((${#bytes} == 2 * want_size)) || fail "cannot read the load configuration of $exe"
le() { # le OFFSET LENGTH: the little-endian number at OFFSET
    local hex="" i
    for ((i = $2 - 1; i >= 0; i--)); do hex+=${bytes:2*($1+i):2}; done
    echo $((16#$hex))
}
(($(le 0 4) == want_size)) || fail "the structure's Size is $(le 0 4), want $want_size"
flags=$(le "$flags_at" 2)
((flags == 0x800)) || fail "DependentLoadFlags is $(printf 0x%x "$flags"), want 0x800 (LOAD_LIBRARY_SEARCH_SYSTEM32)"
echo "$exe: load configuration of $want_size bytes, DependentLoadFlags 0x800"
