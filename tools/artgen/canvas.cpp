#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace artgen {

namespace {

std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}

CCanvas::CCanvas(int nWidth, int nHeight, Rgb crFill)
    : m_nWidth(std::max(nWidth, 0)), m_nHeight(std::max(nHeight, 0)),
      m_pixels(static_cast<std::size_t>(m_nWidth) * m_nHeight, crFill)
{}

Rgb CCanvas::Get(int x, int y) const
{
    if (!Contains(x, y)) return kWhite;
    return m_pixels[static_cast<std::size_t>(y) * m_nWidth + x];
}

void CCanvas::Set(int x, int y, Rgb cr)
{
    if (Contains(x, y)) m_pixels[static_cast<std::size_t>(y) * m_nWidth + x] = cr;
}

void CCanvas::Blend(int x, int y, Rgb cr, double alpha)
{
    if (!Contains(x, y) || alpha <= 0) return;
    Set(x, y, alpha >= 1 ? cr : Mix(Get(x, y), cr, alpha));
}

void CCanvas::FillRect(int x0, int y0, int x1, int y1, Rgb cr)
{
    for (int y = std::max(y0, 0); y <= std::min(y1, m_nHeight - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, m_nWidth - 1); ++x) Set(x, y, cr);
}

void CCanvas::FrameRect(int x0, int y0, int x1, int y1, Rgb cr)
{
    HLine(x0, x1, y0, cr);
    HLine(x0, x1, y1, cr);
    VLine(x0, y0, y1, cr);
    VLine(x1, y0, y1, cr);
}

void CCanvas::FillShape(double x0, double y0, double x1, double y1, const std::function<bool(double, double)>& inside,
                        Rgb cr)
{
    FillShape(x0, y0, x1, y1, inside, [cr](int, int) { return cr; });
}

void CCanvas::FillShape(double x0, double y0, double x1, double y1, const std::function<bool(double, double)>& inside,
                        const std::function<Rgb(int, int)>& colourAt)
{
    constexpr int kSamples = 4;
    const int px0 = std::max(static_cast<int>(std::floor(x0)), 0);
    const int py0 = std::max(static_cast<int>(std::floor(y0)), 0);
    const int px1 = std::min(static_cast<int>(std::ceil(x1)), m_nWidth - 1);
    const int py1 = std::min(static_cast<int>(std::ceil(y1)), m_nHeight - 1);
    for (int y = py0; y <= py1; ++y) {
        for (int x = px0; x <= px1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    hits += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples) ? 1 : 0;
            if (hits) Blend(x, y, colourAt(x, y), static_cast<double>(hits) / (kSamples * kSamples));
        }
    }
}

bool PointInPolygon(const std::vector<PointF>& points, double x, double y)
{
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const PointF& a = points[i];
        const PointF& b = points[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

void CCanvas::FillPolygon(const std::vector<PointF>& points, Rgb cr)
{
    if (points.size() < 3) return;
    double x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
    for (const PointF& p : points) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    FillShape(
        x0, y0, x1, y1, [&](double x, double y) { return PointInPolygon(points, x, y); }, cr);
}

void CCanvas::FillEllipse(double cx, double cy, double rx, double ry, Rgb cr)
{
    if (rx <= 0 || ry <= 0) return;
    FillShape(
        cx - rx, cy - ry, cx + rx, cy + ry,
        [=](double x, double y) {
            const double u = (x - cx) / rx, v = (y - cy) / ry;
            return u * u + v * v <= 1.0;
        },
        cr);
}

void CCanvas::FillRing(double cx, double cy, double rOuter, double rInner, Rgb cr)
{
    FillShape(
        cx - rOuter, cy - rOuter, cx + rOuter, cy + rOuter,
        [=](double x, double y) {
            const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            return d2 <= rOuter * rOuter && d2 >= rInner * rInner;
        },
        cr);
}

}  // namespace artgen
