// An RGB picture in memory with the few drawing operations the launcher's
// art needs. Every operation clips to the picture, so a shape that runs over
// an edge is simply cut off.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace artgen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

// Linear mix: t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);

struct PointF {
    double x = 0, y = 0;
};

class CCanvas {
public:
    CCanvas(int nWidth, int nHeight, Rgb crFill = kWhite);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }

    Rgb Get(int x, int y) const;  // outside the picture: white
    void Set(int x, int y, Rgb cr);
    // Lays cr over the pixel with coverage alpha (0..1).
    void Blend(int x, int y, Rgb cr, double alpha);

    // Rectangles are inclusive of both corners.
    void FillRect(int x0, int y0, int x1, int y1, Rgb cr);
    void FrameRect(int x0, int y0, int x1, int y1, Rgb cr);
    void HLine(int x0, int x1, int y, Rgb cr) { FillRect(x0, y, x1, y, cr); }
    void VLine(int x, int y0, int y1, Rgb cr) { FillRect(x, y0, x, y1, cr); }

    // Anti-aliased fills. Coordinates are continuous: pixel (x, y) covers
    // [x, x+1) x [y, y+1). Coverage comes from 4x4 samples per pixel.
    void FillShape(double x0, double y0, double x1, double y1, const std::function<bool(double, double)>& inside,
                   Rgb cr);
    // The same with a colour for each pixel the shape covers.
    void FillShape(double x0, double y0, double x1, double y1, const std::function<bool(double, double)>& inside,
                   const std::function<Rgb(int, int)>& colourAt);
    void FillPolygon(const std::vector<PointF>& points, Rgb cr);
    void FillEllipse(double cx, double cy, double rx, double ry, Rgb cr);
    void FillRing(double cx, double cy, double rOuter, double rInner, Rgb cr);

private:
    int m_nWidth;
    int m_nHeight;
    std::vector<Rgb> m_pixels;
};

bool PointInPolygon(const std::vector<PointF>& points, double x, double y);

}  // namespace artgen
