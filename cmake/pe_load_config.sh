#!/usr/bin/env bash
# Points an executable's load configuration entry at its _load_config_used.
#
#   pe_load_config.sh EXE MAP OBJDUMP
#
# Windows reads the load configuration (here: DependentLoadFlags, see
# platform/dll_search.cpp) from the data directory's entry 10. Microsoft's
# linker fills it from the symbol _load_config_used; GNU ld 2.40 does not, so
# this fills it after the link: the object's address from the linker map MAP,
# its size from the object's own Size field. An executable without the object
# is an error, not a silent no-op.
set -euo pipefail
exe=$1 map=$2 objdump=$3

die() { printf 'pe_load_config: error: %s\n' "$*" >&2; exit 1; }

# The 32-bit compiler prefixes C names with an underscore.
vma=$(awk '$2 ~ /^_?_load_config_used$/ && $1 ~ /^0x/ { print $1; exit }' "$map")
[ -n "$vma" ] || die "$map names no _load_config_used: the load configuration was not linked"

u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }

pe=$(u32 "$exe" 60)
[ "$(head -c $((pe + 4)) "$exe" | tail -c 4 | od -An -c | tr -d ' ')" = 'PE\0\0' ] || die "$exe is not a PE image"
opt=$((pe + 24))
case $(u16 "$exe" "$opt") in
    267) base=$(u32 "$exe" $((opt + 28))) directories=$((opt + 96)) ;;     # PE32
    523) base=$(($(u32 "$exe" $((opt + 24))) + ($(u32 "$exe" $((opt + 28))) << 32))) directories=$((opt + 112)) ;; # PE32+
    *) die "$exe: unknown optional header" ;;
esac
rva=$((vma - base))

# The structure's first DWORD is its size, as the object itself says.
size_hex=$("$objdump" -s --start-address=$((vma)) --stop-address=$((vma + 4)) "$exe" |
    awk '/^ [0-9a-f]+ / { print $2; exit }')
[ ${#size_hex} = 8 ] || die "cannot read _load_config_used in $exe"
size=$((16#${size_hex:6:2}${size_hex:4:2}${size_hex:2:2}${size_hex:0:2}))
((size >= 64)) || die "_load_config_used is $size bytes, too small to hold DependentLoadFlags"

le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"; }
{ le32 "$rva"; le32 "$size"; } | dd of="$exe" bs=1 seek=$((directories + 10 * 8)) conv=notrunc status=none
