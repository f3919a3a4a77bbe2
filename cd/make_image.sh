#!/usr/bin/env bash
# Lays out the installation CD's root and makes its ISO 9660 image.
#
#   make_image.sh --exe FILE --out DIR [--payload DIR] [--linux DIR] [--label TEXT] [--volid ID]
#
#   --exe FILE     the launcher for the disc (build/windows-x86/OrvaneCD.exe,
#                  or its signed copy); it goes onto the disc as OrvaneCD.exe,
#                  with NOTICES.TXT (cd/notices.txt), the notices of the
#                  runtime libraries it links
#   --out DIR      where DIR/root (the disc's files) and DIR/OrvaneCD.iso go
#   --payload DIR  the folder that holds Setup.exe, manual.pdf and
#                  AdbeRdr70_kor.exe. Optional: without it, or with files
#                  missing from it, the disc is made without them and the
#                  missing names are reported.
#   --linux DIR    the disc's Linux launcher (cd/linux/build_launcher.sh):
#                  OrvaneCD, liborvane_sdl.so, fonts/ and licenses/. Optional:
#                  with it the disc also carries linux/ (those), autorun.sh,
#                  which a Linux desktop offers to run, and .xdg-volume-info
#                  with the icon it names. These are Rock Ridge names alone:
#                  Windows reads the Joliet tree and sees the disc as before.
#   --label TEXT   the label Explorer shows for the disc (autorun.inf); Orvane
#   --volid ID     the ISO 9660 volume id; ORVANE
#
# The image carries Joliet names, which Windows reads, so every name keeps its
# exact case (the launcher opens ".\Setup.exe" and so on), and Rock Ridge,
# which Linux reads. XORRISO names the xorriso to use.
#
# Nothing is replaced until the new root and image are complete: a failed run
# leaves an earlier root and image as they were.
set -euo pipefail
export LC_ALL=C

readonly LAUNCHER_NAME=OrvaneCD.exe
readonly NOTICES_NAME=NOTICES.TXT
readonly ISO_NAME=OrvaneCD.iso
readonly PAYLOAD_NAMES=(Setup.exe manual.pdf AdbeRdr70_kor.exe)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

say() { printf 'cd-image: %s\n' "$*"; }
die() { printf 'cd-image: error: %s\n' "$*" >&2; exit 1; }

