// 16-colour icons: pictures drawn in the indices of the standard 16-colour
// palette with a transparency mask, written as an .ico file whose images are
// 4-bit DIBs (height doubled) with a 1-bit AND mask.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "byte_writer.h"
#include "canvas.h"

namespace artgen {

// Indices of the standard 16-colour palette.
enum EVgaColor : std::uint8_t {
    kVgaBlack,
    kVgaMaroon,
    kVgaGreen,
    kVgaOlive,
    kVgaNavy,
    kVgaPurple,
    kVgaTeal,
    kVgaSilver,
    kVgaGrey,
    kVgaRed,
    kVgaLime,
    kVgaYellow,
    kVgaBlue,
    kVgaFuchsia,
    kVgaAqua,
    kVgaWhite,
};

Rgb VgaColor(std::uint8_t index);

class CIconImage {
public:
    explicit CIconImage(int nSize);  // square, fully transparent

    int Size() const { return m_nSize; }
    bool IsOpaque(int x, int y) const;
    std::uint8_t Index(int x, int y) const;      // 0 where transparent
    void Set(int x, int y, std::uint8_t index);  // makes the pixel opaque
    void FillRect(int x0, int y0, int x1, int y1, std::uint8_t index);
    void FrameRect(int x0, int y0, int x1, int y1, std::uint8_t index);
    void Line(int x0, int y0, int x1, int y1, std::uint8_t index);
    // Sets every pixel whose centre lies inside the polygon; pixel (x, y)
    // spans [x, x+1) x [y, y+1).
    void FillPolygon(const std::vector<PointF>& points, std::uint8_t index);

    CCanvas Preview(Rgb crGround) const;  // for looking at the picture

private:
    int m_nSize;
    std::vector<std::uint8_t> m_indices;
    std::vector<std::uint8_t> m_opaque;
};

// The bytes of one RT_ICON image: header, palette, XOR bits, AND mask.
CByteWriter EncodeIconImage(const CIconImage& image);
void WriteIco(const std::vector<CIconImage>& images, const std::filesystem::path& path);

}  // namespace artgen
