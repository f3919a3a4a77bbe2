#!/usr/bin/env bash
# Escape, Enter, Alt+F4 and the desktop's close command end the modal run
# through the dialog's own keys (IDOK, IDCANCEL, the system Close command),
# and with it the process, which then ends normally: the main routine
# returns, not the close button's exit. F1 goes on to the framework's help
# handler, and the launcher stays open (under Wine, Windows' help engine
# starts for the help file named after the executable).
#   keys_test.sh [openbox|xwayland]   the desktop it runs on; XWayland has no
#                                     desktop close command here, and its X
#                                     focus follows its fixed pointer, which
#                                     lies on the centred window
source "$(dirname "$0")/harness.sh"
desktop=${1:-openbox}

# what is done, the xdotool keys, the value the modal run ends with (-: it
# goes on)
CASES=(
    "Escape        Escape     2"
    "Enter         Return     1"
    "Alt+F4        alt+F4     2"
    "desktop-close ctrl+alt+w 2"   # openbox's Close: WM_DELETE_WINDOW
    "F1            F1         -"
)
[ "$desktop" = openbox ] || CASES=("${CASES[@]:0:3}" "${CASES[4]}")

session_start "$desktop"
for c in "${CASES[@]}"; do
    read -r what keys result <<<"$c"
    launcher_name=$what # each launcher's output kept apart
    launcher_start
    if [ "$result" = - ] && ! target_is_linux; then
        ! help_engine_started || fail "$what: a help engine is running before the key"
    fi
    [ "$desktop" = xwayland ] || focus_window
    xdotool key --clearmodifiers "$keys"
    if [ "$result" = - ]; then
        wait_for 15 trace_has "CWinApp::OnHelp" || fail "$what: no 'CWinApp::OnHelp' in the trace: $(launcher_output)"
        if ! target_is_linux; then
            wait_for 15 help_engine_started || fail "$what: the help engine did not start"
        fi
        sleep 0.5
        launcher_running || fail "$what: the launcher ended"
        ! trace_has "CDialog::EndDialog 2" && ! trace_has "CDialog::EndDialog 1" || fail "$what: the modal run ended"
        echo "$what: the help handler ran; the launcher is still open"
        launcher_stop
        continue
    fi
    if ! launcher_ended 15; then
        fail "$what: the launcher is still running"
        launcher_stop
        continue
    fi
    ((status != 255)) || fail "$what: ended with the close button's status 255"
    for line in "CDialog::EndDialog $result" "CDialog::DoModal: returns $result" \
        "CDialog::~CDialog template 102" "CWinApp::~CWinApp"; do
        trace_has "$line" || fail "$what: no '$line' in the trace: $(launcher_output)"
    done
    launcher_output | grep -q '^trace: AfxWinMain: returns ' || fail "$what: the main routine did not return"
    echo "$what: the modal run ended with $result, the process with status $status"
done
finish
