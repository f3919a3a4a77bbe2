#!/bin/sh
# The desktop offers to run this when the disc is inserted (freedesktop's
# autostart of removable media) and starts it in the disc's root; it may also
# be run by hand from anywhere. The launcher opens the disc's files relative
# to the root, so it starts there.
cd "$(dirname "$0")" || exit 1
exec ./linux/OrvaneCD "$@"
