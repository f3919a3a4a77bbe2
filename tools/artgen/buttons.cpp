// The close and minimize buttons: a border and a glyph over the header
// ramp's own colours at the button's place, so that only border and glyph
// show on the band. Frame 1 turns border and glyph blue.
#include "art.h"

namespace artgen {

namespace {

void DrawFrame(CCanvas& c, EButton button, int frame)
{
    const int fx = frame * kButtonSize;
    const SButtonPlace origin = ButtonOrigin(button);
    const Rgb ink = frame ? kBrandBlue : kWhite;

    for (int x = 0; x < kButtonSize; ++x) c.VLine(fx + x, 0, kButtonSize - 1, HeaderRamp(origin.x + x));
    c.FrameRect(fx, 0, fx + kButtonSize - 1, kButtonSize - 1, ink);

    if (button == EButton::kMinimize) {
        c.FillRect(fx + 3, 13, fx + 14, 14, ink);
        return;
    }
    // Two 1-pixel diagonals, each softened by a half-tone pixel on both
    // sides; the strokes go over the edges where they cross.
    for (int k = 3; k < 14; ++k) {
        const int xs[2] = {k, 17 - k};
        for (int d = 0; d < 2; ++d) {
            const int x = xs[d];
            const int next = d == 0 ? x + 1 : x - 1;  // the stroke's pixel in row k + 1
            const Rgb edge = frame ? kBrandBlueEdge : Mix(HeaderRamp(origin.x + next), kWhite, 0.5);
            c.Set(fx + next, k, edge);
            const Rgb edge2 = frame ? kBrandBlueEdge : Mix(HeaderRamp(origin.x + x), kWhite, 0.5);
            c.Set(fx + x, k + 1, edge2);
        }
    }
    for (int k = 3; k <= 14; ++k) {
        c.Set(fx + k, k, ink);
        c.Set(fx + 17 - k, k, ink);
    }
}

}  // namespace

CCanvas DrawButtonStrip(EButton button)
{
    CCanvas canvas(2 * kButtonSize, kButtonSize, kWhite);
    DrawFrame(canvas, button, 0);
    DrawFrame(canvas, button, 1);
    return canvas;
}

}  // namespace artgen
