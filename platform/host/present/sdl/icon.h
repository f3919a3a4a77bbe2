// A window icon as the ARGB pixels of SDL_SetWindowIcon's surface.
#pragma once

#include "gdi/icon.h"

#include <cstdint>
#include <vector>

namespace host::sdl {

// 0xAARRGGBB, top-down: the colours, opaque where the mask keeps them and
// fully transparent where it leaves the pixel out. Empty when the picture's
// sizes do not agree.
std::vector<std::uint32_t> IconArgb(const IconPicture& picture);

}  // namespace host::sdl
