// Stock objects: created on first use, shared by every caller, never deleted.
#include "gdi/objects.h"

#include <array>
#include <cwchar>

namespace host::gdi {
namespace {

template <class T> void* AddStock(std::unique_ptr<T> object)
{
    object->stock = true;
    return Add(std::move(object));
}

void* MakeBrush(COLORREF color, bool hollow)
{
    auto b = std::make_unique<Brush>();
    b->color = color;
    b->hollow = hollow;
    return AddStock(std::move(b));
}

void* MakePen(COLORREF color, bool null)
{
    auto p = std::make_unique<Pen>();
    p->color = color;
    p->null = null;
    return AddStock(std::move(p));
}

// SYSTEM_FONT stands for the old 16-pixel system font; DEFAULT_GUI_FONT for
// the 8-point dialog font. Both are the desktop's sans-serif here.
void* MakeFont(LONG height)
{
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(lf.lfFaceName, L"sans-serif", LF_FACESIZE - 1);
    HFONT f = CreateFontIndirectW(&lf);
    if (Object* o = Get(f)) o->stock = true;
    return f;
}

void* Create(int index)
{
    switch (index) {
    case WHITE_BRUSH: return MakeBrush(RGB(255, 255, 255), false);
    case LTGRAY_BRUSH: return MakeBrush(RGB(192, 192, 192), false);
    case GRAY_BRUSH: return MakeBrush(RGB(128, 128, 128), false);
    case DKGRAY_BRUSH: return MakeBrush(RGB(64, 64, 64), false);
    case BLACK_BRUSH: return MakeBrush(RGB(0, 0, 0), false);
    case NULL_BRUSH: return MakeBrush(0, true);
    case WHITE_PEN: return MakePen(RGB(255, 255, 255), false);
    case BLACK_PEN: return MakePen(RGB(0, 0, 0), false);
    case NULL_PEN: return MakePen(0, true);
    case SYSTEM_FONT: return MakeFont(16);
    case DEFAULT_GUI_FONT: return MakeFont(-11);
    default: return nullptr;
    }
}

}  // namespace

HGDIOBJ Stock(int index)
{
    static std::array<void*, DEFAULT_GUI_FONT + 1> made{};
    if (index < 0 || index >= static_cast<int>(made.size())) return nullptr;
    void*& slot = made[static_cast<std::size_t>(index)];
    if (!slot) slot = Create(index);
    return slot;
}

HBITMAP DefaultBitmap()
{
    static void* made = [] {
        auto b = std::make_unique<Bitmap>();
        b->width = b->height = 1;
        b->bitsPerPixel = 1;
        b->pixels = PixelStore::Zeroed(1);
        return AddStock(std::move(b));
    }();
    return static_cast<HBITMAP>(made);
}

}  // namespace host::gdi

HGDIOBJ GetStockObject(int index)
{
    HGDIOBJ obj = host::gdi::Stock(index);
    if (!obj) SetLastError(ERROR_INVALID_PARAMETER);
    return obj;
}
