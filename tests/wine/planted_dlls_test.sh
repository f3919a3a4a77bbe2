#!/usr/bin/env bash
# A DLL planted beside the launcher (a copied disc, a download folder) must
# not run in it. The launcher narrows the DLL search before anything else
# runs (platform/dll_search.cpp); this checks that under Wine, as far as
# Wine can show it:
#
#   first-calls  The launcher's first calls into Windows, before the runtime's
#                start-up code makes any, are SetDefaultDllDirectories
#                (looked up in kernel32, given LOAD_LIBRARY_SEARCH_SYSTEM32,
#                and succeeding) and SetDllDirectoryW(""). Read from Wine's
#                relay trace of the launcher's own calls.
#   planted      A proxy DLL (proxy_dll.c, which exports nothing and leaves a
#                marker naming the process that loaded it) beside the launcher
#                under each name the launcher loads after start-up, Wine told
#                to prefer a native DLL for them (WINEDLLOVERRIDES name=n,b, the
#                order Windows itself searches in): the launcher still shows
#                its window. The markers are reported, not counted (below).
#
# What Wine 8 cannot show, so nothing here claims it:
# - Every name on the list below, planted, is loaded into the launcher under
#   Wine with or without the defences: the DLLs of start-up (imports and
#   theirs) because Wine ignores the load configuration's DependentLoadFlags
#   and has no KnownDLLs; the later ones (uxtheme, ole32, rpcrt4, combase)
#   because Wine's own DLLs load them with the standard search order,
#   whatever SetDefaultDllDirectories set. On Windows the later ones come
#   through LoadLibrary and keep to System32 (Windows 8, or Vista/7 with
#   KB2533623), and the start-up ones from System32 on Windows 10 1607 and
#   later. The launcher's own code loads no DLL by name, so under Wine no
#   marker tells the defences' work from their absence.
# - XP's fallback (SetDllDirectoryW alone): Wine's kernel32 always has
#   SetDefaultDllDirectories.
#
#   planted_dlls_test.sh CHECK PROXY_DLL
# on the harness's Wine targets (ORVANE_TARGET wine-x64 or wine-x86).
source "$(dirname "$0")/../e2e/harness.sh"

check=${1:-} proxy=${2:-}
[ -n "$check" ] && [ -n "$proxy" ] || die "usage: planted_dlls_test.sh first-calls|planted PROXY_DLL"
[ -f "$proxy" ] || die "no proxy DLL at $proxy"

# The DLLs the launcher loads by name after its start-up (WINEDEBUG=+loaddll;
# comctl32 comes from the side-by-side store, which the manifest names, and
# no planted copy is looked at).
readonly LATER_DLLS=(uxtheme.dll rpcrt4.dll combase.dll ole32.dll)

# The launcher runs from a folder of its own, as a copied disc or a download
# leaves it, which is where the DLLs are planted; no window manager.
session_start none
app="$session_dir/app"
mkdir -p "$app"
cp "$ORVANE_EXE" "$app/OrvaneCD.exe"
ORVANE_EXE="$app/OrvaneCD.exe"

# own_calls LOG: the first four calls the launcher's own code made, as the
# relay trace LOG shows them: the calls of its process that return into the
# executable (mapped at its preferred base, in the first 256 MB above it),
# and SetDllDirectoryW, which the compiler makes a tail call that returns
# straight to the loader.
own_calls() {
    set +x # (always in a subshell) the loop would fill the session's trace
    local loaded pid base
    loaded=$(grep -m1 'loaddll:build_module Loaded L".*OrvaneCD.exe"' "$1" || true)
    [ -n "$loaded" ] || return 0
    pid=${loaded%%:*}
    base=$(sed 's/.* at \([0-9A-Fa-f]*\).*/\1/' <<<"$loaded")
    { grep "^$pid:[0-9a-f]*:Call [A-Za-z0-9_]*\\..* ret=[0-9a-f]*\$" "$1" || true; } |
        sed 's/^[0-9a-f]*:[0-9a-f]*:Call //' | while IFS= read -r line; do
            local ret=$((16#${line##* ret=}))
            if ((ret >= 16#$base && ret < 16#$base + 16#10000000)) || [[ $line == KERNEL32.SetDllDirectoryW\(* ]]; then
                echo "${line% ret=*}"
            fi
        done | head -n 4 || true
}

four_own_calls() { [ "$(own_calls "$1" | wc -l)" -ge 4 ]; }

first_calls() {
    local log="$session_dir/relay.err"
    # Wine's own processes first, untraced, so that the trace is the launcher's.
    env -u DISPLAY "$WINE" wineboot >/dev/null 2>&1 || die "wineboot failed in $WINEPREFIX"
    # Not launcher_start: under the relay trace the window takes minutes, and
    # the calls looked for come first.
    launch_dir=$app launcher_name=relay
    WINEDEBUG=+pid,+loaddll,+relay target_launch >"$session_dir/relay.out" 2>"$log"
    wait_for 120 four_own_calls "$log" || true
    launcher_stop
    target_end

    grep -q 'loaddll:build_module Loaded L".*OrvaneCD.exe"' "$log" ||
        die "the launcher did not start (Wine said: $(grep -v ':trace:\|:Call \|:Ret ' "$log" | head -5))"
    local calls rets
    calls=$(own_calls "$log")
    rets=$(grep -m1 ":Ret  KERNEL32\.SetDefaultDllDirectories()" "$log" || true)
    local expected=(
        'KERNEL32.GetModuleHandleW(* L"kernel32.dll")'
        'KERNEL32.GetProcAddress(*,* "SetDefaultDllDirectories")'
        'KERNEL32.SetDefaultDllDirectories(00000800)'
        'KERNEL32.SetDllDirectoryW(* L"")'
    )
    local i=0 line
    while IFS= read -r line; do
        # shellcheck disable=SC2053
        [[ $line == ${expected[$i]} ]] ||
            fail "the launcher's call $((i + 1)) is '$line', want '${expected[$i]}' (its first calls: $(echo "$calls" | tr '\n' ';'))"
        i=$((i + 1))
    done <<<"$calls"
    ((i == ${#expected[@]})) || fail "the launcher made $i of the expected first calls: $(echo "$calls" | tr '\n' ';')"
    [[ $rets == *'retval=00000001'* ]] || fail "SetDefaultDllDirectories failed: $rets"
    echo "first calls: $(echo "$calls" | tr '\n' ';')"
}

planted() {
    local overrides="" name
    for name in "${LATER_DLLS[@]}"; do
        cp "$proxy" "$app/$name"
        overrides+="${name%.dll},"
    done
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;${overrides%,}=n,b" launcher_start "$app"
    sleep 2
    local markers
    markers=$(cd "$app" && ls -1 -- *.planted 2>/dev/null || true)
    echo "markers (Wine's own DLLs load these with the standard order): ${markers:-none}"
}

case $check in
    first-calls) first_calls ;;
    planted) planted ;;
    *) die "unknown check '$check'" ;;
esac
finish
