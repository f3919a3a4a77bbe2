// Device contexts: memory DCs and the window manager's surface DCs, what is
// selected into them, and their colour and mode attributes.
#include "gdi/objects.h"
#include "present/presenter.h"

#include <utility>

namespace host::gdi {
namespace {

void Hold(HGDIOBJ obj)
{
    if (Object* o = Get(obj)) ++o->selections;
}

void Drop(HGDIOBJ obj)
{
    if (Object* o = Get(obj); o && o->selections > 0) --o->selections;
}

// Every fresh DC starts with the documented defaults: white brush, black
// pen, the system font (and, for memory DCs, the 1x1 monochrome bitmap).
void InitDefaults(Dc& dc)
{
    dc.brush = static_cast<HBRUSH>(Stock(WHITE_BRUSH));
    dc.pen = static_cast<HPEN>(Stock(BLACK_PEN));
    dc.font = static_cast<HFONT>(Stock(SYSTEM_FONT));
    dc.bitmap = DefaultBitmap();
    Hold(dc.brush);
    Hold(dc.pen);
    Hold(dc.font);
}

HDC AddDc(std::unique_ptr<Dc> dc)
{
    // The defaults are stock objects, so a failed Add leaks nothing.
    InitDefaults(*dc);
    return static_cast<HDC>(Add(std::move(dc)));
}

// The DC `handle` gives up `bitmap`, which another DC may then select.
void Unselect(HDC handle, HBITMAP bitmap)
{
    if (Bitmap* b = GetBitmap(bitmap); b && b->selectedIn == handle) b->selectedIn = nullptr;
}

void ReleaseSelections(HDC handle, Dc& dc)
{
    Unselect(handle, dc.bitmap);
    Drop(dc.brush);
    Drop(dc.pen);
    Drop(dc.font);
}

template <class H> HGDIOBJ Swap(H& slot, HGDIOBJ obj)
{
    H previous = slot;
    if (previous != obj) {
        Hold(obj);
        Drop(previous);
        slot = static_cast<H>(obj);
    }
    return previous;
}

HGDIOBJ SelectBitmap(HDC handle, Dc& dc, HGDIOBJ obj, Bitmap& bmp)
{
    // Only memory DCs hold bitmaps; a window DC draws on its window.
    if (dc.kind() != Kind::MemoryDc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (dc.bitmap == obj) return obj;
    if (!bmp.stock && bmp.selectedIn) {
        SetLastError(ERROR_INVALID_PARAMETER);  // already in another DC
        return nullptr;
    }
    HBITMAP previous = dc.bitmap;
    Unselect(handle, previous);
    if (!bmp.stock) bmp.selectedIn = handle;
    dc.bitmap = static_cast<HBITMAP>(obj);
    return previous;
}

}  // namespace
}  // namespace host::gdi

using namespace host::gdi;

HDC CreateCompatibleDC(HDC dc)
{
    if (dc && !GetDc(dc)) return nullptr;
    return AddDc(std::make_unique<MemoryDc>());
}

HDC host::CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, RECT clip, std::vector<RECT> parts)
{
    if (!surface) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto dc = std::make_unique<SurfaceDc>();
    RECT bounds{0, 0, surface->width, surface->height};
    if (!IntersectRect(&dc->clip, &clip, &bounds)) SetRectEmpty(&dc->clip);
    if (!parts.empty()) {
        for (RECT& p : parts) IntersectRect(&p, &p, &dc->clip);
        std::erase_if(parts, [](const RECT& p) { return IsRectEmpty(&p); });
        // None left: nothing to draw on. One left: it is the clip.
        dc->clip = RECT{};
        for (const RECT& p : parts) UnionRect(&dc->clip, &dc->clip, &p);
        if (parts.size() == 1) parts.clear();
    }
    dc->parts = std::move(parts);
    dc->origin = origin;
    dc->surface = std::move(surface);
    return AddDc(std::move(dc));
}

void host::ReleaseSurfaceDC(HDC dc)
{
    if (GetAs<SurfaceDc>(dc, Kind::SurfaceDc)) DeleteDC(dc);
}

BOOL DeleteDC(HDC handle)
{
    Dc* dc = GetDc(handle);
    if (!dc) return FALSE;
    ReleaseSelections(handle, *dc);
    Remove(handle);
    return TRUE;
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ obj)
{
    Dc* dc = GetDc(handle);
    if (!dc) return nullptr;
    Object* o = Get(obj);
    if (!o) return nullptr;
    switch (o->kind()) {
    case Kind::Bitmap: return SelectBitmap(handle, *dc, obj, *static_cast<Bitmap*>(o));
    case Kind::Brush: return Swap(dc->brush, obj);
    case Kind::Pen: return Swap(dc->pen, obj);
    case Kind::Font: return Swap(dc->font, obj);
    default: SetLastError(ERROR_INVALID_HANDLE); return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type)
{
    Dc* dc = GetDc(handle);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_BITMAP: return dc->bitmap;
    case OBJ_BRUSH: return dc->brush;
    case OBJ_PEN: return dc->pen;
    case OBJ_FONT: return dc->font;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
    }
}

COLORREF SetBkColor(HDC handle, COLORREF color)
{
    Dc* dc = GetDc(handle);
    if (!dc) return CLR_INVALID;
    return std::exchange(dc->bkColor, color & 0x00FFFFFF);
}

COLORREF GetBkColor(HDC handle)
{
    Dc* dc = GetDc(handle);
    return dc ? dc->bkColor : CLR_INVALID;
}

COLORREF SetTextColor(HDC handle, COLORREF color)
{
    Dc* dc = GetDc(handle);
    if (!dc) return CLR_INVALID;
    return std::exchange(dc->textColor, color & 0x00FFFFFF);
}

COLORREF GetTextColor(HDC handle)
{
    Dc* dc = GetDc(handle);
    return dc ? dc->textColor : CLR_INVALID;
}

int SetBkMode(HDC handle, int mode)
{
    Dc* dc = GetDc(handle);
    if (!dc) return 0;
    if (mode != OPAQUE && mode != TRANSPARENT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return std::exchange(dc->bkMode, mode);
}

int GetBkMode(HDC handle)
{
    Dc* dc = GetDc(handle);
    return dc ? dc->bkMode : 0;
}

// Every DC here belongs to the one 32-bit, 96-dpi display.
int GetDeviceCaps(HDC handle, int index)
{
    if (!GetDc(handle)) return 0;
    switch (index) {
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return host::ScreenSize().cx;
    case VERTRES: return host::ScreenSize().cy;
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    }
}
