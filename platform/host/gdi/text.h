// Text helpers shared by ExtTextOutW, DrawTextW and the metrics calls.
#pragma once

#include "gdi/objects.h"

#include <string_view>

namespace host::gdi {

struct FontFace;

// The face of the DC's font; null (ERROR_INVALID_HANDLE) when it has none.
FontFace* FaceOf(Dc& dc);

// Sum of advances (or of dx, when given), in pixels.
int TextWidth(FontFace& face, std::wstring_view text, const INT* dx);

// Fills a logical rectangle with a colour, cut to `clip` (logical) when
// given and always to the DC's own clip.
void FillLogical(Dc& dc, const RECT& r, const RECT* clip, COLORREF color);

}  // namespace host::gdi
