// The pixels of a 1-pixel line from (x0,y0) to (x1,y1), both ends included
// (Bresenham's walk), handed to `plot` one by one. Canvases of any pixel
// kind draw their lines with it.
#pragma once

#include <cstdlib>

template <class Plot> void TraceLine(int x0, int y0, int x1, int y1, Plot plot)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(x0, y0);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}
