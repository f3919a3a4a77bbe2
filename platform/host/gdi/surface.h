// What the window manager and GDI share: the pixels of a top-level window
// and device contexts that draw on them.
#pragma once

#include "win32.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace host {

// A window's pixels, 0x00RRGGBB, row 0 at the top. The window manager owns
// one per top-level window (children draw on their top-level's surface).
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Surface(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, 0u) {}
};

// A device context that draws on `surface`: logical (0,0) maps to `origin`
// on the surface, and nothing outside `clip` (surface coordinates) changes;
// with `parts` (disjoint, surface coordinates), nothing outside them either.
// The DC keeps the surface alive. Deleted with ReleaseSurfaceDC (or DeleteDC).
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, RECT clip, std::vector<RECT> parts = {});
void ReleaseSurfaceDC(HDC dc);

}  // namespace host
