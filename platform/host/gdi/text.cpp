// TextOutW and ExtTextOutW: monochrome glyphs in the text colour, with the
// text cell filled in the background colour when the DC is OPAQUE.
#include "gdi/text.h"

#include "gdi/canvas.h"
#include "gdi/font_face.h"

#include <algorithm>
#include <new>

namespace host::gdi {
namespace {

// The canvas with its clip narrowed to a logical rectangle.
Canvas Narrowed(const Canvas& c, const RECT* clip)
{
    Canvas n = c;
    if (clip) {
        n.clip = ClipToDevice(c, clip->left, clip->top, clip->right, clip->bottom);
        if (IsRectEmpty(&n.clip)) n.clip = RECT{};
    }
    return n;
}

void DrawGlyph(const Canvas& c, const Glyph& g, std::int64_t penX, std::int64_t baseline, std::uint32_t pixel)
{
    std::int64_t left = penX + g.left, top = baseline - g.top;
    RECT r = ClipToDevice(c, left, top, left + g.width, top + g.rows);
    std::uint32_t v = c.Store(pixel);
    ForEachPart(c, r, [&](const RECT& p) {
        for (LONG y = p.top; y < p.bottom; ++y) {
            auto gy = static_cast<std::size_t>(y - c.origin.y - top);
            for (LONG x = p.left; x < p.right; ++x) {
                auto gx = static_cast<std::size_t>(x - c.origin.x - left);
                if (g.bits[gy * g.width + gx]) c.At(x, y) = v;
            }
        }
    });
}

}  // namespace

void FillLogical(Dc& dc, const RECT& r, const RECT* clip, COLORREF color)
{
    Canvas c;
    if (!GetCanvas(dc, &c)) return;
    Canvas n = Narrowed(c, clip);
    FillDevice(n, ClipToDevice(n, r.left, r.top, r.right, r.bottom), ToPixel(color));
}

}  // namespace host::gdi

using namespace host::gdi;

BOOL ExtTextOutW(HDC handle, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const INT* dx)
{
    Dc* dc = GetDc(handle);
    if (!dc) return FALSE;
    if ((!text && count > 0) || count > 0x7FFFFFFF) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Canvas c;
    if (!GetCanvas(*dc, &c)) return FALSE;
    const RECT* clip = (options & ETO_CLIPPED) ? rect : nullptr;
    if ((options & ETO_OPAQUE) && rect) FillLogical(*dc, *rect, nullptr, dc->bkColor);
    if (count == 0) return TRUE;

    FontFace* face = FaceOf(*dc);
    if (!face) return FALSE;
    std::wstring_view s(text, count);
    try {
        int width = TextWidth(*face, s, dx);
        int height = face->metrics.ascent + face->metrics.descent;
        if (dc->bkMode == OPAQUE) {
            RECT cell{x, y, static_cast<LONG>(std::min<std::int64_t>(std::int64_t{x} + width, INT32_MAX)),
                      static_cast<LONG>(std::min<std::int64_t>(std::int64_t{y} + height, INT32_MAX))};
            FillLogical(*dc, cell, clip, dc->bkColor);
        }
        Canvas n = Narrowed(c, clip);
        std::uint32_t ink = ToPixel(dc->textColor);
        std::int64_t pen = x, baseline = std::int64_t{y} + face->metrics.ascent;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const Glyph& g = face->GlyphFor(static_cast<char32_t>(s[i]));
            DrawGlyph(n, g, pen, baseline, ink);
            pen += dx ? dx[i] : g.advance;
        }
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    return TRUE;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count)
{
    if (count < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}
