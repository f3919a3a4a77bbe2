// Canvas resolution and clipped fills; GetClipBox.
#include "gdi/canvas.h"

#include <algorithm>

namespace host::gdi {

bool GetCanvas(Dc& dc, Canvas* out)
{
    Canvas c;
    if (dc.kind() == Kind::SurfaceDc) {
        auto& s = static_cast<SurfaceDc&>(dc);
        Surface* surf = s.surface.get();
        if (!surf || surf->width <= 0 || surf->height <= 0 ||
            surf->pixels.size() < static_cast<std::size_t>(surf->width) * surf->height)
            return false;
        c.pixels = surf->pixels.data();
        c.width = surf->width;
        c.height = surf->height;
        c.origin = s.origin;
        RECT bounds{0, 0, surf->width, surf->height};
        if (!IntersectRect(&c.clip, &s.clip, &bounds)) c.clip = RECT{};
        if (!s.parts.empty()) c.parts = &s.parts;
    } else {
        Bitmap* b = GetBitmap(dc.bitmap);
        if (!b || b->pixels.empty()) return false;
        c.pixels = b->pixels.data();
        c.width = b->width;
        c.height = b->height;
        c.mono = b->bitsPerPixel == 1;
        c.clip = RECT{0, 0, b->width, b->height};
    }
    *out = c;
    return true;
}

RECT ClipToDevice(const Canvas& c, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    std::int64_t l = std::max<std::int64_t>(left + c.origin.x, c.clip.left);
    std::int64_t t = std::max<std::int64_t>(top + c.origin.y, c.clip.top);
    std::int64_t r = std::min<std::int64_t>(right + c.origin.x, c.clip.right);
    std::int64_t b = std::min<std::int64_t>(bottom + c.origin.y, c.clip.bottom);
    if (l >= r || t >= b) return RECT{};
    return RECT{static_cast<LONG>(l), static_cast<LONG>(t), static_cast<LONG>(r), static_cast<LONG>(b)};
}

void FillDevice(const Canvas& c, const RECT& r, std::uint32_t pixel)
{
    std::uint32_t v = c.Store(pixel);
    ForEachPart(c, r, [&](const RECT& p) {
        for (LONG y = p.top; y < p.bottom; ++y) std::fill(&c.At(p.left, y), &c.At(p.left, y) + (p.right - p.left), v);
    });
}

}  // namespace host::gdi

using namespace host::gdi;

int GetClipBox(HDC handle, LPRECT rect)
{
    Dc* dc = GetDc(handle);
    if (!dc) return ERROR;
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    Canvas c;
    if (!GetCanvas(*dc, &c) || IsRectEmpty(&c.clip)) {
        SetRectEmpty(rect);
        return NULLREGION;
    }
    *rect = c.clip;
    OffsetRect(rect, -c.origin.x, -c.origin.y);
    return c.parts ? COMPLEXREGION : SIMPLEREGION;
}
