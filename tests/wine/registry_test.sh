#!/usr/bin/env bash
# The launcher writes nothing: after a run that moves over every hot spot,
# clicks an entry whose file is missing and ends with Escape, the user's
# registry holds nothing new under HKCU\Software outside Wine's own keys,
# and in particular no key of the application's (the registry key name the
# application records, and its name).
source "$(dirname "$0")/../e2e/harness.sh"

APP_KEY="로컬 응용 프로그램 마법사에서 생성된 응용 프로그램"

# export_keys FILE: the names of every key under HKCU\Software, UTF-8, sorted.
export_keys() {
    local raw="$session_dir/export.reg"
    rm -f "$raw"
    env -u DISPLAY "$WINE" reg export 'HKCU\Software' "$(winepath_of "$raw")" /y >/dev/null 2>&1 ||
        die "reg export of HKCU\\Software failed"
    iconv -f UTF-16 -t UTF-8 "$raw" | tr -d '\r' | sed -n 's/^\[\(.*\)\]$/\1/p' | LC_ALL=C sort >"$1"
}

# The Windows path of a host file (Wine maps the host's root to Z:).
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

session_start
export_keys "$session_dir/before.txt"
grep -q '^HKEY_CURRENT_USER\\Software\\Wine' "$session_dir/before.txt" || fail "the export holds no Wine key: $(head "$session_dir/before.txt")"

launcher_start
for spot in "270 10" "253 10" "190 95" "190 150" "190 210" "150 30"; do
    pointer_to $spot
    sleep 0.2
done
click_at 190 95   # Setup.exe is not in the folder: the shell fails, the window stays
sleep 0.5
focus_window
xdotool key --clearmodifiers Escape
launcher_ended 15 || die "the launcher is still running after Escape"
"$WINESERVER" -w

export_keys "$session_dir/after.txt"
new=$(LC_ALL=C comm -13 "$session_dir/before.txt" "$session_dir/after.txt" |
    grep -v '^HKEY_CURRENT_USER\\Software\\Wine\(\\\|$\)' || true)
[ -z "$new" ] || fail "new keys under HKCU\\Software after the run:
$new"
! grep -qF -e "$APP_KEY" -e OrvaneCD "$session_dir/after.txt" ||
    fail "the registry holds a key of the application's: $(grep -F -e "$APP_KEY" -e OrvaneCD "$session_dir/after.txt")"
echo "HKCU\\Software: $(wc -l <"$session_dir/after.txt") keys before and after, none of the application's"
finish
