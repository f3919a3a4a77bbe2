// DeleteObject, GetObjectW and GetObjectType over the handle table.
#include "gdi/objects.h"

#include <cstring>

using namespace host::gdi;

BOOL DeleteObject(HGDIOBJ obj)
{
    Object* o = Get(obj);
    if (!o) return FALSE;
    if (o->stock) return TRUE;  // documented: deleting a stock object is harmless
    switch (o->kind()) {
    case Kind::Bitmap:
        if (static_cast<Bitmap*>(o)->selectedIn) {
            SetLastError(ERROR_INVALID_PARAMETER);  // still selected in a DC
            return FALSE;
        }
        break;
    case Kind::Brush:
    case Kind::Pen:
    case Kind::Font:
        if (o->selections > 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        break;
    default:
        // DCs go with DeleteDC, icons with DestroyIcon.
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Remove(obj);
    return TRUE;
}

int GetObjectW(HGDIOBJ obj, int size, LPVOID out)
{
    Object* o = Get(obj);
    if (!o) return 0;
    auto give = [&](const void* data, int bytes) -> int {
        if (!out) return bytes;  // documented: a null buffer asks for the size
        if (size < bytes) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        std::memcpy(out, data, static_cast<std::size_t>(bytes));
        return bytes;
    };
    switch (o->kind()) {
    case Kind::Bitmap: {
        const auto& b = *static_cast<Bitmap*>(o);
        BITMAP bm{};
        bm.bmWidth = b.width;
        bm.bmHeight = b.height;
        bm.bmWidthBytes = static_cast<LONG>(b.RowBytes());
        bm.bmPlanes = 1;
        bm.bmBitsPixel = static_cast<WORD>(b.bitsPerPixel);
        return give(&bm, static_cast<int>(sizeof bm));
    }
    case Kind::Font: return give(&static_cast<Font*>(o)->logfont, static_cast<int>(sizeof(LOGFONTW)));
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    }
}

DWORD GetObjectType(HGDIOBJ obj)
{
    Object* o = Get(obj);
    if (!o) return 0;
    switch (o->kind()) {
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Pen: return OBJ_PEN;
    case Kind::Font: return OBJ_FONT;
    case Kind::MemoryDc: return OBJ_MEMDC;
    case Kind::SurfaceDc: return OBJ_DC;
    default:
        SetLastError(ERROR_INVALID_HANDLE);  // icons are not GDI objects
        return 0;
    }
}
