// Bitmap creation: blank compatible bitmaps, CreateBitmap with bits, and
// RT_BITMAP resources decoded to the display's format.
#include "gdi/objects.h"
#include "gdi/resource.h"
#include "res/format.h"

#include <new>

namespace host::gdi {
namespace {

// A fresh bitmap is black (all bits zero) whatever its format.
std::unique_ptr<Bitmap> NewBitmap(int cx, int cy, int bitsPerPixel)
{
    if (!SaneSize(cx, cy)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    try {
        auto b = std::make_unique<Bitmap>();
        b->width = cx;
        b->height = cy;
        b->bitsPerPixel = bitsPerPixel;
        b->pixels = PixelStore::Zeroed(static_cast<std::size_t>(cx) * cy);
        return b;
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

HBITMAP AddBitmap(std::unique_ptr<Bitmap> b) { return b ? static_cast<HBITMAP>(Add(std::move(b))) : nullptr; }

// CreateBitmap's bits: rows top-down, each padded to a WORD; 1 bpp is
// most significant bit first with 1 = white, 32 bpp is B, G, R, unused.
void CopyBits(Bitmap& b, const std::uint8_t* bits)
{
    const std::size_t stride = b.RowBytes();
    for (int y = 0; y < b.height; ++y) {
        const std::uint8_t* row = bits + stride * y;
        std::uint32_t* out = &b.pixels[static_cast<std::size_t>(y) * b.width];
        for (int x = 0; x < b.width; ++x) {
            if (b.bitsPerPixel == 1) {
                out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 0x00FFFFFFu : 0u;
            } else {
                const std::uint8_t* p = row + 4 * x;
                out[x] = (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
            }
        }
    }
}

}  // namespace
}  // namespace host::gdi

using namespace host::gdi;

HBITMAP CreateCompatibleBitmap(HDC dc, int cx, int cy)
{
    int bits = 32;  // the display's format: screen and window DCs
    if (dc) {
        Dc* d = GetDc(dc);
        if (!d) return nullptr;
        // Documented: a memory DC gives its selected bitmap's format, so a
        // fresh one (1x1 monochrome selected) gives monochrome bitmaps.
        if (d->kind() == Kind::MemoryDc) {
            Bitmap* selected = GetBitmap(d->bitmap);
            bits = selected ? selected->bitsPerPixel : 1;
        }
    }
    return AddBitmap(NewBitmap(cx, cy, bits));
}

HBITMAP CreateBitmap(int cx, int cy, UINT planes, UINT bitCount, const void* bits)
{
    if (planes != 1 || (bitCount != 1 && bitCount != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto b = NewBitmap(cx, cy, static_cast<int>(bitCount));
    if (b && bits) CopyBits(*b, static_cast<const std::uint8_t*>(bits));
    return AddBitmap(std::move(b));
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name)
{
    // A null instance means the system's predefined bitmaps; we carry none.
    if (!instance || !name) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    auto bytes = ResourceBytes(instance, name, RT_BITMAP);
    if (!bytes) return nullptr;
    try {
        host::res::Dib dib = host::res::DecodeDib24(*bytes);
        std::int64_t rows = dib.height < 0 ? -std::int64_t{dib.height} : dib.height;
        int cy = rows > kMaxSide ? 0 : static_cast<int>(rows);
        if (!SaneSize(dib.width, cy) || dib.pixels.size() != static_cast<std::size_t>(dib.width) * cy) {
            SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
            return nullptr;
        }
        auto b = std::make_unique<Bitmap>();
        b->width = dib.width;
        b->height = cy;
        b->bitsPerPixel = 32;
        b->pixels = PixelStore::Adopt(std::move(dib.pixels));
        return AddBitmap(std::move(b));
    } catch (const host::res::ResError&) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return nullptr;
}
