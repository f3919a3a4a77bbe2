#include "ico_writer.h"

#include "line.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace artgen {

namespace {

constexpr std::array<Rgb, 16> kVgaPalette{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

}  // namespace

Rgb VgaColor(std::uint8_t index) { return kVgaPalette[index & 15]; }

CIconImage::CIconImage(int nSize)
    : m_nSize(nSize), m_indices(static_cast<std::size_t>(nSize) * nSize, 0),
      m_opaque(static_cast<std::size_t>(nSize) * nSize, 0)
{}

bool CIconImage::IsOpaque(int x, int y) const
{
    return x >= 0 && y >= 0 && x < m_nSize && y < m_nSize && m_opaque[static_cast<std::size_t>(y) * m_nSize + x];
}

std::uint8_t CIconImage::Index(int x, int y) const
{
    return IsOpaque(x, y) ? m_indices[static_cast<std::size_t>(y) * m_nSize + x] : 0;
}

void CIconImage::Set(int x, int y, std::uint8_t index)
{
    if (x < 0 || y < 0 || x >= m_nSize || y >= m_nSize) return;
    const std::size_t i = static_cast<std::size_t>(y) * m_nSize + x;
    m_indices[i] = index & 15;
    m_opaque[i] = 1;
}

void CIconImage::FillRect(int x0, int y0, int x1, int y1, std::uint8_t index)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) Set(x, y, index);
}

void CIconImage::FrameRect(int x0, int y0, int x1, int y1, std::uint8_t index)
{
    for (int x = x0; x <= x1; ++x) {
        Set(x, y0, index);
        Set(x, y1, index);
    }
    for (int y = y0; y <= y1; ++y) {
        Set(x0, y, index);
        Set(x1, y, index);
    }
}

void CIconImage::Line(int x0, int y0, int x1, int y1, std::uint8_t index)
{
    TraceLine(x0, y0, x1, y1, [&](int x, int y) { Set(x, y, index); });
}

void CIconImage::FillPolygon(const std::vector<PointF>& points, std::uint8_t index)
{
    if (points.size() < 3) return;
    for (int y = 0; y < m_nSize; ++y)
        for (int x = 0; x < m_nSize; ++x)
            if (PointInPolygon(points, x + 0.5, y + 0.5)) Set(x, y, index);
}

CCanvas CIconImage::Preview(Rgb crGround) const
{
    CCanvas canvas(m_nSize, m_nSize, crGround);
    for (int y = 0; y < m_nSize; ++y)
        for (int x = 0; x < m_nSize; ++x)
            if (IsOpaque(x, y)) canvas.Set(x, y, VgaColor(Index(x, y)));
    return canvas;
}

CByteWriter EncodeIconImage(const CIconImage& image)
{
    const int n = image.Size();
    const std::uint32_t xorRow = (static_cast<std::uint32_t>(n) * 4 + 31) / 32 * 4;
    const std::uint32_t andRow = (static_cast<std::uint32_t>(n) + 31) / 32 * 4;
    const std::uint32_t n32 = static_cast<std::uint32_t>(n);

    CByteWriter out;
    out.U32(40);
    out.I32(n);
    out.I32(2 * n);  // XOR picture and AND mask stacked
    out.U16(1);
    out.U16(4);
    out.U32(0);  // BI_RGB
    out.U32((xorRow + andRow) * n32);
    out.I32(0);
    out.I32(0);
    out.U32(0);
    out.U32(0);
    for (const Rgb& c : kVgaPalette) {
        out.U8(c.b);
        out.U8(c.g);
        out.U8(c.r);
        out.U8(0);
    }
    // Transparent pixels hold index 0 (black) so that AND then XOR leaves
    // the screen as it was.
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(xorRow, 0);
        for (int x = 0; x < n; ++x) row[x / 2] |= static_cast<std::uint8_t>(image.Index(x, y) << (x % 2 ? 0 : 4));
        for (std::uint8_t b : row) out.U8(b);
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(andRow, 0);
        for (int x = 0; x < n; ++x)
            if (!image.IsOpaque(x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        for (std::uint8_t b : row) out.U8(b);
    }
    return out;
}

void WriteIco(const std::vector<CIconImage>& images, const std::filesystem::path& path)
{
    std::vector<CByteWriter> encoded;
    for (const CIconImage& image : images) encoded.push_back(EncodeIconImage(image));

    CByteWriter out;
    out.U16(0);  // reserved
    out.U16(1);  // icon
    out.U16(static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int n = images[i].Size();
        out.U8(static_cast<std::uint8_t>(n >= 256 ? 0 : n));
        out.U8(static_cast<std::uint8_t>(n >= 256 ? 0 : n));
        out.U8(16);  // colours
        out.U8(0);
        out.U16(1);  // planes
        out.U16(4);  // bits per pixel
        out.U32(static_cast<std::uint32_t>(encoded[i].Size()));
        out.U32(offset);
        offset += static_cast<std::uint32_t>(encoded[i].Size());
    }
    for (const CByteWriter& image : encoded)
        for (std::uint8_t b : image.Bytes()) out.U8(b);
    out.Save(path);
}

}  // namespace artgen
