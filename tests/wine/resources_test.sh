#!/usr/bin/env bash
# resources_test.sh EXE x86|x64: the executable carries exactly the
# launcher's resources, with their numbers and languages, byte for byte those
# that the resource compiler made (launcher.res), among them the manifest
# file itself and the version block.
#   ORVANE_RES_RECORDS  the res_records tool
#   ORVANE_RES          the .res that the executable's build compiled
#   ORVANE_RES_DIR      res/
source "$(dirname "$0")/checks.sh"
exe=$1 arch=$2
require_exe "$exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$ORVANE_RES_RECORDS" "$exe" | sort >"$work/exe.txt"
"$ORVANE_RES_RECORDS" "$ORVANE_RES" | sort >"$work/res.txt"

# type, name, language of every resource
cat >"$work/want.txt" <<'LIST'
14 128 1042
16 1 1042
2 129 1042
2 130 1042
2 132 1042
2 133 1042
2 134 1042
2 135 1042
24 1 1033
3 1 1042
3 2 1042
5 102 1042
LIST
cut -d' ' -f1-3 "$work/exe.txt" >"$work/have.txt"
diff "$work/want.txt" "$work/have.txt" >"$work/diff.txt" ||
    fail "resources (type name language) differ from the launcher's:
$(cat "$work/diff.txt")"

# Record by record, the same sizes and bytes as the compiled script.
diff "$work/res.txt" "$work/exe.txt" >"$work/diff.txt" ||
    fail "resources differ from $ORVANE_RES (type name language size hash):
$(cat "$work/diff.txt")"

# The manifest asks for the Common Controls of the executable's own
# processor (a 64-bit program given the x86 ones fails to start where
# 64-bit Windows keeps both) ...
case $arch in
    x86) processor=x86 ;;
    x64) processor=amd64 ;;
    *) fail "unknown architecture $arch" ;;
esac
"$ORVANE_RES_RECORDS" "$exe" 24 1 1033 >"$work/manifest"
named=$(grep -o 'processorArchitecture="[^"]*"' "$work/manifest" || true)
[ "$named" = "processorArchitecture=\"$processor\"" ] ||
    fail "the manifest names ${named:-no processor}, want processorArchitecture=\"$processor\""
# ... and is otherwise the file, byte for byte (the product's is the file).
sed "s/processorArchitecture=\"$processor\"/processorArchitecture=\"x86\"/" "$work/manifest" |
    cmp - "$ORVANE_RES_DIR/launcher.manifest" || fail "the manifest differs from res/launcher.manifest"

# The version block: the fixed part (signature, structure version 1.0, file
# and product version 1.0.0.1, flags mask 0x3F, flags VS_FF_DEBUG,
# VOS__WINDOWS32, an application, no subtype, no date) ...
"$ORVANE_RES_RECORDS" "$exe" 16 1 1042 >"$work/version"
fixed=bd04effe00000100000001000100000000000100010000003f000000010000000400000001000000000000000000000000000000
xxd -p "$work/version" | tr -d '\n' | grep -q "$fixed" || fail "the version block's fixed part is not 1.0.0.1 as expected"
# ... the strings in order under the Korean, code page 949 table ...
iconv -f UTF-16LE -t UTF-8 "$work/version" 2>/dev/null | tr -c '[:print:]' '\n' | awk 'length >= 3' >"$work/strings"
strings_want=(VS_VERSION_INFO StringFileInfo 041203b5 CompanyName "*" FileDescription "Orvane CD"
              FileVersion 1.00 InternalName OrvaneCD.exe LegalCopyright "*" OriginalFilename OrvaneCD.exe
              ProductName Orvane ProductVersion 1.00 VarFileInfo Translation)
mapfile -t strings_have <"$work/strings"
[ "${#strings_have[@]}" = "${#strings_want[@]}" ] ||
    fail "version strings: $(printf '%s|' "${strings_have[@]}")"
for i in "${!strings_want[@]}"; do
    [ "${strings_want[$i]}" = "*" ] || [ "${strings_want[$i]}" = "${strings_have[$i]}" ] ||
        fail "version string $i is '${strings_have[$i]}', want '${strings_want[$i]}'"
done
# ... and the translation: language 0x0412, code page 949 (0x03B5).
[ "$(tail -c 4 "$work/version" | xxd -p)" = 1204b503 ] || fail "translation is not 0x0412, 949"
echo "$exe: $(wc -l <"$work/exe.txt") resources as compiled"
