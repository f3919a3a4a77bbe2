// The manual entry's picture: an open book with pink-red cover edges,
// 47 x 28 pixels.
#include <cmath>
#include <vector>

#include "art.h"

namespace artgen {

namespace {

constexpr Rgb kCover{214, 72, 98};
constexpr Rgb kCoverDark{158, 40, 62};
constexpr Rgb kPage{252, 250, 244};
constexpr Rgb kPageEdge{206, 198, 186};
constexpr Rgb kTextLine{150, 152, 164};

// Height of a page's top edge over its width: the pages bow down to the spine.
double Bow(double t) { return 3.0 * t * t; }

// The outline of one page, t = 0 at the outer edge, t = 1 at the spine.
std::vector<PointF> PageOutline(double outerX, double spineX, double top, double height)
{
    std::vector<PointF> points;
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0;
        points.push_back({outerX + (spineX - outerX) * t, top + Bow(t)});
    }
    for (int i = 12; i >= 0; --i) {
        const double t = i / 12.0;
        points.push_back({outerX + (spineX - outerX) * t, top + height + Bow(t)});
    }
    return points;
}

void DrawLines(CCanvas& c, double outerX, double spineX, double top)
{
    for (int line = 0; line < 5; ++line) {
        const int inset = line == 4 ? 8 : 0;  // a short last line ends the paragraph
        for (int i = 3; i <= 18 - inset; ++i) {
            const double t = i / 21.0;
            const double px = outerX + (spineX - outerX) * t;
            c.Blend(static_cast<int>(std::floor(px)), static_cast<int>(std::lround(top + 4 + line * 3 + Bow(t))),
                    kTextLine, 0.9);
        }
    }
}

}  // namespace

void DrawManualPicture(CCanvas& canvas, int x, int y)
{
    const double spine = x + 23.5;
    // Cover, showing round the pages.
    canvas.FillPolygon({{x + 0.0, y + 5.0},
                        {spine, y + 8.0},
                        {x + 47.0, y + 5.0},
                        {x + 47.0, y + 25.0},
                        {spine, y + 28.0},
                        {x + 0.0, y + 25.0}},
                       kCoverDark);
    canvas.FillPolygon({{x + 1.0, y + 5.5},
                        {spine, y + 8.5},
                        {x + 46.0, y + 5.5},
                        {x + 46.0, y + 24.0},
                        {spine, y + 27.0},
                        {x + 1.0, y + 24.0}},
                       kCover);
    // Page block: the edges of the pages under the top ones.
    canvas.FillPolygon(PageOutline(x + 2.0, spine, y + 2.0, 21.0), kPageEdge);
    canvas.FillPolygon(PageOutline(x + 45.0, spine, y + 2.0, 21.0), kPageEdge);
    // Top pages.
    canvas.FillPolygon(PageOutline(x + 3.0, spine - 0.5, y + 0.0, 20.0), kPage);
    canvas.FillPolygon(PageOutline(x + 44.0, spine + 0.5, y + 0.0, 20.0), kPage);
    for (int row = y + 3; row <= y + 23; ++row)
        canvas.Blend(static_cast<int>(spine), row, {170, 160, 150}, 0.8);  // gutter
    DrawLines(canvas, x + 3.0, spine, y + 0.0);
    DrawLines(canvas, x + 44.0, spine, y + 0.0);
}

}  // namespace artgen
