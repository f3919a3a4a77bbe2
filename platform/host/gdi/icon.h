// Icons for tests and the presenters: what an HICON holds, and icons made
// from pixels (the SDL presenter turns the window icon into its own
// image; tests draw icons they built).
#pragma once

#include "win32.h"

#include <cstdint>
#include <vector>

namespace host {

// The size of the icons LoadIconW loads and DI_DEFAULTSIZE draws (what
// SM_CXICON and SM_CYICON report): 32 by 32 at 96 DPI.
constexpr int kIconSize = 32;

struct IconPicture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> colors;  // width*height, 0x00RRGGBB, top-down
    std::vector<std::uint8_t> mask;     // width*height, 1 = transparent
};

// The icon's pixels at its own size; false for a handle that is no icon.
bool GetIconPicture(HICON icon, IconPicture* out);

// The icon's size, {0, 0} for a handle that is no icon.
SIZE IconSize(HICON icon);

// A new, unshared icon (DestroyIcon frees it). NULL when the sizes of the
// picture do not agree or are out of range.
HICON CreateIconFromPicture(const IconPicture& picture);

}  // namespace host
