#!/usr/bin/env bash
# A click on the close button ends the process at once with exit(-1), status
# 255: the exit handlers run (the application object is destroyed), but the
# modal run never returns. The button's origin column is outside it: a click
# there leaves the window open.
source "$(dirname "$0")/harness.sh"
session_start
launcher_start

click_in_band 268 14
sleep 1
launcher_running || die "a click on the close button's origin column ended the launcher"

click_at 270 10
launcher_ended 15 || die "the launcher is still running after a click on its close button"
[ "$status" = 255 ] || fail "status $status, not 255"
trace_has "CWinApp::~CWinApp" || fail "the exit handlers did not run: $(launcher_output)"
for line in "CDialog::EndDialog" "CDialog::DoModal: returns" "CDialog::~CDialog" "AfxWinMain: returns"; do
    if launcher_output | grep -q "^trace: $line"; then
        fail "the modal run ended normally ('$line' in the trace)"
    fi
done
echo "ended with status $status"
finish
