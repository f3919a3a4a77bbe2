// The pixels a DC draws on, seen one way for memory and surface DCs: a
// buffer, where logical (0,0) lies in it, and the device rectangle that
// drawing may change. Every drawing routine goes through ClipToDevice (and
// ForEachPart, for a clip in parts), so nothing is written outside the
// buffer or the DC's clip.
#pragma once

#include "gdi/objects.h"

#include <cstdint>
#include <vector>

namespace host::gdi {

struct Canvas {
    std::uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    bool mono = false;
    POINT origin{};                            // device position of logical (0,0)
    RECT clip{};                               // device coordinates, inside 0..width x 0..height
    const std::vector<RECT>* parts = nullptr;  // when set, only these pieces of the clip change

    std::uint32_t& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // A colour as this canvas stores it.
    std::uint32_t Store(std::uint32_t pixel) const { return mono ? ToMono(pixel) : pixel; }
};

// False only for a DC that has nothing to draw on.
bool GetCanvas(Dc& dc, Canvas* out);

// The device rectangle of logical [left,right) x [top,bottom), cut to the
// clip; 64-bit so that huge logical values cannot overflow. Empty (all 0)
// when nothing is left.
RECT ClipToDevice(const Canvas& c, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

// Fills a device rectangle that ClipToDevice returned.
void FillDevice(const Canvas& c, const RECT& r, std::uint32_t pixel);

// Calls draw(piece) for each piece of a device rectangle that ClipToDevice
// returned which lies in the clip's parts (the whole rectangle when the clip
// is one rectangle). Drawing routines write only inside the pieces.
template <class Draw> void ForEachPart(const Canvas& c, const RECT& r, Draw draw)
{
    if (IsRectEmpty(&r)) return;
    if (!c.parts) {
        draw(r);
        return;
    }
    for (const RECT& part : *c.parts) {
        RECT piece;
        if (IntersectRect(&piece, &r, &part)) draw(piece);
    }
}

}  // namespace host::gdi
