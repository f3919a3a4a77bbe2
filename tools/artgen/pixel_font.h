// A tiny capitals-only pixel font, 5 rows high, for type too small for any
// outline font to stay legible: the slogan and the lettering in the pictures.
#pragma once

#include <string_view>

#include "canvas.h"

namespace artgen {

// Draws text with its top-left corner at (x, y); throws std::runtime_error
// for a character the font does not have. Returns the width drawn.
int DrawPixelText(CCanvas& canvas, std::string_view text, int x, int y, Rgb cr, int nGap = 1);

}  // namespace artgen
