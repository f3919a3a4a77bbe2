# The harness's adapter for the Windows builds under Wine (sourced by
# harness.sh): wine-x64, the 64-bit build under wine64; wine-x86, the
# product under Wine's i386 build, which the test runs through
# tools/i386_namespace.sh. The caller sets
#   ORVANE_EXE      the launcher, build/windows-*/OrvaneCD.exe
#   ORVANE_PREFIX   the Wine prefix folder (made on first use)
#   ORVANE_MARKER   marker.exe, the stand-in for the programs on the CD
#   ORVANE_PROBE    probe.exe, which reports on the window through Win32
# and, for the prefix's processor, ORVANE_WINE_ARCH follows the target.

ORVANE_WINE_ARCH=${ORVANE_TARGET#wine-}
export ORVANE_WINE_ARCH
source "$E2E_DIR/../wine/wine_prefix.sh"

# The label's text in the prefix's Gulim face: at least LABEL_MIN_DARK pixels darker than
# LABEL_DARK_LEVEL (of 255).
readonly LABEL_MIN_DARK=60 LABEL_DARK_LEVEL=128

target_check() {
    local v
    for v in ORVANE_EXE ORVANE_PREFIX ORVANE_MARKER ORVANE_PROBE; do
        [ -n "${!v:-}" ] || die "$v is not set (run the test through ctest)"
    done
    [ -f "$ORVANE_EXE" ] || die "$ORVANE_EXE does not exist: build the windows-x64 and windows-x86 presets first"
    wine_prefix_ensure || die "cannot make the Wine prefix $WINEPREFIX"
}

target_is_linux() { false; }

target_cdroot() { mkdir -p "$1"; }

# Wine's server for the prefix ends with the session; the tests of one
# prefix take turns (CTest's resource lock).
target_end() { "$WINESERVER" -k >/dev/null 2>&1 || true; }

target_launch() {
    (cd "$launch_dir" && ORVANE_TRACE=1 exec "$WINE" "$ORVANE_EXE") &
    launcher_pid=$!
}

# The window by its title, which the first paint sets; other_windows (a
# second launcher's test sets it) left out.
target_window() {
    xdotool search --onlyvisible --name '^Orvane' 2>/dev/null | grep -vxF -e "${other_windows:-none}" | head -n1 || true
}

plant_program() { cp "$ORVANE_MARKER" "$cdroot/$1"; }

# The prefix opens .pdf documents with the marker as pdfviewer.exe.
readonly OPENER_MARKER=pdfviewer.exe.ran
target_opener() { :; }

# probe FILE: writes what Win32 reports on the launcher window (probe.c).
probe() { "$WINE" "$ORVANE_PROBE" 2>/dev/null | tr -d '\r' >"$1" || true; }

# probed FILE KEY: the rest of the line KEY of a probe's report.
probed() { sed -n "s/^$2 //p" "$1"; }

# The version label's rectangle "X Y W H" as Win32 places it, asked once
# (kept in a file: callers read it in subshells).
label_rect() {
    local f="$session_dir/label-rect"
    if [ ! -s "$f" ]; then
        probe "$session_dir/label-probe.txt"
        probed "$session_dir/label-probe.txt" label >"$f"
        [ -s "$f" ] || die "no version label (control 1000) in the window"
    fi
    cat "$f"
}

# help_engine_started: Wine's help engine runs in this session's prefix.
# Another prefix's (a test of the other Wine build beside this one) is not
# this launcher's.
help_engine_started() {
    local pid
    for pid in $(pgrep -f -i 'winhlp32'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

# opened_from_cdroot ARG NAME: the viewer's argument ARG is NAME's Windows
# path in the CD root.
opened_from_cdroot() { [[ "$1" == *'\cdroot\'"$2" ]]; }
