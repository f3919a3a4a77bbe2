#!/usr/bin/env bash
# Runs a command in a Debian root (a chroot that debian_root.sh makes), with
# the mounts it needs in a mount namespace of its own: they end with the
# command, and nothing of the machine's mount table changes.
#
#   in_root.sh [--bind DIR]... [--dev] [--tmp] [--user UID:GID] ROOT COMMAND...
#
#   always       a /proc of its own at ROOT/proc
#   --bind DIR   the machine's DIR at the same path inside the root
#   --dev        the machine's /dev (for a system that installs packages)
#   --tmp        an empty /tmp in memory
#   --user U:G   COMMAND runs as that user and group rather than root
#
# The command replaces this script (the same process), so a caller that
# starts it in the background has the command's pid. Needs root.
set -euo pipefail

die() { printf 'in-root: error: %s\n' "$*" >&2; exit 2; }

binds=() dev=0 tmp=0 user=""
while (($#)); do
    case $1 in
    --bind) (($# >= 2)) || die "--bind needs a folder"; binds+=("$2"); shift 2 ;;
    --dev) dev=1; shift ;;
    --tmp) tmp=1; shift ;;
    --user) (($# >= 2)) || die "--user needs UID:GID"; user=$2; shift 2 ;;
    --) shift; break ;;
    -*) die "unknown option '$1'" ;;
    *) break ;;
    esac
done
(($# >= 2)) || die "usage: in_root.sh [--bind DIR]... [--dev] [--tmp] [--user UID:GID] ROOT COMMAND..."
root=$1
shift
[ -d "$root/proc" ] || die "'$root' is not a root (no proc folder)"
for dir in "${binds[@]}"; do
    [[ $dir == /* && -d $dir ]] || die "'$dir' to bind is not an absolute path to a folder"
done

exec unshare --mount --propagation private -- bash -c '
    set -euo pipefail
    root=$1 dev=$2 tmp=$3 user=$4 nbinds=$5
    shift 5
    for ((i = 0; i < nbinds; i++)); do
        mkdir -p "$root$1"
        mount --bind "$1" "$root$1"
        shift
    done
    mount -t proc proc "$root/proc"
    ((!dev)) || mount --rbind /dev "$root/dev"
    ((!tmp)) || mount -t tmpfs tmpfs "$root/tmp"
    if [ -n "$user" ]; then
        exec chroot --userspec="$user" "$root" "$@"
    fi
    exec chroot "$root" "$@"' in-root "$root" "$dev" "$tmp" "$user" "${#binds[@]}" "${binds[@]}" "$@"
