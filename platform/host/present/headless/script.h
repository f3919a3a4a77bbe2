// Scripted headless sessions, for whole-process tests.
//
// ORVANE_HEADLESS_SCRIPT holds commands separated by ';' or newlines. Each
// time the UI thread idles (nothing queued, nothing to paint) the next
// command runs; commands that queue nothing (report, snapshot, sleep) are
// followed at once by the next one, so every input command meets a thread
// that has painted everything. Blank commands and lines starting with '#'
// are skipped; words are separated by blanks.
//
//   move X Y        pointer to (X, Y) relative to the client origin of the
//                   first visible top-level window (negative allowed)
//   smove X Y       pointer to screen (X, Y)
//   press           left button down
//   release         left button up
//   click X Y       move X Y, press, release
//   key NAME        a key down and up: RETURN, ESCAPE, TAB, SPACE, BACK,
//                   LEFT, UP, RIGHT, DOWN, F1..F12, SHIFT, CONTROL, ALT,
//                   a letter A..Z or a digit 0..9
//   altf4           Alt down, F4 down and up, Alt up
//   close           the desktop's close request to the first top-level window
//   minimize        the desktop minimizes the first top-level window
//   restore         ... and restores it
//   invalidate X Y W H
//                   marks that client rectangle of the first visible
//                   top-level window for painting (W, H >= 0), as an
//                   overlapping window uncovering it would
//   report          one line on stdout:
//                     window X Y W H VISIBLE ICONIC "TITLE"
//                   (screen rectangle, 0/1 flags, the title in UTF-8 with
//                   '"' and '\' escaped by '\'), or "window none"
//   snapshot PATH   the first top-level window's pixels as a binary PPM (P6)
//   repeat N CMD    CMD N times (1 <= N <= 100000), each at its own idle
//   sleep MS        pause MS milliseconds (0 <= MS <= 60000)
//
// A script that does not parse is reported on stderr ("headless script:
// command K: ...") and the process ends with status 2 before any command
// runs. When the script is used up and the thread idles again, the session
// reports "headless: script ended with the window still open" on stderr and
// ends with status 124.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host::headless {

struct ScriptCommand {
    enum class Verb {
        Move,
        ScreenMove,
        Press,
        Release,
        Click,
        Key,
        AltF4,
        Close,
        Minimize,
        Restore,
        Report,
        Snapshot,
        Sleep,
        Invalidate
    };
    Verb verb = Verb::Report;
    int x = 0, y = 0;           // move, smove, click; the corner for invalidate
    int width = 0, height = 0;  // invalidate
    int vk = 0;                 // key: the virtual-key code
    int milliseconds = 0;       // sleep
    std::string path;           // snapshot
};

struct ScriptParse {
    std::vector<ScriptCommand> commands;  // repeat already expanded
    std::string error;                    // empty when the script is good
};
ScriptParse ParseScript(std::string_view text);

// Runs one command now (what the idle hook does). False for a command that
// queued nothing, so the caller may go on with the next.
bool RunScriptCommand(const ScriptCommand& command);

// The `report` line for the first top-level window (without newline).
std::string ReportLine();

// Loads ORVANE_HEADLESS_SCRIPT if it is set; false if unset.
bool StartScriptFromEnvironment();
// Runs commands until one queues something; false when the script is used up.
bool StepScript();
void ResetScript();

}  // namespace host::headless
