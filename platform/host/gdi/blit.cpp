// BitBlt, PatBlt, FillRect and single pixels.
//
// A BitBlt copies only where the destination rectangle, the destination
// DC's clip and the source bitmap (or surface) all overlap: destination
// pixels whose source would lie outside the source are left as they were.
#include "gdi/canvas.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

namespace host::gdi {
namespace {

bool NeedsSource(DWORD rop) { return rop == SRCCOPY; }
bool KnownRop(DWORD rop) { return rop == SRCCOPY || rop == BLACKNESS || rop == WHITENESS || rop == PATCOPY; }

// Fills logical [x, x+cx) x [y, y+cy) with what a pattern-only raster
// operation yields. A hollow brush paints nothing.
void PatternFill(Dc& dc, const Canvas& c, std::int64_t x, std::int64_t y, std::int64_t cx, std::int64_t cy, DWORD rop)
{
    std::uint32_t pixel;
    if (rop == BLACKNESS) {
        pixel = 0;
    } else if (rop == WHITENESS) {
        pixel = 0x00FFFFFF;
    } else {
        Brush* brush = GetBrush(dc.brush);
        if (!brush || brush->hollow) return;
        pixel = ToPixel(brush->color);
    }
    FillDevice(c, ClipToDevice(c, x, y, x + cx, y + cy), pixel);
}

// Source pixel to destination pixel, by the documented rules: colour to
// monochrome gives white where the source matches the source DC's
// background colour; monochrome to colour gives the destination DC's text
// colour for 0 (black) and its background colour for 1 (white).
struct Convert {
    enum { Same, ToMono, FromMono } mode = Same;
    std::uint32_t srcBk = 0, text = 0, bk = 0;

    std::uint32_t operator()(std::uint32_t p) const
    {
        switch (mode) {
        case ToMono: return p == srcBk ? 0x00FFFFFFu : 0u;
        case FromMono: return p ? bk : text;
        default: return p;
        }
    }
};

void Copy(const Canvas& dst, const RECT& d, const Canvas& src, int sx, int sy, const Convert& conv)
{
    int w = d.right - d.left, h = d.bottom - d.top;
    bool overlap = dst.pixels == src.pixels;
    // Same buffer: walk rows in the direction that never reads a row
    // already written.
    bool upward = overlap && sy < d.top;
    if (conv.mode == Convert::Same) {
        // Pixels as they are: whole rows at once (memmove also takes a
        // row that overlaps itself), stepping row pointers rather than
        // computing each row's address.
        const std::size_t bytes = static_cast<std::size_t>(w) * sizeof(std::uint32_t);
        const int first = upward ? h - 1 : 0;
        std::uint32_t* out = &dst.At(d.left, d.top + first);
        const std::uint32_t* in = &src.At(sx, sy + first);
        const std::ptrdiff_t outStep = upward ? -std::ptrdiff_t{dst.width} : dst.width;
        const std::ptrdiff_t inStep = upward ? -std::ptrdiff_t{src.width} : src.width;
        for (int i = 0; i < h; ++i, out += outStep, in += inStep) std::memmove(out, in, bytes);
        return;
    }
    // Converted pixels: one side is monochrome and the other is not, so the
    // two are different buffers and a row never reads what it writes.
    for (int r = 0; r < h; ++r) {
        const std::uint32_t* in = &src.At(sx, sy + r);
        std::uint32_t* out = &dst.At(d.left, d.top + r);
        for (int x = 0; x < w; ++x) out[x] = conv(in[x]);
    }
}

// The source pixels under destination rectangle `d` (device coordinates of
// the destination, `shift` away from the source's), in a buffer of their
// own (`store`) whose (0,0) is d's top left.
Canvas Detached(const Canvas& src, const RECT& d, std::int64_t shiftX, std::int64_t shiftY,
                std::vector<std::uint32_t>* store)
{
    Canvas c = src;
    c.width = d.right - d.left;
    c.height = d.bottom - d.top;
    store->resize(static_cast<std::size_t>(c.width) * c.height);
    c.pixels = store->data();
    c.parts = nullptr;
    for (int r = 0; r < c.height; ++r)
        std::memcpy(&c.At(0, r), &src.At(static_cast<int>(d.left + shiftX), static_cast<int>(d.top + shiftY + r)),
                    static_cast<std::size_t>(c.width) * sizeof(std::uint32_t));
    return c;
}

}  // namespace
}  // namespace host::gdi

using namespace host::gdi;

