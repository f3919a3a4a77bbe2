#!/usr/bin/env bash
# A Debian 11 (bullseye) root with the named packages, kept in a cache outside
# the source tree: the disc's Linux launcher is built in one, so that it asks
# for no glibc newer than 2.31, and runs in another, the bare system a user
# may have.
#
#   bullseye_root.sh NAME [PACKAGE...]
#       Prints the root's path, CACHE/NAME, after making it when it is missing
#       or was made with other packages. CACHE is $ORVANE_BULLSEYE_CACHE or
#       /var/cache/orvane-bullseye. Needs root (debootstrap, chroot).
#
# Every root starts as a copy of one debootstrap --variant=minbase, kept as
# CACHE/base. The archive is the one the machine's apt sources name for its
# own release (the same Debian mirror serves bullseye).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/debian_archive.sh"
export LC_ALL=C

die() { printf 'bullseye-root: error: %s\n' "$*" >&2; exit 1; }
say() { printf 'bullseye-root: %s\n' "$*" >&2; }

(($# >= 1)) || die "usage: bullseye_root.sh NAME [PACKAGE...]"
name=$1
shift
[[ $name =~ ^[a-z0-9-]+$ && $name != base ]] || die "the root's name '$name' must be lower-case letters, digits and '-', and not 'base'"
[ "$(id -u)" = 0 ] || die "making a Debian root needs root (debootstrap, chroot)"
command -v debootstrap >/dev/null || die "debootstrap is not installed (tools/setup.sh installs it)"

cache=${ORVANE_BULLSEYE_CACHE:-/var/cache/orvane-bullseye}
root="$cache/$name"
stamp="$root/.orvane-packages"
wanted=$(printf '%s\n' "$@" | sort -u | tr '\n' ' ')

# One maker at a time: the roots share the base.
mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ]; then
    echo "$root"
    exit 0
fi

# in_new COMMAND...: COMMAND in the new root, with a /proc that lives in a
# mount namespace of its own and ends with it.
in_new() {
    unshare --mount --propagation private -- bash -c '
        mount -t proc proc "$1/proc" && root=$1 && shift && exec chroot "$root" "$@"' bash "$root.new" "$@"
}

if [ ! -f "$cache/base/.orvane-base" ]; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    uri=$(debian_uri "$codename") || die "no Debian archive for this release in the apt sources"
    say "debootstrap --variant=minbase bullseye into $cache/base (a few minutes)"
    rm -rf "$cache/base" "$cache/base.new"
    debootstrap --variant=minbase bullseye "$cache/base.new" "$uri" >"$cache/debootstrap.log" 2>&1 ||
        die "debootstrap failed; its log: $cache/debootstrap.log"
    printf 'deb %s bullseye main\ndeb-src %s bullseye main\n' "$uri" "$uri" >"$cache/base.new/etc/apt/sources.list"
    touch "$cache/base.new/.orvane-base"
    mv "$cache/base.new" "$cache/base"
fi

say "making $root with: ${wanted:-nothing more}"
rm -rf "$root" "$root.new"
cp -a "$cache/base" "$root.new"
if (($#)); then
    # Manual pages and translations are of no use here and slow apt down.
    printf 'path-exclude=/usr/share/%s/*\n' man info locale >"$root.new/etc/dpkg/dpkg.cfg.d/orvane-excludes"
    log="$cache/$name.log"
    { in_new apt-get update -q &&
        in_new env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" &&
        in_new apt-get clean; } >"$log" 2>&1 ||
        die "installing $* into the root failed; the log: $log"
fi
echo "$wanted" >"$root.new/.orvane-packages"
mv "$root.new" "$root"
echo "$root"
