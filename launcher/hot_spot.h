// The launcher window's hot spots and drag band, and the test that says
// whether a client-area point lies inside one.
#pragma once

#include "launcher/layout.h"
#include "platform/platform.h"

// Indices into COrvaneCDDlg::m_nHover. The hover state of a hot spot is
// also the frame of its sprite strip that the paint draws.
enum {
    HOVER_MINIMIZE = 0,
    HOVER_CLOSE = 1,
    HOVER_SETUP = 2,
    HOVER_MANUAL = 3,
    HOVER_READER = 4,
    HOVER_COUNT = 5,
};

// Hot-spot sizes: the sizes of the sprite frames drawn there.
using layout::kButtonHeight;
using layout::kButtonWidth;
using layout::kEntryHeight;
using layout::kEntryWidth;

// The band along the top of the window that moves it.
using layout::kDragBandHeight;
using layout::kDragBandWidth;

// True when `point` lies strictly inside the rectangle at `origin` of the
// given size: origin.x < x < origin.x + width and origin.y < y < origin.y +
// height, compared as signed values. The origin's column and row, and the
// column and row just past the size, are outside.
constexpr bool HitHotSpot(POINT origin, int nWidth, int nHeight, POINT point)
{
    return origin.x < point.x && point.x < origin.x + nWidth && origin.y < point.y && point.y < origin.y + nHeight;
}

constexpr bool HitButton(POINT origin, POINT point) { return HitHotSpot(origin, kButtonWidth, kButtonHeight, point); }

constexpr bool HitEntry(POINT origin, POINT point) { return HitHotSpot(origin, kEntryWidth, kEntryHeight, point); }

constexpr bool HitDragBand(POINT point) { return HitHotSpot(POINT{0, 0}, kDragBandWidth, kDragBandHeight, point); }
