#!/usr/bin/env bash
# Installs what the project needs on Debian 12, from Debian's packages.
#
#   setup.sh          everything: building and running every test
#   setup.sh --run    only what building and showing the launcher takes
#
# The two sets are tools/packages.sh. Already-installed packages are
# skipped, so a second run is quick.
set -euo pipefail
tools="$(dirname "$0")"
source "$tools/packages.sh"

case "${1:-}" in
  --run) wanted=("${run_packages[@]}") ;;
  "") wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: setup.sh [--run]" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Running the 32-bit product under Wine is for the tests alone.
[ "${1:-}" = --run ] || bash "$tools/setup_i386.sh"