BOOL BitBlt(HDC dstHandle, int x, int y, int cx, int cy, HDC srcHandle, int x1, int y1, DWORD rop)
{
    Dc* dst = GetDc(dstHandle);
    if (!dst) return FALSE;
    if (!KnownRop(rop) || cx < 0 || cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Dc* src = nullptr;
    if (NeedsSource(rop) && !(src = GetDc(srcHandle))) return FALSE;
    Canvas d;
    if (!GetCanvas(*dst, &d)) return FALSE;
    if (!src) {
        PatternFill(*dst, d, x, y, cx, cy, rop);
        return TRUE;
    }
    Canvas s;
    if (!GetCanvas(*src, &s)) return FALSE;

    // Destination rectangle cut to the destination clip, then to where the
    // source exists: source device = dest device + shift.
    RECT r = ClipToDevice(d, x, y, std::int64_t{x} + cx, std::int64_t{y} + cy);
    std::int64_t shiftX = std::int64_t{x1} + s.origin.x - (std::int64_t{x} + d.origin.x);
    std::int64_t shiftY = std::int64_t{y1} + s.origin.y - (std::int64_t{y} + d.origin.y);
    std::int64_t l = std::max<std::int64_t>(r.left, -shiftX);
    std::int64_t t = std::max<std::int64_t>(r.top, -shiftY);
    std::int64_t rr = std::min<std::int64_t>(r.right, s.width - shiftX);
    std::int64_t b = std::min<std::int64_t>(r.bottom, s.height - shiftY);
    if (l >= rr || t >= b) return TRUE;
    RECT cut{static_cast<LONG>(l), static_cast<LONG>(t), static_cast<LONG>(rr), static_cast<LONG>(b)};

    Convert conv;
    if (s.mono && !d.mono) {
        conv.mode = Convert::FromMono;
        conv.text = ToPixel(dst->textColor);
        conv.bk = ToPixel(dst->bkColor);
    } else if (!s.mono && d.mono) {
        conv.mode = Convert::ToMono;
        conv.srcBk = ToPixel(src->bkColor);
    }
    if (d.parts && d.pixels == s.pixels) {
        // Pieces copied one by one would read what an earlier piece wrote:
        // the source is read whole first.
        try {
            std::vector<std::uint32_t> store;
            Canvas copy = Detached(s, cut, shiftX, shiftY, &store);
            ForEachPart(d, cut, [&](const RECT& p) { Copy(d, p, copy, p.left - cut.left, p.top - cut.top, conv); });
            return TRUE;
        } catch (const std::bad_alloc&) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return FALSE;
        }
    }
    ForEachPart(d, cut, [&](const RECT& p) {
        Copy(d, p, s, static_cast<int>(p.left + shiftX), static_cast<int>(p.top + shiftY), conv);
    });
    return TRUE;
}

BOOL PatBlt(HDC handle, int x, int y, int cx, int cy, DWORD rop)
{
    Dc* dc = GetDc(handle);
    if (!dc) return FALSE;
    if (rop == SRCCOPY || !KnownRop(rop) || cx < 0 || cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Canvas c;
    if (!GetCanvas(*dc, &c)) return FALSE;
    PatternFill(*dc, c, x, y, cx, cy, rop);
    return TRUE;
}

int FillRect(HDC handle, const RECT* rect, HBRUSH brushHandle)
{
    Dc* dc = GetDc(handle);
    if (!dc) return 0;
    Brush* brush = GetBrush(brushHandle);
    if (!brush) return 0;
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Canvas c;
    if (!GetCanvas(*dc, &c)) return 0;
    if (!brush->hollow)
        FillDevice(c, ClipToDevice(c, rect->left, rect->top, rect->right, rect->bottom), ToPixel(brush->color));
    return 1;
}

COLORREF GetPixel(HDC handle, int x, int y)
{
    Dc* dc = GetDc(handle);
    Canvas c;
    if (!dc || !GetCanvas(*dc, &c)) return CLR_INVALID;
    COLORREF color = CLR_INVALID;  // outside the clip
    ForEachPart(c, ClipToDevice(c, x, y, std::int64_t{x} + 1, std::int64_t{y} + 1),
                [&](const RECT& p) { color = ToColorRef(c.At(p.left, p.top)); });
    return color;
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF color)
{
    Dc* dc = GetDc(handle);
    Canvas c;
    if (!dc || !GetCanvas(*dc, &c)) return CLR_INVALID;
    COLORREF set = CLR_INVALID;
    ForEachPart(c, ClipToDevice(c, x, y, std::int64_t{x} + 1, std::int64_t{y} + 1), [&](const RECT& p) {
        std::uint32_t& pixel = c.At(p.left, p.top);
        pixel = c.Store(ToPixel(color));
        set = ToColorRef(pixel);  // the colour actually set
    });
    return set;
}
