# Shared by the CD image tests. The caller sets FIXTURE (the folder that
# make_fixture.sh fills) and sources this file.
set -euo pipefail
export LC_ALL=C

# The images the fixture makes: with the whole payload, without a payload
# folder, with a payload folder that does not exist, and with part of it.
readonly CASES=(full bare absent partial)

source "$(dirname "${BASH_SOURCE[0]}")/../failures.sh"

iso_of() { echo "$FIXTURE/$1/OrvaneCD.iso"; }

# joliet_names ISO: every path in the image's Joliet tree, one a line, sorted.
joliet_names() {
    xorriso -read_fs norock -indev "$1" -find / 2>/dev/null |
        sed -e "s/^'//" -e "s/'\$//" | grep -vx / | sort
}

# extract ISO DIR: copies the image's Joliet tree into DIR.
extract() {
    rm -rf "$2"
    xorriso -read_fs norock -osirrox on -indev "$1" -extract / "$2" >/dev/null 2>&1 ||
        { fail "cannot extract $1"; return 1; }
    chmod -R u+w "$2"
}
