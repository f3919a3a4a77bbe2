// RT_GROUP_ICON directories and the RT_ICON images they name.

#include "res/dib_header.h"
#include "res/format.h"

namespace host::res {
namespace {

// Icons larger than this are stored as PNG, which these resources never use.
constexpr int kMaxIconDimension = 256;

}  // namespace

IconGroup DecodeIconGroup(Bytes bytes)
{
    ByteReader c(bytes, "icon group");
    if (c.U16("idReserved") != 0) c.FailAt(0, "idReserved", "must be 0");
    IconGroup g;
    g.type = c.U16("idType");
    if (g.type != 1) c.FailAt(2, "idType", std::to_string(g.type) + " is not an icon group (1)");
    const std::uint16_t count = c.U16("idCount");
    if (std::size_t{count} * 14 > c.remaining())
        c.FailAt(4, "idCount",
                 std::to_string(count) + " entries of 14 bytes run past the end (" + std::to_string(c.remaining()) +
                     " left)");
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::string f = "entry " + std::to_string(i) + " ";
        IconDirEntry e;
        e.width = c.U8(f + "bWidth");
        e.height = c.U8(f + "bHeight");
        e.colorCount = c.U8(f + "bColorCount");
        e.reserved = c.U8(f + "bReserved");
        e.planes = c.U16(f + "wPlanes");
        e.bitCount = c.U16(f + "wBitCount");
        e.bytesInRes = c.U32(f + "dwBytesInRes");
        e.id = c.U16(f + "nId");
        g.entries.push_back(e);
    }
    return g;
}

IconImage DecodeIconImage(Bytes bytes)
{
    ByteReader c(bytes, "icon image");
    if (bytes.size() >= 4 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G')
        c.FailAt(0, "image", "PNG-compressed icon images are not supported");
    const InfoHeader h = ReadInfoHeader(c);
    if (h.width > kMaxIconDimension)
        c.FailAt(4, "biWidth", std::to_string(h.width) + " exceeds " + std::to_string(kMaxIconDimension));
    // The header's height covers the colour bits and the mask together.
    if (h.height <= 0 || h.height % 2 != 0 || h.height / 2 > kMaxIconDimension)
        c.FailAt(8, "biHeight",
                 std::to_string(h.height) + " is not twice a height of 1.." + std::to_string(kMaxIconDimension));
    const int bpp = h.bitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        c.FailAt(14, "biBitCount", std::to_string(bpp) + " is not 1, 4, 8, 24 or 32");

    IconImage img;
    img.width = h.width;
    img.height = h.height / 2;
    img.bitCount = bpp;

    // Indexed images have a full palette unless biClrUsed says fewer; direct
    // colour images may carry an optional one, which is skipped.
    const std::uint32_t maxColours = bpp <= 8 ? (1u << bpp) : 256u;
    if (h.clrUsed > maxColours)
        c.FailAt(32, "biClrUsed", std::to_string(h.clrUsed) + " exceeds " + std::to_string(maxColours));
    const std::uint32_t paletteSize = bpp <= 8 ? (h.clrUsed ? h.clrUsed : maxColours) : h.clrUsed;
    for (std::uint32_t i = 0; i < paletteSize; ++i) {
        const std::string f = "palette entry " + std::to_string(i);
        const std::uint8_t b = c.U8(f), g = c.U8(f), r = c.U8(f);
        c.U8(f);
        img.palette.push_back(Rgb(r, g, b));
    }

    const std::size_t w = static_cast<std::size_t>(img.width);
    const std::size_t rows = static_cast<std::size_t>(img.height);
    const std::size_t colorStride = static_cast<std::size_t>(DibStride(img.width, bpp));
    const std::size_t maskStride = static_cast<std::size_t>(DibStride(img.width, 1));
    const std::size_t colorAt = c.pos();
    const Bytes colorBits = c.Take(colorStride * rows, "colour (XOR) bits");
    const Bytes maskBits = c.Take(maskStride * rows, "mask (AND) bits");

    img.colors.resize(w * rows);
    img.mask.resize(w * rows);
    if (bpp == 32) img.alpha.resize(w * rows);
    for (std::size_t y = 0; y < rows; ++y) {
        const std::size_t srcRow = rows - 1 - y;  // both planes are stored bottom-up
        const std::uint8_t* line = &colorBits[srcRow * colorStride];
        const std::uint8_t* mline = &maskBits[srcRow * maskStride];
        for (std::size_t x = 0; x < w; ++x) {
            const std::size_t out = y * w + x;
            img.mask[out] = (mline[x / 8] >> (7 - x % 8)) & 1;
            if (bpp <= 8) {
                const std::size_t bit = x * bpp;
                const unsigned index = (line[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (index >= img.palette.size())
                    c.FailAt(colorAt + srcRow * colorStride + bit / 8, "colour bits",
                             "index " + std::to_string(index) + " past the palette of " +
                                 std::to_string(img.palette.size()));
                img.colors[out] = img.palette[index];
            } else {
                const std::uint8_t* p = &line[x * (bpp / 8)];
                img.colors[out] = Rgb(p[2], p[1], p[0]);
                if (bpp == 32) img.alpha[out] = p[3];
            }
        }
    }
    return img;
}

}  // namespace host::res
