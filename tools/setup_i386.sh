#!/usr/bin/env bash
# Installs what running the 32-bit product needs on a machine whose kernel
# cannot execute 32-bit code: Wine's i386 build (Debian multiarch) and
# qemu-i386, which tools/i386_namespace.sh registers for i386 programs inside a
# user namespace of its own. qemu comes from the release's backports suite:
# bookworm's own 7.2 spends most of a minute of CPU on each Wine process.
# The backports suite is taken from the machine's own Debian source, so the
# mirror in use stays the one the machine was given. Already-installed
# packages are skipped.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/debian_archive.sh"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$codename" ] || { echo "setup: not a Debian release with a codename (/etc/os-release)" >&2; exit 1; }
backports="$codename-backports"
i386_packages=(
  wine32:i386
  # Wine's X11 driver and font code load these at run time; on amd64 they
  # come with the desktop, for i386 they are named here.
  libx11-6:i386 libxext6:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386
  libxcursor1:i386 libxfixes3:i386 libxinerama1:i386 libxcomposite1:i386
  libfreetype6:i386 libfontconfig1:i386
)


installed() { dpkg -s "$1" >/dev/null 2>&1; }

qemu_recent() {
  installed qemu-user || return 1
  local v
  v=$(dpkg-query -W -f '${Version}' qemu-user)
  dpkg --compare-versions "$v" ge 1:8
}

dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
list=/etc/apt/sources.list.d/orvane-backports.list
if ! qemu_recent && [ ! -f "$list" ]; then
  uri=$(debian_uri "$codename") || { echo "setup: no Debian source for $codename in the apt sources" >&2; exit 1; }
  echo "deb $uri $backports main" | $sudo tee "$list" >/dev/null
fi

missing=()
for p in "${i386_packages[@]}"; do
  installed "$p" || missing+=("$p")
done
qemu_recent || missing+=("qemu-user/$backports")
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
