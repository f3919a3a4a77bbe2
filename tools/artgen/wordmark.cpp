// The maker's wordmark in the header band: a blue ring-and-node "O" (a
// network node) followed by heavy geometric lower-case letters, and the
// slogan in small capitals beneath.
#include <fontconfig/fontconfig.h>

#include "art.h"
#include "font.h"
#include "pixel_font.h"

namespace artgen {

namespace {

constexpr int kWordmarkLeft = 28;
constexpr int kWordmarkTop = 14;
constexpr int kCapHeight = 25;    // rows 14 to 38
constexpr int kLettersLeft = 55;  // first column of "rvane"
constexpr int kBaseline = 39;     // letters end in row 38
constexpr Rgb kSloganInk{58, 60, 70};

}  // namespace

void DrawWordmark(CCanvas& canvas)
{
    const double r = kCapHeight / 2.0;
    const double cx = kWordmarkLeft + r, cy = kWordmarkTop + r;
    canvas.FillRing(cx, cy, r, r - 5.5, kBrandBlue);
    canvas.FillEllipse(cx, cy, 3.0, 3.0, kBrandBlue);

    // Demi, thickened by half a pixel, for a heavy mark.
    const CFont font("URW Gothic", FC_WEIGHT_DEMIBOLD, "", 27, 32);
    const InkBox box = font.Measure("rvane", ERender::kGrey);
    font.Draw(&canvas, "rvane", kLettersLeft - box.x0, kBaseline, kInk, ERender::kGrey);
}

void DrawSlogan(CCanvas& canvas) { DrawPixelText(canvas, "NETWORKS FOR EVERYONE", 33, 40, kSloganInk); }

}  // namespace artgen
