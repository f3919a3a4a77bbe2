// Font facts for tests and the window manager.
#pragma once

#include "win32.h"

#include <string>
#include <string_view>

namespace host {

// The file that the font's face was loaded from; empty for a handle that is
// no font or a font without a file.
std::string FontFilePath(HFONT font);

// True when every character of text maps to a real glyph of the font's
// file (none falls back to .notdef).
bool FontHasGlyphs(HFONT font, std::wstring_view text);

}  // namespace host
