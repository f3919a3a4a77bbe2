#!/usr/bin/env bash
# i386_namespace.sh COMMAND [ARG...]
#
# Runs COMMAND where 32-bit x86 Linux programs run, which Wine's i386 build
# (the loader of 32-bit Windows programs) is. A kernel that runs them itself
# runs COMMAND as it is. Elsewhere (a kernel built without 32-bit support)
# COMMAND runs in a user and mount namespace of its own, whose private
# binfmt_misc hands every i386 ELF program to qemu-i386: the registration
# lives and ends with the namespace, and nothing outside it changes. The
# namespace maps the caller to root in it, so COMMAND keeps the caller's
# files, network and processes' view.
#
# Needs the i386 Wine and qemu-user that tools/setup.sh installs, and a kernel
# that lets a user namespace mount binfmt_misc (Linux 6.7 or later).
set -euo pipefail

WINE32=${WINE32:-/usr/lib/wine/wine}
QEMU_I386=${QEMU_I386:-/usr/bin/qemu-i386}

(($#)) || { echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; }
[ -x "$WINE32" ] || { echo "$0: $WINE32 is missing: run tools/setup.sh (wine32:i386)" >&2; exit 1; }

# The kernel runs i386 programs itself.
if "$WINE32" --version >/dev/null 2>&1; then
    exec "$@"
fi

if [ -z "${ORVANE_I386_NAMESPACE:-}" ]; then
    [ -x "$QEMU_I386" ] || { echo "$0: $QEMU_I386 is missing: run tools/setup.sh (qemu-user)" >&2; exit 1; }
    ORVANE_I386_NAMESPACE=1 exec unshare --user --map-root-user --mount --propagation private bash "$0" "$@"
fi

# In the namespace: a binfmt_misc of its own, and qemu-i386 registered for
# ELF files of class 32, little-endian, version 1, type EXEC or DYN
# (the 0xfe mask takes 2 and 3), machine EM_386; the OS ABI and padding
# bytes are ignored. F opens the interpreter now, so it is found whatever the
# program's mount view.
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null || {
    echo "$0: cannot mount binfmt_misc in a user namespace (Linux 6.7 or later is needed)" >&2
    exit 1
}
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xff\xff\x00\x00\x00\x00\x00\x00\x00\x00\x00\xfe\xff\xff\xff'
printf '%s' ":orvane-i386:M::$magic:$mask:$QEMU_I386:F" >/proc/sys/fs/binfmt_misc/register
"$WINE32" --version >/dev/null 2>&1 || { echo "$0: $WINE32 does not run under $QEMU_I386" >&2; exit 1; }
exec "$@"
