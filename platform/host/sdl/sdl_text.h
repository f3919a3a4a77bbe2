// Window text (wide characters) as the UTF-8 that SDL takes.
#pragma once

#include <string>
#include <string_view>

namespace host::sdl {

// Code points that UTF-8 cannot carry (surrogates, beyond U+10FFFF) become U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

}  // namespace host::sdl
