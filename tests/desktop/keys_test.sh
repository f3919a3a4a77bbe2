#!/usr/bin/env bash
# Escape, Enter, Alt+F4 and the desktop's close command each end the
# launcher; F1 does not.
source "$(dirname "$0")/session.sh"

# what is done, the xdotool keys, whether the launcher ends
readonly CASES=(
    "Escape        Escape     ends"
    "Enter         Return     ends"
    "Alt+F4        alt+F4     ends"
    "desktop-close ctrl+alt+w ends"   # openbox's Close: WM_DELETE_WINDOW
    "F1            F1         stays"
)

session_start
for c in "${CASES[@]}"; do
    read -r what keys outcome <<<"$c"
    launcher_start
    xdotool key --clearmodifiers "$keys"
    if [ "$outcome" = ends ]; then
        if launcher_ended 5; then
            ((status != 255)) || fail "$what: ended with the close button's status 255"
            echo "$what: ended with status $status"
        else
            fail "$what: the launcher is still running"
            launcher_stop
        fi
    else
        sleep 0.5
        if kill -0 "$launcher_pid" 2>/dev/null; then
            echo "$what: still running"
        else
            fail "$what: the launcher ended"
        fi
        launcher_stop
    fi
done
finish
