// The composition of one frame: the seven rectangle copies a normal paint
// performs, as a function of the hover states and the hot-spot origins.
// The paint handler performs the list; tests examine it directly.
#pragma once

#include "launcher/hot_spot.h"

#include <array>

// The surfaces a frame is composed from and drawn to.
enum EFrameSurface {
    SURFACE_FRAME,       // m_dcFrame, the off-screen frame buffer
    SURFACE_BACKGROUND,  // m_dcBackground
    SURFACE_SETUP,       // m_dcSetup
    SURFACE_MANUAL,      // m_dcManual
    SURFACE_READER,      // m_dcReader
    SURFACE_MINIMIZE,    // m_dcMinimize
    SURFACE_CLOSE,       // m_dcClose
    SURFACE_PAINT,       // the window's paint DC
    SURFACE_COUNT,
};

// The frame buffer's fixed size, whatever the window's size.
using layout::kFrameHeight;
using layout::kFrameWidth;

struct FrameTransfer {
    EFrameSurface dst;
    int xDst, yDst;
    int nWidth, nHeight;
    EFrameSurface src;
    int xSrc, ySrc;

    friend bool operator==(const FrameTransfer&, const FrameTransfer&) = default;
};

struct HotSpotOrigins {
    POINT ptClose, ptMinimize, ptSetup, ptManual, ptReader;
};

using FramePlan = std::array<FrameTransfer, 7>;

// Background first, then the entries top to bottom, the minimize and the
// close button, each sprite from the frame its hover state selects; the
// finished frame goes to the window last, in one copy.
FramePlan ComposeFrame(const int (&nHover)[HOVER_COUNT], const HotSpotOrigins& origins);
