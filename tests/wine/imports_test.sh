#!/usr/bin/env bash
# imports_test.sh EXE: the executable needs no DLL beyond Windows' own: the C
# and C++ runtimes are linked in, so no libstdc++, libgcc or winpthread DLL
# has to travel on the CD. It does import the system DLLs the launcher uses.
# And every function it imports, by name or by ordinal, exists in the oldest
# Windows its build is for: i386 (PE32) runs on Windows XP SP3 (5.1), x86-64
# (PE32+) on Vista (6.0). Each import's first Windows comes from the table
# windows_api_minimums.txt beside this script; a function missing from it
# fails too, so a new import is looked up before it ships.
#   ORVANE_OBJDUMP    an objdump that reads PE32 and PE32+
#   ORVANE_API_TABLE  another table to check against (default: the one here)
source "$(dirname "$0")/checks.sh"
exe=${1:-}
[ -n "$exe" ] || fail "usage: imports_test.sh EXE"
require_exe "$exe"
[ -n "${ORVANE_OBJDUMP:-}" ] || fail "ORVANE_OBJDUMP is not set: point it at an objdump that reads PE32 and PE32+"
table=${ORVANE_API_TABLE:-$(dirname "$0")/windows_api_minimums.txt}
[ -f "$table" ] || fail "no API table at $table"

SYSTEM_DLLS=(kernel32.dll user32.dll gdi32.dll comctl32.dll shell32.dll advapi32.dll msvcrt.dll
             ole32.dll oleaut32.dll shlwapi.dll comdlg32.dll version.dll ntdll.dll)
NEEDED_DLLS=(kernel32.dll user32.dll gdi32.dll comctl32.dll shell32.dll)

# version_number MAJOR.MINOR: one comparable integer (6.0 > 5.10 > 5.2)
version_number() {
    echo $((10#${1%%.*} * 1000 + 10#${1#*.}))
}

header=$("$ORVANE_OBJDUMP" -f "$exe") || fail "$ORVANE_OBJDUMP cannot read $exe"
private=$("$ORVANE_OBJDUMP" -p "$exe") || fail "$ORVANE_OBJDUMP cannot read $exe"
architecture=$(sed -n 's/^architecture: \([^,]*\),.*/\1/p' <<<"$header")
case $architecture in
    i386) floor=5.1 floor_name="Windows XP SP3 (5.1)" ;;
    i386:x86-64) floor=6.0 floor_name="Windows Vista (6.0)" ;;
    *) fail "$exe: architecture '$architecture', want i386 or i386:x86-64" ;;
esac

# One line per import: DLL, then N and the name, or O and the raw thunk (an
# import by ordinal prints "<none>" for its name; its ordinal is the thunk's
# low 16 bits, the same in PE32 and PE32+).
mapfile -t imports < <(awk '
    /^The Import Tables/ { in_imports = 1; next }
    in_imports && /^[^ \t]/ { in_imports = 0 }
    !in_imports { next }
    /^\tDLL Name: / { dll = tolower($3); next }
    dll != "" && /^\t[0-9a-fA-F]+\t/ {
        if ($3 == "<none>") print dll, "O", $1
        else print dll, "N", $3
    }' <<<"$private")
[ "${#imports[@]}" -gt 0 ] || fail "no import table found"

declare -A is_system=() imported_dlls=()
for dll in "${SYSTEM_DLLS[@]}"; do is_system[$dll]=1; done
for line in "${imports[@]}"; do imported_dlls[${line%% *}]=1; done
for dll in "${!imported_dlls[@]}"; do
    [ -n "${is_system[$dll]:-}" ] || fail "imports $dll, which is not a Windows system DLL"
done
for dll in "${NEEDED_DLLS[@]}"; do
    [ -n "${imported_dlls[$dll]:-}" ] || fail "does not import $dll"
done

# The table: "dll name version", then nothing or a # note. A name may itself
# start with # (an ordinal), so only a # after the third field begins a note.
declare -A minimum=()
line_no=0
while IFS= read -r line || [ -n "$line" ]; do
    line_no=$((line_no + 1))
    [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
    read -r dll name version rest <<<"$line"
    [[ $version =~ ^[0-9]+\.[0-9]+$ && ( -z $rest || $rest == \#* ) ]] ||
        fail "$table:$line_no: want 'DLL NAME MAJOR.MINOR [# note]', got: $line"
    if [[ $name == \#* ]]; then
        [[ $name =~ ^#[0-9]+$ ]] || fail "$table:$line_no: ordinal '$name' is not #NUMBER"
        name="#$((10#${name#\#}))"
    fi
    key="${dll,,} $name"
    [ -z "${minimum[$key]:-}" ] || fail "$table:$line_no: $key is listed twice"
    minimum[$key]=$version
done <"$table"

offenders=()
for line in "${imports[@]}"; do
    read -r dll kind what <<<"$line"
    if [ "$kind" = O ]; then
        name="#$((16#${what: -4}))"
        key="$dll $name"
        [ -n "${minimum[$key]:-}" ] || {
            offenders+=("$key: imported by ordinal, which no documentation covers; list it as '$key VERSION' to accept it")
            continue
        }
    else
        key="$dll $what"
        [ -n "${minimum[$key]:-}" ] || {
            offenders+=("$key: missing from $table")
            continue
        }
    fi
    needs=${minimum[$key]}
    # msvcrt's secure CRT first shipped with Vista, whatever a table line says
    if [ "$dll" = msvcrt.dll ] && [[ $what == *_s ]] &&
        [ "$(version_number "$needs")" -lt "$(version_number 6.0)" ]; then
        needs=6.0
    fi
    [ "$(version_number "$needs")" -le "$(version_number "$floor")" ] ||
        offenders+=("$key: needs Windows $needs, newer than the floor $floor")
done
[ "${#offenders[@]}" -eq 0 ] ||
    fail "$exe: ${#offenders[@]} import(s) not known to exist in $floor_name:$(printf '\n  %s' "${offenders[@]}")"

echo "$exe imports: $(printf '%s\n' "${!imported_dlls[@]}" | sort | tr '\n' ' ')(${#imports[@]} functions, all in $floor_name)"
