#!/usr/bin/env bash
# A click on an entry hands its file, relative to the launcher's current
# directory, to the shell: the two programs start, and the manual opens in
# the program registered for .pdf. Each click launches again; the window stays.
source "$(dirname "$0")/wine_session.sh"

# client x, client y, the marker that the click must leave, how the marker's
# last command-line argument ends
CASES=(
    '190  95 Setup.exe.ran         Setup.exe'
    '190 210 AdbeRdr70_kor.exe.ran AdbeRdr70_kor.exe'
    '190 150 pdfviewer.exe.ran     \cd\manual.pdf'
    '190  95 Setup.exe.ran         Setup.exe'
)

prefix_ensure
session_start
cd_root="$session_dir/cd"
mkdir -p "$cd_root"
cp "$ORVANE_MARKER" "$cd_root/Setup.exe"
cp "$ORVANE_MARKER" "$cd_root/AdbeRdr70_kor.exe"
echo "%PDF-1.4 manual" >"$cd_root/manual.pdf"
launcher_start "$cd_root"

markers() {
    (cd "$cd_root" && ls -1 -- *.ran 2>/dev/null || true) | tr '\n' ' ' | sed 's/ $//'
}

for c in "${CASES[@]}"; do
    read -r x y marker suffix <<<"$c"
    rm -f "$cd_root"/*.ran
    click_at "$x" "$y"
    wait_for 20 test -e "$cd_root/$marker" || fail "click at ($x,$y) left no $marker (markers: $(markers))"
    sleep 0.5
    [ "$(markers)" = "$marker" ] || fail "click at ($x,$y) left $(markers), want $marker alone"
    last=$(tr -d '\r' <"$cd_root/$marker" | tail -n1)
    [[ "$last" == *"$suffix" ]] || fail "click at ($x,$y): $marker got '$last', want ...$suffix"
    launcher_running || fail "the launcher ended after the click at ($x,$y)"
    echo "($x,$y): $marker, command line: $(tr -d '\r' <"$cd_root/$marker" | tr '\n' ' ')"
done
