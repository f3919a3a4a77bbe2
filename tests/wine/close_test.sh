#!/usr/bin/env bash
# A click on the close button ends the process at once with exit(-1), which
# wine64 reports as status 255: the exit handlers run (the application object
# is destroyed), but the modal run never returns. The button's origin column
# is outside it: a click there leaves the window open.
source "$(dirname "$0")/wine_session.sh"

prefix_ensure
session_start
launcher_start "$session_dir"

click_at 268 14
sleep 1
launcher_running || fail "a click on the close button's origin column ended the launcher"

click_at 270 10
launcher_wait_end 15 || fail "the launcher is still running after a click on the close button"
[ "$launcher_status" = 255 ] || fail "exit status $launcher_status, want 255"
trace_has "CWinApp::~CWinApp" || fail "the exit handlers did not run: $(tr -d '\r' <"$launcher_trace")"
for line in "CDialog::EndDialog" "CDialog::DoModal: returns" "CDialog::~CDialog" "AfxWinMain: returns"; do
    if tr -d '\r' <"$launcher_trace" | grep -q "^trace: $line"; then
        fail "the modal run ended normally ('$line' in the trace)"
    fi
done
echo "closed with status $launcher_status"
