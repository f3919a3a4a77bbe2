#!/usr/bin/env bash
# The run command on a fresh Debian 12 system: tools/run.sh, started as a new
# user would start it in a copy of the tracked tree, installs what building
# and showing the launcher takes and nothing of the tests' sets (the Windows
# cross toolchain, Wine, qemu, the i386 architecture, the Debian roots'
# tools), builds the launcher, shows it on a private display and ends it with
# Escape. What apt would install is read first, without installing; then the
# run command runs for real.
#
#   run_command_test.sh SOURCE_DIR WORK_DIR
#
# The system is a throwaway copy of a bookworm minbase root (cd/linux/
# debian_root.sh keeps the base); the copy goes at the end. Needs root and
# the package archive.
set -euo pipefail
export LC_ALL=C
src=$(cd "$1" && pwd)
work=$2

fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }

source "$src/tools/packages.sh"
base=$(bash "$src/cd/linux/debian_root.sh" bookworm plain)
mkdir -p "$work"
system=$(mktemp -d "$work/bookworm.XXXXXX")
trap 'rm -rf "$system"' EXIT
cp -a "$base/." "$system/"

# in_system COMMAND...: COMMAND as root in the system, with /proc, /dev and a
# /tmp of its own, in a bare environment.
in_system() {
    bash "$src/cd/linux/in_root.sh" --dev --tmp "$system" \
        env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 "$@"
}

# The tree as a clone would have it (with what is not committed yet).
mkdir -p "$system/src"
(cd "$src" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done | xargs -0 cp --parents -t "$system/src")

in_system apt-get update -qq >"$system/apt-update.log" 2>&1 || fail "apt-get update in the fresh system failed"
in_system apt-get install -s -qq --no-install-recommends "${run_packages[@]}" >"$system/plan" 2>&1 ||
    { cat "$system/plan" >&2; fail "apt cannot install the run set"; }
planned=$(awk '$1 == "Inst" {print $2}' "$system/plan")
echo "the run set brings $(wc -l <<<"$planned") packages"
strays=$(grep -E "$test_only_patterns" <<<"$planned" || true)
[ -z "$strays" ] || fail "the run set brings in the tests' packages: $(echo $strays)"

in_system bash -c 'cd /src && bash tools/run.sh' >"$work/run.log" 2>&1 ||
    { tail -n 30 "$work/run.log" >&2; fail "tools/run.sh failed in a fresh Debian 12 system (log: $work/run.log)"; }
grep -q "Escape ended the launcher" "$work/run.log" || { tail -n 20 "$work/run.log" >&2; fail "the launcher did not show and end"; }
[ -s "$system/src/build/host/run-screenshot.png" ] || fail "no screenshot of the launcher's window"

installed=$(in_system dpkg-query -W -f '${Package}:${Architecture}\n' | sed 's/:all$\|:amd64$//')
strays=$(grep -E "$test_only_patterns" <<<"$installed" || true)
[ -z "$strays" ] || fail "tools/run.sh installed the tests' packages: $(echo $strays)"
in_system dpkg --print-foreign-architectures | grep -q . && fail "tools/run.sh added a foreign architecture"
echo "tools/run.sh built and showed the launcher in a fresh Debian 12 system, with none of the tests' packages"
