# The Wine set-up that the Wine tests and the CD image's launch test share:
# the Wine loader and its server, quiet and without installer prompts, and
# the test prefix in $ORVANE_PREFIX, made once and kept. Sourced by
# tests/e2e/target_wine.sh and tests/cd/setup_launch_test.sh; ORVANE_MARKER names the
# marker program of the prefix's processor.
#
# ORVANE_WINE_ARCH chooses the Windows:
#   x64 (the default)  wine64 in a 64-bit prefix that holds Windows' 32-bit
#                      half too (syswow64, the x86 side-by-side assemblies),
#                      as every 64-bit Windows does;
#   x86                Wine's i386 loader in a 32-bit prefix, as on 32-bit
#                      Windows (XP's kind).
# Either prefix is made by 32-bit programs too, so its first use must run
# where i386 programs run (tools/i386_namespace.sh).

case ${ORVANE_WINE_ARCH:-x64} in
    x64) WINE=${WINE:-/usr/lib/wine/wine64} ;;
    x86) WINE=${WINE:-/usr/lib/wine/wine}; export WINEARCH=win32 ;;
    *) echo "ORVANE_WINE_ARCH is '$ORVANE_WINE_ARCH', want x64 or x86" >&2; exit 2 ;;
esac
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINESERVER
export WINEDEBUG=-all
# No Mono or Gecko installer prompts, no menu entries on the host desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX="$ORVANE_PREFIX"

# What a prefix made by wine_prefix_ensure holds; a prefix made for another
# version of this list is made again.
PREFIX_VERSION=5
PDF_VIEWER='C:\orvane-e2e\pdfviewer.exe'

# wine_prefix_ensure: makes the prefix once (under a lock, so that tests
# started together share it): a fresh wineboot, then
# - Baekmuk Gulim as the face that the dialog template names ("굴림", Gulim),
#   as on a Korean Windows: its metrics match Gulim's (a 9 pt cell 12 pixels
#   high, 7 wide on average), so the window has Gulim's size, 291 x 276;
# - the marker program as the program that opens .pdf documents.
# Returns non-zero, having said why on stderr, when a step fails.
wine_prefix_ensure() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        set -e
        flock 9
        if [ "$(cat "$WINEPREFIX/.orvane-e2e" 2>/dev/null)" = "$PREFIX_VERSION" ]; then
            cp "$ORVANE_MARKER" "$WINEPREFIX/drive_c/orvane-e2e/pdfviewer.exe" # the one just built
            exit 0
        fi
        rm -rf "$WINEPREFIX"
        echo "making the Wine prefix $WINEPREFIX" >&2
        env -u DISPLAY "$WINE" wineboot -i >/dev/null 2>&1
        "$WINESERVER" -w
        if [ "${ORVANE_WINE_ARCH:-x64}" = x64 ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/comctl32.dll" ]; then
            echo "the prefix has no 32-bit half: Wine's i386 build must be installed and run (tools/i386_namespace.sh)" >&2
            exit 1
        fi
        local fonts="$WINEPREFIX/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        cp /usr/share/fonts/truetype/baekmuk/gulim.ttf "$fonts/"
        local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
        local face
        for face in "굴림" "Gulim" "굴림체" "GulimChe"; do
            wine_reg add "$key" /v "$face" /t REG_SZ /d "Baekmuk Gulim" /f
        done
        mkdir -p "$WINEPREFIX/drive_c/orvane-e2e"
        cp "$ORVANE_MARKER" "$WINEPREFIX/drive_c/orvane-e2e/pdfviewer.exe"
        wine_reg add 'HKCR\.pdf' /ve /t REG_SZ /d OrvaneE2E.Document /f
        wine_reg add 'HKCR\OrvaneE2E.Document\shell\open\command' /ve /t REG_SZ /d "\"$PDF_VIEWER\" \"%1\"" /f
        "$WINESERVER" -w
        echo "$PREFIX_VERSION" >"$WINEPREFIX/.orvane-e2e"
    ) 9>"$WINEPREFIX.lock"
}

# Wine reads its command line in the locale's character set: under a UTF-8
# locale, so that the Korean face names arrive as they are written.
wine_reg() {
    env -u DISPLAY LC_ALL=C.UTF-8 "$WINE" reg "$@" >/dev/null 2>&1 || { echo "reg $* failed" >&2; return 1; }
}
