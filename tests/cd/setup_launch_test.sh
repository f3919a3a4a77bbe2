#!/usr/bin/env bash
# From the disc's root as its current directory, the disc's own launcher
# (the 32-bit product, under Wine's i386 build in a 32-bit prefix) starts the
# disc's Setup.exe when its setup entry is clicked. The disc's Setup.exe is
# marker_setup.c, built for 32-bit Windows: it writes setup_started.txt into
# its current directory.
#
#   setup_launch_test.sh FIXTURE
#
# On the end-to-end harness's wine-x86 target, whose CD root is here the
# Joliet tree of the fixture's full image, and whose launcher is the one on
# it. It runs where i386 programs run (tools/i386_namespace.sh).
source "$(dirname "$0")/../e2e/harness.sh"
FIXTURE=${1:-}
[ "$ORVANE_TARGET" = wine-x86 ] || die "ORVANE_TARGET is '$ORVANE_TARGET', want wine-x86"
iso="$FIXTURE/full/OrvaneCD.iso"
[ -f "$iso" ] || die "no image $iso (cd.image.make makes it)"

# The setup entry reacts on client x 101..284, y 86..104.
readonly SETUP_X=150 SETUP_Y=95
readonly MARKER=setup_started.txt

# ---- the disc ------------------------------------------------------------------

# Windows reads the Joliet tree.
cdroot="$session_dir/disc"
xorriso -read_fs norock -osirrox on -indev "$iso" -extract / "$cdroot" >"$session_dir/extract.log" 2>&1 ||
    die "cannot extract $iso: $(tail -n3 "$session_dir/extract.log")"
chmod -R u+w "$cdroot"
[ -f "$cdroot/Setup.exe" ] && [ -f "$cdroot/OrvaneCD.exe" ] || die "the full image lacks Setup.exe or OrvaneCD.exe"
[ ! -e "$cdroot/$MARKER" ] || die "the disc already holds $MARKER"
ORVANE_EXE="$cdroot/OrvaneCD.exe"

# ---- the click -------------------------------------------------------------------

session_start
launcher_start
click_at "$SETUP_X" "$SETUP_Y"
wait_for 30 test -s "$cdroot/$MARKER" || die "Setup.exe did not start within 30 s of the click on the setup entry"

# Setup.exe's current directory is the disc's root.
started_in=$(tr -d '\r\n' <"$cdroot/$MARKER")
[[ ${started_in,,} == *'\disc' ]] || fail "Setup.exe ran in '$started_in', not in the disc's root"

# ---- the end ----------------------------------------------------------------------

focus_window
xdotool key --clearmodifiers Escape
launcher_ended 30 || fail "the launcher did not end within 30 s of Escape"
finish
