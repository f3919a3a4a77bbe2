#!/usr/bin/env bash
# Checks of the CD images that make_fixture.sh made, and of make_image.sh's
# answer to bad input.
#
#   cd_image_test.sh CHECK FIXTURE X86_EXE MAKE_IMAGE
#
# CHECK is one of
#   listing    the image's root holds exactly the expected names, in their case
#   autorun    autorun.inf's lines, each ended by CR LF
#   contents   the launcher on the disc is the product build byte for byte, and
#              the payload files are the payload folder's
#   bad-input  bad arguments and payloads fail with a clear message and leave
#              an earlier image as it was
#   notices    NOTICES.TXT on the disc: cd/notices.txt with CR LF line ends,
#              current for the product's link (make_notices.sh --check), and
#              naming every library of that link (its linker map beside
#              X86_EXE) and the package each came from
check=$1 FIXTURE=$2 x86_exe=$3 make_image=$4
source "$(dirname "$0")/lib.sh"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/orvane-cd-test.XXXXXX")
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT

# ---- listing -------------------------------------------------------------------

# case | the names at the root, in the C locale's order | what make_image.sh
# must have said, phrases separated by '#' (nothing: it said no note at all)
listing() {
    local case names said
    while IFS='|' read -r case names said; do
        case=${case// /}
        local expected got
        expected=$(printf '%s\n' $names)
        got=$(joliet_names "$(iso_of "$case")" | sed 's|^/||')
        [ "$got" = "$expected" ] ||
            fail "$case: the Joliet tree holds [$(echo $got)], expected [$(echo $expected)]"
        got=$(cd "$FIXTURE/$case/root" && ls -1A | sort)
        [ "$got" = "$expected" ] ||
            fail "$case: the laid-out root holds [$(echo $got)], expected [$(echo $expected)]"

        xorriso -indev "$(iso_of "$case")" -pvd_info 2>/dev/null | grep -qx 'Volume Id    : ORVANE' ||
            fail "$case: the volume id is not ORVANE"

        local log="$FIXTURE/$case.log" phrase
        if [ -z "$said" ]; then
            ! grep -q 'note:' "$log" || fail "$case: make_image.sh said a note: $(grep note: "$log")"
        else
            IFS='#' read -ra phrases <<<"$said"
            for phrase in "${phrases[@]}"; do
                grep -qF -- "$phrase" "$log" || fail "$case: make_image.sh did not say '$phrase' (it said: $(cat "$log"))"
            done
        fi
    done <<'TABLE'
full    |AdbeRdr70_kor.exe NOTICES.TXT OrvaneCD.exe Setup.exe autorun.inf manual.pdf|
bare    |NOTICES.TXT OrvaneCD.exe autorun.inf|no payload folder given#holds only OrvaneCD.exe, NOTICES.TXT and autorun.inf
absent  |NOTICES.TXT OrvaneCD.exe autorun.inf|no-such-folder' does not exist#holds only OrvaneCD.exe, NOTICES.TXT and autorun.inf
partial |NOTICES.TXT OrvaneCD.exe autorun.inf manual.pdf|payload files missing from#: Setup.exe AdbeRdr70_kor.exe;#has 'setup.exe', but the launcher opens 'Setup.exe'
TABLE
}

# ---- autorun.inf -----------------------------------------------------------------

autorun() {
    local expected_lines=("[autorun]" "open=OrvaneCD.exe" "icon=OrvaneCD.exe,0" "label=Orvane")
    local case
    for case in "${CASES[@]}"; do
        extract "$(iso_of "$case")" "$scratch/$case" || continue
        local file="$scratch/$case/autorun.inf"
        [ -f "$file" ] || { fail "$case: no autorun.inf on the disc"; continue; }

        # Every line, the last one too, ends with CR LF, and no CR stands anywhere else.
        local bytes
        bytes=$(od -An -c "$file" | tr -s ' \n' ' ')
        [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$case: autorun.inf's last line does not end with CR LF"
        local lf cr crlf
        lf=$(tr -cd '\n' <"$file" | wc -c)
        cr=$(tr -cd '\r' <"$file" | wc -c)
        crlf=$(grep -c $'\r$' "$file" || true)
        [ "$lf" = "$cr" ] && [ "$crlf" = "$lf" ] ||
            fail "$case: autorun.inf has $lf LF, $cr CR and $crlf CR LF line ends: $bytes"

        local got=()
        mapfile -t got < <(tr -d '\r' <"$file")
        [ "${got[*]}" = "${expected_lines[*]}" ] && [ "${#got[@]}" = "${#expected_lines[@]}" ] ||
            fail "$case: autorun.inf reads [${got[*]}], expected [${expected_lines[*]}]"
    done
}

# ---- contents --------------------------------------------------------------------

# case | the folder its payload came from | the payload files on its disc
contents() {
    local case source names
    while IFS='|' read -r case source names; do
        case=${case// /}
        source=${source// /}
        local disc="$scratch/$case"
        extract "$(iso_of "$case")" "$disc" || continue
        local name
        for name in OrvaneCD.exe $names; do
            [ -f "$disc/$name" ] || fail "$case: $name is not on the disc"
        done
        cmp -s "$disc/OrvaneCD.exe" "$x86_exe" ||
            fail "$case: OrvaneCD.exe on the disc differs from $x86_exe"
        for name in $names; do
            cmp -s "$disc/$name" "$FIXTURE/$source/$name" ||
                fail "$case: $name on the disc differs from $FIXTURE/$source/$name"
        done
    done <<'TABLE'
full    |payload         |AdbeRdr70_kor.exe Setup.exe manual.pdf
bare    |-               |
absent  |-               |
partial |partial-payload |manual.pdf
TABLE
}

# ---- bad input -------------------------------------------------------------------

# bad DESCRIPTION MESSAGE [VAR=VALUE...] -- ARGUMENTS...: make_image.sh, with
# those variables set and those arguments after the good ones, fails, says
# MESSAGE on stderr, and leaves the earlier image and root as they were.
bad() {
    local description=$1 message=$2
    shift 2
    local vars=()
    while [ "$1" != -- ]; do vars+=("$1"); shift; done
    shift
    local out="$scratch/out"
    local before after rc=0
    before=$(cd "$out" && find . -type f -exec md5sum {} + | sort)
    env ${vars[@]+"${vars[@]}"} bash "$make_image" --exe "$x86_exe" --out "$out" \
        --payload "$FIXTURE/payload" "$@" >"$scratch/stdout" 2>"$scratch/stderr" || rc=$?
    after=$(cd "$out" && find . -type f -exec md5sum {} + | sort)
    if [ "$rc" = 0 ]; then
        fail "$description: make_image.sh succeeded"
    fi
    grep -qF -- "$message" "$scratch/stderr" ||
        fail "$description: stderr does not say '$message' (it said: $(cat "$scratch/stderr"))"
    grep -q '^cd-image: error: ' "$scratch/stderr" ||
        fail "$description: the message is not marked as an error"
    [ "$before" = "$after" ] || fail "$description: the earlier image or root changed"
    [ -z "$(find "$out" -mindepth 1 -maxdepth 1 -name '.*')" ] ||
        fail "$description: left behind $(cd "$out" && ls -A | grep '^\.')"
}

bad_input() {
    mkdir -p "$scratch/out"
    cp -a "$FIXTURE/full/." "$scratch/out/"
    printf 'not a program\n' >"$scratch/notes.txt"
    mkdir -p "$scratch/folder-payload/Setup.exe"
    cp "$FIXTURE/payload/manual.pdf" "$scratch/folder-payload/"
    mkdir -p "$scratch/unreadable"
    : >"$scratch/unreadable/Setup.exe"

    bad "no such launcher"        "does not exist"            -- --exe "$scratch/none.exe"
    bad "launcher not a program"  "not a Windows executable"  -- --exe "$scratch/notes.txt"
    bad "launcher is a folder"    "is not a file"             -- --exe "$scratch"
    bad "payload is a file"       "is not a folder"           -- --payload "$scratch/notes.txt"
    bad "payload entry a folder"  "payload entry '$scratch/folder-payload/Setup.exe' is not a file" -- --payload "$scratch/folder-payload"
    bad "volume id with spaces"   "volume id 'orvane cd'"     -- --volid "orvane cd"
    bad "volume id too long"      "volume id"                 -- --volid "$(printf 'A%.0s' {1..33})"
    bad "label too long"          "label"                     -- --label "$(printf 'x%.0s' {1..33})"
    bad "label across lines"      "label"                     -- --label $'Orvane\nopen=evil.exe'
    bad "label not ASCII"         "label"                     -- --label "Orvane 설치 CD"
    bad "unknown argument"        "unknown argument '--bogus'" -- --bogus
    bad "option without value"    "--label needs a value"     -- --label
    bad "no xorriso"              "xorriso is not installed"  XORRISO=/nonexistent/xorriso -- 
    bad "xorriso fails"           "xorriso could not make the image" XORRISO=false --
    if [ "$(id -u)" != 0 ]; then
        chmod 000 "$scratch/unreadable/Setup.exe"
        bad "payload unreadable"  "cannot be read"            -- --payload "$scratch/unreadable"
    fi
}

# ---- notices ---------------------------------------------------------------------

notices() {
    local source map
    source="$(dirname "$make_image")/notices.txt"
    map="$(dirname "$x86_exe")/OrvaneCD.map"
    [ -r "$map" ] || { fail "no linker map beside $x86_exe"; return; }
    bash "$(dirname "$make_image")/make_notices.sh" "$map" --check "$source" 2>"$scratch/check" ||
        fail "cd/notices.txt is out of date: $(cat "$scratch/check")"

    extract "$(iso_of full)" "$scratch/notices" || return
    local file="$scratch/notices/NOTICES.TXT"
    [ -f "$file" ] || { fail "no NOTICES.TXT in the Joliet tree"; return; }
    cmp -s <(tr -d '\r' <"$file") "$source" || fail "NOTICES.TXT differs from $source"
    local lf crlf
    lf=$(tr -cd '\n' <"$file" | wc -c)
    crlf=$(grep -c $'\r$' "$file" || true)
    [ "$lf" -gt 0 ] && [ "$lf" = "$crlf" ] && [ "$(tr -cd '\r' <"$file" | wc -c)" = "$lf" ] ||
        fail "NOTICES.TXT has $lf line ends, $crlf of them CR LF"
    ! LC_ALL=C grep -q '[^[:print:][:space:]]' "$file" || fail "NOTICES.TXT is not plain ASCII"

    # Every library and start-up object of the product's link, by the linker's
    # own record, and the package that installed it.
    local inputs path package
    inputs=$({ sed -n '/^Archive member included/,/^Discarded input sections/p' "$map" |
        grep -o '^/[^(]*\.a(' | sed 's/($//'; grep '^LOAD /.*\.o$' "$map" | awk '{print $2}'; } | sort -u)
    [ -n "$inputs" ] || { fail "$map records no library"; return; }
    while IFS= read -r path; do
        path=$(realpath -m "$path")
        package=$(dpkg -S "$path" 2>/dev/null | head -n1 | cut -d: -f1)
        [ -n "$package" ] || { fail "no package holds $path"; continue; }
        tr -d '\r' <"$file" | sed -n 's/^Linked://p' | tr ' ' '\n' | grep -qxF "$(basename "$path")" ||
            fail "NOTICES.TXT does not name $(basename "$path") (from $package)"
        grep -q "$package" "$file" || fail "NOTICES.TXT does not name the package $package"
    done <<<"$inputs"
}

case $check in
    listing) listing ;;
    notices) notices ;;
    autorun) autorun ;;
    contents) contents ;;
    bad-input) bad_input ;;
    *) echo "unknown check '$check'" >&2; exit 2 ;;
esac
finish
