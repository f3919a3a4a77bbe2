#!/usr/bin/env bash
# Enter, Escape and Alt+F4 end the modal run through the dialog's own keys
# (IDOK, IDCANCEL, the system Close command), and with it the process, which
# then ends normally: the main routine returns.
source "$(dirname "$0")/wine_session.sh"

# key (as xdotool names it), the value that the modal run ends with
CASES=(
    "Escape 2"
    "Return 1"
    "alt+F4 2"
)

prefix_ensure
session_start
for c in "${CASES[@]}"; do
    read -r key result <<<"$c"
    launcher_start "$session_dir"
    focus_window
    xdotool key --clearmodifiers "$key"
    launcher_wait_end 15 || fail "$key: the launcher is still running"
    for line in "CDialog::EndDialog $result" "CDialog::DoModal: returns $result" \
                "CDialog::~CDialog template 102" "CWinApp::~CWinApp"; do
        trace_has "$line" || fail "$key: no '$line' in the trace: $(tr -d '\r' <"$launcher_trace")"
    done
    tr -d '\r' <"$launcher_trace" | grep -q '^trace: AfxWinMain: returns ' ||
        fail "$key: the main routine did not return"
    echo "$key: the modal run ended with $result, the process with status $launcher_status"
done
