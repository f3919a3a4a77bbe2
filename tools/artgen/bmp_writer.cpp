#include "bmp_writer.h"

namespace artgen {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

}  // namespace

CByteWriter EncodeBmp24(const CCanvas& canvas)
{
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(canvas.Width()) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(canvas.Height());

    CByteWriter out;
    // BITMAPFILEHEADER
    out.U16(0x4D42);  // "BM"
    out.U32(kFileHeaderSize + kInfoHeaderSize + imageBytes);
    out.U16(0);
    out.U16(0);
    out.U32(kFileHeaderSize + kInfoHeaderSize);
    // BITMAPINFOHEADER
    out.U32(kInfoHeaderSize);
    out.I32(canvas.Width());
    out.I32(canvas.Height());  // positive: bottom-up
    out.U16(1);                // planes
    out.U16(24);               // bits per pixel
    out.U32(0);                // BI_RGB
    out.U32(imageBytes);
    out.I32(0);  // x pixels per metre
    out.I32(0);  // y pixels per metre
    out.U32(0);  // colours used
    out.U32(0);  // colours important

    const std::uint32_t padding = rowBytes - static_cast<std::uint32_t>(canvas.Width()) * 3;
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgb c = canvas.Get(x, y);
            out.U8(c.b);
            out.U8(c.g);
            out.U8(c.r);
        }
        out.Zeros(padding);
    }
    return out;
}

void WriteBmp24(const CCanvas& canvas, const std::filesystem::path& path) { EncodeBmp24(canvas).Save(path); }

}  // namespace artgen
