// What a MessageBoxW type asks for, as the buttons of an SDL message box.
#pragma once

#include "win32.h"

#include <vector>

namespace host::sdl {

struct BoxButton {
    int id;  // IDOK, IDCANCEL, ...: what MessageBoxW returns for it
    const char* text;
};

struct BoxLayout {
    enum class Icon { None, Error, Warning, Information };
    std::vector<BoxButton> buttons;  // left to right; the first answers Enter
    int escapeId = IDOK;             // what Escape (or closing the box) answers
    Icon icon = Icon::None;
};

// An unknown button set falls back to a single OK.
BoxLayout MessageBoxLayout(UINT type);

}  // namespace host::sdl
