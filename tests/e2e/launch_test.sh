#!/usr/bin/env bash
# A click on an entry hands its file, relative to the launcher's current
# directory (the CD root), to the shell: a program starts there, a document
# opens in the desktop's opener (under Wine, the program registered for
# .pdf). Each click launches again; the window stays. A click on an entry
# whose file is missing changes nothing.
#
# launch_test.sh [iso]: with "iso" the CD root holds the entries' files
# named as an ISO 9660 disc without extensions shows them, in upper case
# (SETUP.EXE, MANUAL.PDF, and ADBERDR70_KOR.EXE, a Windows program marked
# executable as such a disc marks every file); on Linux the manual and the
# reader then reach the desktop's opener by their names on the disc.
source "$(dirname "$0")/harness.sh"

# client x, client y, the entry's file in the CD root and how it is there
# (program, document, windows-program: a Windows executable marked
# executable, or missing), the marker the click must leave in the CD root
# (-: none), how the marker's last line ends
case ${1:-named} in
named)
    CASES=(
        "150  95 Setup.exe         program  Setup.exe.ran          Setup.exe"
        "190 210 AdbeRdr70_kor.exe program  AdbeRdr70_kor.exe.ran  AdbeRdr70_kor.exe"
        "190 150 manual.pdf        document $OPENER_MARKER         manual.pdf"
        "190  95 Setup.exe         program  Setup.exe.ran          Setup.exe"   # again
        "150 150 manual.pdf        missing  -                      -"
        "150 210 AdbeRdr70_kor.exe missing  -                      -"
    )
    ;;
iso)
    target_is_linux || die "the ISO 9660 names are a Linux desktop's view of the disc"
    CASES=(
        "150  95 SETUP.EXE         program         SETUP.EXE.ran  SETUP.EXE"
        "150  95 SETUP.EXE         program         SETUP.EXE.ran  SETUP.EXE"
        "150 150 MANUAL.PDF        document        $OPENER_MARKER MANUAL.PDF"
        "150 210 ADBERDR70_KOR.EXE windows-program $OPENER_MARKER ADBERDR70_KOR.EXE"
    )
    ;;
*) die "usage: launch_test.sh [iso]" ;;
esac

session_start
target_opener
# gone FILE: no file of that name in the CD root, in any case (the launcher
# finds files as Windows does, without regard to case).
gone() { find "$cdroot" -maxdepth 1 -iname "$1" -exec rm -f {} +; }
# The disc's own files of these names make way for the cases'.
for c in "${CASES[@]}"; do
    read -r _ _ file _ <<<"$c"
    gone "$file"
done
launcher_start

markers() { (cd "$cdroot" && ls -1 -- *.ran 2>/dev/null || true) | tr '\n' ' ' | sed 's/ $//'; }

for c in "${CASES[@]}"; do
    read -r x y file kind marker suffix <<<"$c"
    rm -f "$cdroot"/*.ran
    gone "$file"
    case $kind in
    program) plant_program "$file" ;;
    document) printf '%%PDF-1.4 manual\n' >"$cdroot/$file" ;;
    windows-program) printf 'MZ\x90\0' >"$cdroot/$file" && chmod 0555 "$cdroot/$file" ;;
    missing) ;;
    esac
    click_at "$x" "$y"
    if [ "$marker" = - ]; then
        sleep 1
        [ -z "$(markers)" ] || fail "click at ($x,$y) with $file missing left $(markers)"
    elif wait_for 20 test -e "$cdroot/$marker"; then
        sleep 0.5
        [ "$(markers)" = "$marker" ] || fail "click at ($x,$y) left $(markers), want $marker alone"
        last=$(tr -d '\r' <"$cdroot/$marker" | tail -n1)
        [[ "$last" == *"$suffix" ]] || fail "click at ($x,$y): $marker got '$last', want ...$suffix"
        # A document reaches the opener by its path in the CD root.
        [ "$marker" != "$OPENER_MARKER" ] || opened_from_cdroot "$last" "$suffix" ||
            fail "click at ($x,$y): the opener got '$last', not $suffix in the CD root"
    else
        fail "click at ($x,$y) left no $marker (markers: $(markers))"
    fi
    launcher_running || die "the launcher ended after the click at ($x,$y)"
    echo "($x,$y) $file ($kind): ${marker/#-/nothing}, $(tr -d '\r' <"$cdroot/$marker" 2>/dev/null | tr '\n' ' ')"
done

if target_is_linux; then
    # The ended programs are reaped while the desktop sends nothing more: no
    # zombie is left among the launcher's children.
    zombies() { ps -o stat= --ppid "$launcher_pid" 2>/dev/null | grep -c '^Z' || true; }
    no_zombies() { [ "$(zombies)" = 0 ]; }
    wait_for 5 no_zombies || fail "$(zombies) ended program(s) left as zombies of the launcher"
fi
[ -n "$(target_window)" ] || fail "the launcher window went away"
finish
