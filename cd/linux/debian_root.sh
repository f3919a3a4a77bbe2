#!/usr/bin/env bash
# A Debian root of the named suite with the named packages, kept in a cache
# outside the source tree: the disc's Linux launcher is built in a Debian 11
# (bullseye) one, so that it asks for no glibc newer than 2.31, and runs in
# bare ones, the systems a user may have (the oldest it supports, and a
# current one).
#
#   debian_root.sh [--deb-src SUITE]... SUITE NAME [PACKAGE...]
#       Prints the root's path, CACHE/SUITE/NAME, after making it when it is
#       missing or was made with other sources or packages. --deb-src adds
#       the source packages of SUITE to the root's apt sources. CACHE is
#       $ORVANE_DEBIAN_CACHE or /var/cache/orvane-debian. Needs root
#       (debootstrap, chroot).
#
# Every root of a suite starts as a copy of one debootstrap --variant=minbase
# kept as CACHE/SUITE/base, brought up to date from the suite's security and
# updates suites: what is linked in carries Debian's fixes. The archives are
# the ones the machine's apt sources name for its own release and its
# security suite (the same mirrors serve the other suites).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/debian_archive.sh"
export LC_ALL=C

die() { printf 'debian-root: error: %s\n' "$*" >&2; exit 1; }
say() { printf 'debian-root: %s\n' "$*" >&2; }

source_suites=()
while (($#)) && [ "$1" = --deb-src ]; do
    (($# >= 2)) || die "--deb-src needs a suite"
    source_suites+=("$2")
    shift 2
done
(($# >= 2)) || die "usage: debian_root.sh [--deb-src SUITE]... SUITE NAME [PACKAGE...]"
suite=$1 name=$2
shift 2
for word in "$suite" "${source_suites[@]}"; do
    [[ $word =~ ^[a-z]+$ ]] || die "the suite '$word' must be a Debian codename (lower-case letters)"
done
[[ $name =~ ^[a-z0-9-]+$ && $name != base ]] || die "the root's name '$name' must be lower-case letters, digits and '-', and not 'base'"
[ "$(id -u)" = 0 ] || die "making a Debian root needs root (debootstrap, chroot)"
command -v debootstrap >/dev/null || die "debootstrap is not installed (tools/setup.sh installs it)"
[ -e "/usr/share/debootstrap/scripts/$suite" ] || die "this debootstrap does not know the suite '$suite'"

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
uri=$(debian_uri "$codename") || die "no Debian archive for this release ($codename) in the apt sources"
security=$(debian_uri "$codename-security") || die "no Debian security archive ($codename-security) in the apt sources"

cache=${ORVANE_DEBIAN_CACHE:-/var/cache/orvane-debian}/$suite
base="$cache/base"
root="$cache/$name"
base_sources=$(printf 'deb %s %s main\ndeb %s %s-updates main\ndeb %s %s-security main\n' \
    "$uri" "$suite" "$uri" "$suite" "$security" "$suite")
sources=$base_sources
for word in "${source_suites[@]}"; do sources+=$'\n'"deb-src $uri $word main"; done
# What a root is made of: a change to any part of it makes the root anew.
wanted=$(printf '%s\n--\n' "$sources"; printf '%s\n' "$@" | sort -u)

# One maker at a time: the roots share the base.
mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9

if [ -f "$root/.orvane-root" ] && [ "$(cat "$root/.orvane-root")" = "$wanted" ]; then
    echo "$root"
    exit 0
fi

# in_dir DIR COMMAND...: COMMAND in the root DIR.
in_dir() { bash "$(dirname "${BASH_SOURCE[0]}")/in_root.sh" "$@"; }

if [ ! -f "$base/.orvane-base" ] || [ "$(cat "$base/.orvane-base")" != "$base_sources" ]; then
    say "debootstrap --variant=minbase $suite into $base (a few minutes)"
    rm -rf "$base" "$base.new"
    debootstrap --variant=minbase "$suite" "$base.new" "$uri" >"$cache/debootstrap.log" 2>&1 ||
        die "debootstrap failed; its log: $cache/debootstrap.log"
    echo "$base_sources" >"$base.new/etc/apt/sources.list"
    # Manual pages and translations are of no use here and slow apt down.
    printf 'path-exclude=/usr/share/%s/*\n' man info locale >"$base.new/etc/dpkg/dpkg.cfg.d/orvane-excludes"
    { in_dir "$base.new" apt-get update -q &&
        in_dir "$base.new" env DEBIAN_FRONTEND=noninteractive apt-get -y -q upgrade &&
        in_dir "$base.new" apt-get clean; } >>"$cache/debootstrap.log" 2>&1 ||
        die "bringing the $suite base up to date failed; the log: $cache/debootstrap.log"
    echo "$base_sources" >"$base.new/.orvane-base"
    mv "$base.new" "$base"
fi

say "making $root with: ${*:-nothing more}"
rm -rf "$root" "$root.new"
cp -a "$base" "$root.new"
rm "$root.new/.orvane-base"
echo "$sources" >"$root.new/etc/apt/sources.list"
if (($#)) || ((${#source_suites[@]})); then
    log="$cache/$name.log"
    { in_dir "$root.new" apt-get update -q &&
        { ((!$#)) || in_dir "$root.new" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -q --no-install-recommends "$@"; } &&
        in_dir "$root.new" apt-get clean; } >"$log" 2>&1 ||
        die "installing $* into the $suite root failed; the log: $log"
fi
echo "$wanted" >"$root.new/.orvane-root"
mv "$root.new" "$root"
echo "$root"
