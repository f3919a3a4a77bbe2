// UTF-16 <-> UTF-8 and host wide strings. Invalid input never stops a
// conversion: each bad unit or sequence becomes U+FFFD.

#include "base/utf.h"

namespace host {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHigh(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Calls fn for each code point of UTF-16 text.
template <typename Fn> void EachCodePoint(const std::u16string& s, Fn&& fn)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t u = s[i];
        if (IsHigh(u) && i + 1 < s.size() && IsLow(s[i + 1])) {
            fn(0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00));
            ++i;
        } else if (IsHigh(u) || IsLow(u)) {
            fn(kReplacement);
        } else {
            fn(u);
        }
    }
}

void AppendUtf16(std::u16string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

}  // namespace

std::string ToUtf8(const std::u16string& s)
{
    std::string out;
    EachCodePoint(s, [&](char32_t cp) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    });
    return out;
}

std::u16string FromUtf8(const std::string& s)
{
    std::u16string out;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        int len = 0;
        char32_t cp = 0, min = 0;
        if (b0 < 0x80) {
            len = 1;
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            len = 2;
            cp = b0 & 0x1F;
            min = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            len = 3;
            cp = b0 & 0x0F;
            min = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            len = 4;
            cp = b0 & 0x07;
            min = 0x10000;
        }
        if (len == 0) {  // a stray continuation byte or an invalid lead byte
            AppendUtf16(out, kReplacement);
            ++i;
            continue;
        }
        int got = 1;
        while (got < len && i + got < s.size() && (static_cast<unsigned char>(s[i + got]) & 0xC0) == 0x80) {
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + got]) & 0x3F);
            ++got;
        }
        // Truncated, overlong, surrogate or out-of-range sequences are replaced
        // as a whole, and decoding resumes after the bytes examined.
        if (got < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
        AppendUtf16(out, cp);
        i += got;
    }
    return out;
}

std::wstring ToWide(const std::u16string& s)
{
    std::wstring out;
    if constexpr (sizeof(wchar_t) == 2) {
        out.assign(s.begin(), s.end());
    } else {
        EachCodePoint(s, [&](char32_t cp) { out.push_back(static_cast<wchar_t>(cp)); });
    }
    return out;
}

std::u16string FromWide(const std::wstring& s)
{
    std::u16string out;
    if constexpr (sizeof(wchar_t) == 2) {
        out.assign(s.begin(), s.end());
    } else {
        for (wchar_t w : s) AppendUtf16(out, static_cast<char32_t>(w));
    }
    return out;
}

std::string Utf8FromWide(std::wstring_view s) { return ToUtf8(FromWide(std::wstring(s))); }

}  // namespace host