exe="" out="" payload="" linux="" label=Orvane volid=ORVANE
while (($#)); do
    case $1 in
        --exe|--out|--payload|--linux|--label|--volid)
            (($# >= 2)) || die "$1 needs a value"
            declare "${1#--}=$2"
            shift 2 ;;
        *) die "unknown argument '$1' (use --exe, --out, --payload, --linux, --label, --volid)" ;;
    esac
done

# ---- the inputs ----------------------------------------------------------------

[ -n "$exe" ] || die "--exe is required: the launcher to put on the disc"
[ -n "$out" ] || die "--out is required: the folder for the disc root and the image"
[ -e "$exe" ] || die "the launcher '$exe' does not exist (build it: cmake --preset windows-x86 && cmake --build --preset windows-x86)"
[ -f "$exe" ] || die "the launcher '$exe' is not a file"
[ -r "$exe" ] || die "the launcher '$exe' cannot be read"
[ "$(head -c 2 "$exe")" = MZ ] || die "the launcher '$exe' is not a Windows executable (no MZ header)"

# Explorer shows the label as it stands; one line of printable ASCII keeps
# autorun.inf readable in every code page.
[[ $label =~ ^[[:print:]]{1,32}$ && $label == "${label//[^ -~]/}" ]] ||
    die "the label '$label' must be 1 to 32 printable ASCII characters"
[[ $volid =~ ^[A-Z0-9_]{1,32}$ ]] ||
    die "the volume id '$volid' must be 1 to 32 of A-Z, 0-9 and _ (ISO 9660 d-characters)"

source "$here/linux/layout.sh"

template="$here/autorun.inf.in"
[ -r "$template" ] || die "the autorun.inf template '$template' is missing"
notices="$here/notices.txt"
[ -r "$notices" ] || die "the third-party notices '$notices' are missing (cd/make_notices.sh makes them)"

xorriso=${XORRISO:-xorriso}
command -v "$xorriso" >/dev/null 2>&1 ||
    die "xorriso is not installed (apt-get install xorriso; tools/setup.sh installs it)"

# The payload: every file that is there is taken; the others are reported.
present=() missing=()
if [ -z "$payload" ]; then
    missing=("${PAYLOAD_NAMES[@]}")
    say "note: no payload folder given (ORVANE_PAYLOAD_DIR); the disc holds only $LAUNCHER_NAME, $NOTICES_NAME and autorun.inf"
elif [ ! -e "$payload" ]; then
    missing=("${PAYLOAD_NAMES[@]}")
    say "note: the payload folder '$payload' does not exist; the disc holds only $LAUNCHER_NAME, $NOTICES_NAME and autorun.inf"
elif [ ! -d "$payload" ]; then
    die "the payload folder '$payload' is not a folder"
else
    for name in "${PAYLOAD_NAMES[@]}"; do
        file="$payload/$name"
        if [ -e "$file" ]; then
            [ -f "$file" ] || die "the payload entry '$file' is not a file"
            [ -r "$file" ] || die "the payload file '$file' cannot be read"
            present+=("$name")
        else
            missing+=("$name")
            # The launcher asks for exact names; a near miss in case is worth a word.
            other=$(find "$payload" -maxdepth 1 -iname "$name" -printf '%f\n' 2>/dev/null | head -n1)
            [ -z "$other" ] || say "note: '$payload' has '$other', but the launcher opens '$name' (the case must match)"
        fi
    done
    ((${#missing[@]} == 0)) ||
        say "note: payload files missing from '$payload': ${missing[*]}; the disc is made without them"
fi

[ -z "$linux" ] || linux_check "$linux"

# ---- the new root and image, beside the old ones -------------------------------

mkdir -p "$out"
out=$(cd "$out" && pwd)
new_root="$out/.root.new"
new_iso="$out/.$ISO_NAME.new"
cleanup() { rm -rf "$new_root" "$new_iso"; }
trap cleanup EXIT
cleanup

mkdir "$new_root"
cp "$exe" "$new_root/$LAUNCHER_NAME"
for name in ${present[@]+"${present[@]}"}; do
    cp "$payload/$name" "$new_root/$name"
done

# autorun.inf: the template with its values filled in, every line ended by CR LF.
{
    while IFS= read -r line || [ -n "$line" ]; do
        line=${line%$'\r'}
        line=${line//@ORVANE_CD_EXE@/"$LAUNCHER_NAME"}
        line=${line//@ORVANE_CD_LABEL@/"$label"}
        [[ $line != *@ORVANE_CD_*@* ]] || die "autorun.inf template line '$line' names an unknown value"
        printf '%s\r\n' "$line"
    done <"$template"
} >"$new_root/autorun.inf"

# The notices of what the launcher links (make_notices.sh), with CR LF line
# ends, which Notepad on Windows XP needs.
sed 's/\r$//; s/$/\r/' "$notices" >"$new_root/$NOTICES_NAME"

linux_args=() linux_commands=()
if [ -n "$linux" ]; then
    linux_layout "$linux" "$new_root"
    mapfile -t linux_args < <(linux_xorriso_args "$new_root")
    mapfile -t linux_commands < <(linux_xorriso_commands)
fi

# On Linux nothing on the disc is a program but what the image marks so:
# the Windows executables, the payload's among them, are files to read.
find "$new_root" -type f -exec chmod 0644 {} +

log="$out/.xorriso.log"
if ! "$xorriso" -as mkisofs -o "$new_iso" -V "$volid" -J -r \
        -A "Orvane installation CD" -publisher "Orvane" \
        ${linux_args[@]+"${linux_args[@]}"} \
        "$new_root" ${linux_commands[@]+"${linux_commands[@]}"} >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    die "xorriso could not make the image"
fi
rm -f "$log"

# Both are complete: put them in place of the old ones.
rm -rf "$out/root"
mv "$new_root" "$out/root"
mv -f "$new_iso" "$out/$ISO_NAME"

files=$(cd "$out/root" && ls -1A | sort | tr '\n' ' ')
say "wrote $out/$ISO_NAME (volume $volid): ${files% }"
