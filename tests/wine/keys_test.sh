#!/usr/bin/env bash
# Enter, Escape and Alt+F4 end the modal run through the dialog's own keys
# (IDOK, IDCANCEL, the system Close command), and with it the process, which
# then ends normally: the main routine returns. F1 goes on to the framework's
# help handler, which asks Windows' help engine for the help file named after
# the executable, and the launcher stays open.
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

# F1: the help request becomes ID_HELP, which the dialog routes on to the
# application's one entry; the engine (Wine's winhlp32) starts for
# OrvaneCD.HLP, and the launcher keeps running.
help_engine_started() { pgrep -f -i 'winhlp32' >/dev/null; }
launcher_start "$session_dir"
! help_engine_started || fail "F1: a help engine is running before the key"
focus_window
xdotool key --clearmodifiers F1
wait_for 15 trace_has "CWinApp::OnHelp" || fail "F1: no 'CWinApp::OnHelp' in the trace: $(tr -d '\r' <"$launcher_trace")"
wait_for 15 help_engine_started || fail "F1: the help engine did not start"
sleep 0.5
launcher_running || fail "F1 ended the launcher"
! trace_has "CDialog::EndDialog 2" && ! trace_has "CDialog::EndDialog 1" || fail "F1 ended the modal run"
echo "F1: the help handler ran and started the help engine; the launcher is still open"
