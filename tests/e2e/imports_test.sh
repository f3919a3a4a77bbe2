#!/usr/bin/env bash
# imports_test.sh EXE: the executable needs no DLL beyond Windows' own: the C
# and C++ runtimes are linked in, so no libstdc++, libgcc or winpthread DLL
# has to travel on the CD. It does import the system DLLs the launcher uses.
#   ORVANE_OBJDUMP  an objdump that reads PE32 and PE32+
source "$(dirname "$0")/checks.sh"
exe=$1
require_exe "$exe"

SYSTEM_DLLS=(kernel32.dll user32.dll gdi32.dll comctl32.dll shell32.dll advapi32.dll msvcrt.dll
             ole32.dll oleaut32.dll shlwapi.dll comdlg32.dll version.dll ntdll.dll)
NEEDED_DLLS="kernel32.dll user32.dll gdi32.dll comctl32.dll shell32.dll"

mapfile -t dlls < <("$ORVANE_OBJDUMP" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ "${#dlls[@]}" -gt 0 ] || fail "no import table found"
for dll in "${dlls[@]}"; do
    printf '%s\n' "${SYSTEM_DLLS[@]}" | grep -qxF "$dll" || fail "imports $dll, which is not a Windows system DLL"
done
for dll in $NEEDED_DLLS; do
    printf '%s\n' "${dlls[@]}" | grep -qxF "$dll" || fail "does not import $dll"
done
echo "$exe imports: ${dlls[*]}"
