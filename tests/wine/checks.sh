# Shared start of every test script here: strict mode, fail, and the check
# that an executable under test has been built.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# require_exe FILE
require_exe() {
    [ -f "$1" ] || fail "$1 does not exist: build the windows-x64 and windows-x86 presets first"
}
