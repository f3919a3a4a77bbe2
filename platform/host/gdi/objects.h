// GDI objects of the host and the table that hands out their handles.
// A handle is an index into the table plus a generation number, so a stale
// or forged handle is recognised and refused instead of being dereferenced.
// All of GDI runs on the user-interface thread; nothing here is locked.
#pragma once

#include "gdi/icon.h"
#include "gdi/surface.h"
#include "win32.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace host::gdi {

struct FontFace;  // gdi/font_face.h

enum class Kind { Bitmap, Brush, Pen, Font, MemoryDc, SurfaceDc, Icon };

struct Object {
    virtual ~Object() = default;
    virtual Kind kind() const = 0;
    bool stock = false;  // never deleted
    int selections = 0;  // how many DCs hold it now (brushes, pens, fonts)
};

// A bitmap's pixels: a fresh bitmap's from calloc, whose large blocks are
// pages the kernel zeroes only when first touched (a frame buffer that is
// mostly never drawn on costs nothing there), or a decoded picture's own.
class PixelStore {
public:
    PixelStore() = default;
    static PixelStore Zeroed(std::size_t count);  // throws std::bad_alloc
    static PixelStore Adopt(std::vector<std::uint32_t>&& pixels);

    std::uint32_t* data() { return m_zeroed ? m_zeroed.get() : m_adopted.data(); }
    const std::uint32_t* data() const { return m_zeroed ? m_zeroed.get() : m_adopted.data(); }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    std::uint32_t& operator[](std::size_t i) { return data()[i]; }
    const std::uint32_t& operator[](std::size_t i) const { return data()[i]; }

private:
    struct Free {
        void operator()(std::uint32_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint32_t[], Free> m_zeroed;
    std::vector<std::uint32_t> m_adopted;
    std::size_t m_count = 0;
};

// Pixels are 0x00RRGGBB, row 0 at the top, whatever the format; a
// monochrome bitmap holds only black (0) and white (0x00FFFFFF).
struct Bitmap final : Object {
    Kind kind() const override { return Kind::Bitmap; }
    int width = 0, height = 0;
    int bitsPerPixel = 32;  // 32 (the display's format) or 1
    PixelStore pixels;
    HDC selectedIn = nullptr;  // a bitmap lives in at most one DC

    // Bytes per row of its device-dependent bits: padded to a whole WORD.
    std::size_t RowBytes() const { return static_cast<std::size_t>((width * bitsPerPixel + 15) / 16) * 2; }
};

struct Brush final : Object {
    Kind kind() const override { return Kind::Brush; }
    COLORREF color = 0;
    bool hollow = false;
};

struct Pen final : Object {
    Kind kind() const override { return Kind::Pen; }
    COLORREF color = 0;
    bool null = false;
};

struct Font final : Object {
    Kind kind() const override { return Kind::Font; }
    LOGFONTW logfont{};
    std::shared_ptr<FontFace> face;  // null when no font file matched
};

struct Icon final : Object {
    Kind kind() const override { return Kind::Icon; }
    IconPicture picture;
    bool shared = false;  // from LoadIconW: DestroyIcon leaves it
};

struct Dc : Object {
    HBITMAP bitmap = nullptr;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
};

struct MemoryDc final : Dc {
    Kind kind() const override { return Kind::MemoryDc; }
};

struct SurfaceDc final : Dc {
    Kind kind() const override { return Kind::SurfaceDc; }
    std::shared_ptr<Surface> surface;
    POINT origin{};
    RECT clip{};              // surface coordinates, already within the surface
    std::vector<RECT> parts;  // disjoint pieces of `clip` that drawing may change; empty: all of it
};

// The table. Add returns the new handle (null when out of memory); Get
// returns the live object of that handle, or null (with SetLastError
// ERROR_INVALID_HANDLE) when the handle is null, stale or unknown.
void* Add(std::unique_ptr<Object> object);
Object* Get(const void* handle);
void Remove(const void* handle);

template <class T> T* GetAs(const void* handle, Kind kind)
{
    Object* o = Get(handle);
    if (!o) return nullptr;
    if (o->kind() != kind) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<T*>(o);
}

inline Bitmap* GetBitmap(const void* h) { return GetAs<Bitmap>(h, Kind::Bitmap); }
inline Brush* GetBrush(const void* h) { return GetAs<Brush>(h, Kind::Brush); }
inline Font* GetFont(const void* h) { return GetAs<Font>(h, Kind::Font); }
inline Icon* GetIcon(const void* h) { return GetAs<Icon>(h, Kind::Icon); }
Dc* GetDc(const void* handle);  // memory or surface DC

// Stock objects used as defaults (stock.cpp).
HBITMAP DefaultBitmap();  // the shared 1x1 monochrome bitmap of fresh memory DCs
HGDIOBJ Stock(int index);

// Largest bitmap or icon side, and largest pixel store, that we allocate.
constexpr int kMaxSide = 16384;
constexpr std::size_t kMaxBytes = std::size_t{256} << 20;
bool SaneSize(int cx, int cy);

// COLORREF (0x00BBGGRR) and pixel (0x00RRGGBB) conversion.
inline std::uint32_t ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
inline COLORREF ToColorRef(std::uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

// A colour as a monochrome device stores it: white when bright, else black.
std::uint32_t ToMono(std::uint32_t pixel);

}  // namespace host::gdi
