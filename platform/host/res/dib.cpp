// RT_BITMAP: a 24-bit BI_RGB DIB without file header.

#include "res/dib_header.h"
#include "res/format.h"

#include <cstdlib>

namespace host::res {

InfoHeader ReadInfoHeader(ByteReader& c)
{
    InfoHeader h;
    const std::size_t at = c.pos();
    const std::uint32_t size = c.U32("biSize");
    if (size != 40) c.FailAt(at, "biSize", std::to_string(size) + " is not the 40-byte BITMAPINFOHEADER");
    h.width = c.I32("biWidth");
    h.height = c.I32("biHeight");
    h.planes = c.U16("biPlanes");
    h.bitCount = c.U16("biBitCount");
    h.compression = c.U32("biCompression");
    h.sizeImage = c.U32("biSizeImage");
    h.xPelsPerMeter = c.I32("biXPelsPerMeter");
    h.yPelsPerMeter = c.I32("biYPelsPerMeter");
    h.clrUsed = c.U32("biClrUsed");
    h.clrImportant = c.U32("biClrImportant");
    if (h.planes != 1) c.FailAt(at + 12, "biPlanes", std::to_string(h.planes) + ", must be 1");
    if (h.compression != 0) c.FailAt(at + 16, "biCompression", std::to_string(h.compression) + " is not BI_RGB (0)");
    if (h.width <= 0 || h.width > kMaxDibDimension)
        c.FailAt(at + 4, "biWidth", std::to_string(h.width) + " outside 1.." + std::to_string(kMaxDibDimension));
    return h;
}

Dib DecodeDib24(Bytes bytes)
{
    ByteReader c(bytes, "bitmap");
    const InfoHeader h = ReadInfoHeader(c);
    if (h.bitCount != 24) c.FailAt(14, "biBitCount", std::to_string(h.bitCount) + " is not 24");
    // INT32_MIN has no magnitude; it falls outside the range like any huge value.
    if (h.height == 0 || h.height < -kMaxDibDimension || h.height > kMaxDibDimension)
        c.FailAt(8, "biHeight", std::to_string(h.height) + " outside +-1.." + std::to_string(kMaxDibDimension));
    if (h.clrUsed > 256) c.FailAt(32, "biClrUsed", std::to_string(h.clrUsed) + " exceeds 256");
    c.Skip(std::size_t{h.clrUsed} * 4, "colour table");

    const int rows = std::abs(h.height);
    const std::uint64_t stride = DibStride(h.width, 24);
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(rows);
    if (h.sizeImage != 0) {
        if (h.sizeImage < needed)
            c.FailAt(20, "biSizeImage",
                     std::to_string(h.sizeImage) + " is less than the " + std::to_string(needed) +
                         " bytes of the rows");
        if (h.sizeImage > c.remaining())
            c.FailAt(20, "biSizeImage",
                     std::to_string(h.sizeImage) + " bytes run past the end (" + std::to_string(c.remaining()) +
                         " left)");
    }
    const Bytes bits = c.Take(static_cast<std::size_t>(needed), "pixel rows");

    Dib d{h, {}};
    d.pixels.resize(static_cast<std::size_t>(h.width) * rows);
    const bool bottomUp = h.height > 0;
    for (int y = 0; y < rows; ++y) {
        const std::size_t src = static_cast<std::size_t>(bottomUp ? rows - 1 - y : y) * stride;
        std::uint32_t* out = &d.pixels[static_cast<std::size_t>(y) * h.width];
        for (int x = 0; x < h.width; ++x) {
            const std::uint8_t* p = &bits[src + static_cast<std::size_t>(x) * 3];
            out[x] = Rgb(p[2], p[1], p[0]);
        }
    }
    return d;
}

}  // namespace host::res
