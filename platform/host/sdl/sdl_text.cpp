#include "sdl_text.h"

#include "res_reader.h"

namespace host::sdl {

std::string Utf8FromWide(std::wstring_view text)
{
    return res::ToUtf8(res::FromWide(std::wstring(text)));
}

}  // namespace host::sdl
