// DrawTextW: lines (split at line ends, or broken between words with
// DT_WORDBREAK), alignment in the rectangle, '&' prefixes, and DT_CALCRECT.
// Each line is drawn through ExtTextOutW, so the DC's colours and
// background mode apply as they do to TextOutW.
#include "gdi/font_face.h"
#include "gdi/text.h"

#include <algorithm>
#include <cwchar>
#include <new>
#include <vector>

namespace host::gdi {
namespace {

struct Line {
    std::wstring text;
    std::vector<INT> advances;
    std::vector<bool> underline;
    int width = 0;
};

struct Char {
    wchar_t c;
    bool underline;
};

// "&x" underlines x, "&&" is one '&'; a final lone '&' shows nothing.
std::vector<Char> StripPrefixes(std::wstring_view s, bool keep)
{
    std::vector<Char> out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!keep && s[i] == L'&') {
            if (++i >= s.size()) break;
            out.push_back({s[i], s[i] != L'&'});
        } else {
            out.push_back({s[i], false});
        }
    }
    return out;
}

class Layout {
public:
    Layout(FontFace& face, UINT format, int limit) : m_face(face), m_format(format), m_limit(limit) {}

    std::vector<Line> Lines(const std::vector<Char>& text)
    {
        std::vector<Line> lines;
        std::size_t start = 0;
        bool single = m_format & DT_SINGLELINE;
        while (start < text.size()) {
            std::size_t end = start;
            if (single) {
                end = text.size();
            } else {
                while (end < text.size() && text[end].c != L'\n' && text[end].c != L'\r') ++end;
            }
            Paragraph(text, start, end, lines);
            start = end;
            // CR LF, LF or CR ends a line.
            if (start < text.size() && text[start].c == L'\r') ++start;
            if (start < text.size() && text[start].c == L'\n') ++start;
        }
        return lines;
    }

private:
    int Advance(wchar_t c, int pen) const
    {
        if (c == L'\t' && (m_format & DT_EXPANDTABS)) {
            int stop = 8 * std::max(1, m_face.metrics.aveCharWidth);
            return stop - pen % stop;
        }
        return m_face.AdvanceFor(static_cast<char32_t>(c));
    }

    Line Make(const std::vector<Char>& text, std::size_t from, std::size_t to) const
    {
        Line line;
        int pen = 0;
        for (std::size_t i = from; i < to; ++i) {
            int a = Advance(text[i].c, pen);
            line.text += text[i].c;
            line.advances.push_back(a);
            line.underline.push_back(text[i].underline);
            pen += a;
        }
        line.width = pen;
        return line;
    }

    // Greedy breaking: a line ends at the last space that keeps it within
    // the width; a word longer than the width stays whole on its own line.
    // The spaces at a break belong to neither line.
    void Paragraph(const std::vector<Char>& text, std::size_t from, std::size_t to, std::vector<Line>& lines) const
    {
        if (!(m_format & DT_WORDBREAK) || (m_format & DT_SINGLELINE)) {
            lines.push_back(Make(text, from, to));
            return;
        }
        std::size_t start = from;
        do {
            std::size_t end = start, lastBreak = start;
            int pen = 0;
            while (end < to) {
                if (text[end].c == L' ') lastBreak = end;
                int a = Advance(text[end].c, pen);
                if (pen + a > m_limit && text[end].c != L' ' && lastBreak > start) {
                    end = lastBreak;
                    break;
                }
                pen += a;
                ++end;
            }
            std::size_t trimmed = end;
            while (trimmed > start && text[trimmed - 1].c == L' ') --trimmed;
            lines.push_back(Make(text, start, trimmed));
            start = end;
            while (start < to && text[start].c == L' ') ++start;
        } while (start < to);
    }

    FontFace& m_face;
    UINT m_format;
    int m_limit;
};

}  // namespace
}  // namespace host::gdi

using namespace host::gdi;

int DrawTextW(HDC handle, LPCWSTR text, int count, LPRECT rect, UINT format)
{
    Dc* dc = GetDc(handle);
    if (!dc) return 0;
    if (!rect || count < -1 || (!text && count != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    FontFace* face = FaceOf(*dc);
    if (!face) return 0;
    std::size_t length = count == -1 ? std::wcslen(text) : static_cast<std::size_t>(count);
    try {
        std::wstring_view s(text ? text : L"", length);
        int limit = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{rect->right} - rect->left, 0, INT32_MAX));
        std::vector<Line> lines = Layout(*face, format, limit).Lines(StripPrefixes(s, format & DT_NOPREFIX));

        const int lineHeight = face->metrics.ascent + face->metrics.descent;
        const int total =
            static_cast<int>(std::min<std::size_t>(lines.size(), INT32_MAX / std::max(1, lineHeight))) * lineHeight;
        int widest = 0;
        for (const Line& l : lines) widest = std::max(widest, l.width);

        if (format & DT_CALCRECT) {
            rect->right = static_cast<LONG>(std::min<std::int64_t>(std::int64_t{rect->left} + widest, INT32_MAX));
            rect->bottom = static_cast<LONG>(std::min<std::int64_t>(std::int64_t{rect->top} + total, INT32_MAX));
            return total;
        }

        std::int64_t top = rect->top;
        if (format & DT_SINGLELINE) {
            if (format & DT_VCENTER) top = rect->top + (std::int64_t{rect->bottom} - rect->top - lineHeight) / 2;
            else if (format & DT_BOTTOM) top = std::int64_t{rect->bottom} - lineHeight;
        }
        UINT options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
        const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
        std::int64_t y = top;
        for (const Line& l : lines) {
            std::int64_t x = rect->left;
            if (format & DT_CENTER) x = rect->left + (std::int64_t{rect->right} - rect->left - l.width) / 2;
            else if (format & DT_RIGHT) x = std::int64_t{rect->right} - l.width;
            auto lx = static_cast<int>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX));
            auto ly = static_cast<int>(std::clamp<std::int64_t>(y, INT32_MIN, INT32_MAX));
            ExtTextOutW(handle, lx, ly, options, rect, l.text.data(), static_cast<UINT>(l.text.size()),
                        l.advances.data());
            std::int64_t pen = lx;
            for (std::size_t i = 0; i < l.text.size(); ++i) {
                if (l.underline[i]) {
                    std::int64_t row = std::int64_t{ly} + face->metrics.ascent + face->metrics.underlineOffset;
                    RECT bar{static_cast<LONG>(pen), static_cast<LONG>(row), static_cast<LONG>(pen + l.advances[i]),
                             static_cast<LONG>(row + face->metrics.underlineThickness)};
                    FillLogical(*dc, bar, clip, dc->textColor);
                }
                pen += l.advances[i];
            }
            y += lineHeight;
        }
        return static_cast<int>(std::clamp<std::int64_t>(y - rect->top, 0, INT32_MAX));
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
}
