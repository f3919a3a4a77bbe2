// The setup entry's picture: a compact disc in front of a blue-screened
// display held between two yellow handles, 48 x 46 pixels.
#include <cmath>
#include <numbers>

#include "art.h"

namespace artgen {

namespace {

constexpr Rgb kHandle{244, 201, 48};
constexpr Rgb kHandleLight{255, 236, 140};
constexpr Rgb kHandleDark{196, 146, 22};
constexpr Rgb kBezel{214, 216, 222};
constexpr Rgb kBezelDark{104, 108, 118};
constexpr Rgb kScreenTop{28, 66, 168};
constexpr Rgb kScreenBottom{86, 146, 228};
constexpr Rgb kDiscSilver{214, 218, 226};
constexpr Rgb kDiscRim{118, 124, 136};

void DrawHandle(CCanvas& c, int x, int y)
{
    // A rounded bar, lit from the left.
    c.FillEllipse(x + 2.5, y + 2.5, 2.5, 2.5, kHandleDark);
    c.FillEllipse(x + 2.5, y + 34.5, 2.5, 2.5, kHandleDark);
    c.FillRect(x, y + 2, x + 4, y + 35, kHandleDark);
    c.FillRect(x + 1, y + 2, x + 3, y + 35, kHandle);
    c.VLine(x + 1, y + 3, y + 34, kHandleLight);
}

void DrawDisplay(CCanvas& c, int x, int y)
{
    c.FillRect(x + 13, y + 32, x + 24, y + 36, kBezelDark);  // neck
    c.FillRect(x + 14, y + 32, x + 23, y + 35, kBezel);
    c.FillRect(x + 7, y + 36, x + 30, y + 38, kBezelDark);  // foot
    c.HLine(x + 8, x + 29, y + 36, kBezel);

    c.FillRect(x, y, x + 37, y + 31, kBezel);
    c.FrameRect(x, y, x + 37, y + 31, kBezelDark);
    c.HLine(x + 1, x + 36, y + 1, kWhite);
    c.FrameRect(x + 2, y + 2, x + 35, y + 28, kBezelDark);
    for (int row = y + 3; row <= y + 27; ++row)
        c.HLine(x + 3, x + 34, row, Mix(kScreenTop, kScreenBottom, (row - y - 3) / 24.0));
    // Glare across the glass.
    c.FillPolygon({{x + 3.0, y + 3.0}, {x + 17.0, y + 3.0}, {x + 3.0, y + 17.0}}, Mix(kScreenTop, kWhite, 0.25));
    c.Set(x + 31, y + 30, {60, 200, 90});  // power light
}

void DrawDisc(CCanvas& c, double cx, double cy, double r)
{
    const auto onDisc = [&](double x, double y) { return std::hypot(x - cx, y - cy) <= r; };
    const auto colourAt = [&](int x, int y) {
        const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
        const double d = std::hypot(dx, dy);
        const double a = std::atan2(dy, dx);
        // Rainbow sheen in two opposite fans, as light falls on a disc.
        const double sheen = std::pow(std::fabs(std::cos(a - 0.7)), 6);
        const double hue = (a + std::numbers::pi) / (2 * std::numbers::pi) * 6;
        const Rgb rainbow{static_cast<std::uint8_t>(180 + 60 * std::cos(hue)),
                          static_cast<std::uint8_t>(190 + 55 * std::cos(hue - 2.1)),
                          static_cast<std::uint8_t>(200 + 55 * std::cos(hue + 2.1))};
        if (d > r - 1.2) return kDiscRim;
        if (d < r * 0.36) return d > r * 0.36 - 1.0 ? Rgb{160, 166, 176} : Rgb{236, 238, 242};  // clear hub
        return Mix(kDiscSilver, rainbow, 0.85 * sheen);
    };
    c.FillShape(cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1, onDisc, colourAt);
    c.FillEllipse(cx, cy, r * 0.16 + 0.8, r * 0.16 + 0.8, {150, 156, 166});
    c.FillEllipse(cx, cy, r * 0.16, r * 0.16, kWhite);  // the hole shows the page
}

}  // namespace

void DrawSetupPicture(CCanvas& canvas, int x, int y)
{
    DrawDisplay(canvas, x + 5, y);
    DrawHandle(canvas, x, y + 3);
    DrawHandle(canvas, x + 43, y + 3);
    DrawDisc(canvas, x + 19.5, y + 30.5, 15.0);
}

}  // namespace artgen
