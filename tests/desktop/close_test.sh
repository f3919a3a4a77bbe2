#!/usr/bin/env bash
# The close button ends the launcher at once with exit(-1): status 255.
source "$(dirname "$0")/session.sh"
session_start
launcher_start
click_at 276 13
launcher_ended 5 || die "the launcher is still running after a click on its close button"
[ "$status" = 255 ] || fail "status $status, not 255"
echo "ended with status $status"
finish
