// Text conversion between the encodings the host meets: UTF-16 (Windows'
// own, in resources), the host's wide strings (WCHAR, UTF-32 on Linux) and
// UTF-8 (file names, fontconfig, SDL, diagnostics). Invalid input never
// stops a conversion: each bad unit or sequence becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace host {

// UTF-16 to UTF-8 and back for tests and messages; invalid units become U+FFFD.
std::string ToUtf8(const std::u16string& s);
std::u16string FromUtf8(const std::string& s);

// UTF-16 to the host's wide strings (WCHAR, UTF-32 on Linux) and back;
// unpaired surrogates become U+FFFD.
std::wstring ToWide(const std::u16string& s);
std::u16string FromWide(const std::wstring& s);

// Wide text as UTF-8, for the host's own interfaces (file names, font
// names, SDL, diagnostics): code points that UTF-8 cannot carry (surrogates,
// beyond U+10FFFF) become U+FFFD.
std::string Utf8FromWide(std::wstring_view s);

}  // namespace host
