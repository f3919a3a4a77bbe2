#include "sdl_text.h"

namespace host::sdl {

std::string Utf8FromWide(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        auto v = static_cast<char32_t>(c);
        if (v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) v = 0xFFFD;
        if (v < 0x80) {
            out.push_back(static_cast<char>(v));
        } else if (v < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (v >> 6)));
            out.push_back(static_cast<char>(0x80 | (v & 0x3F)));
        } else if (v < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (v >> 12)));
            out.push_back(static_cast<char>(0x80 | ((v >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (v & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (v >> 18)));
            out.push_back(static_cast<char>(0x80 | ((v >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((v >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (v & 0x3F)));
        }
    }
    return out;
}

}  // namespace host::sdl
