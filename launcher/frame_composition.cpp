#include "launcher/frame_composition.h"

FramePlan ComposeFrame(const int (&nHover)[HOVER_COUNT], const HotSpotOrigins& o)
{
    return FramePlan{{
        {SURFACE_FRAME, 0, 0, kFrameWidth, kFrameHeight, SURFACE_BACKGROUND, 0, 0},
        {SURFACE_FRAME, o.ptSetup.x, o.ptSetup.y, kEntryWidth, kEntryHeight, SURFACE_SETUP,
         nHover[HOVER_SETUP] * kEntryWidth, 0},
        {SURFACE_FRAME, o.ptManual.x, o.ptManual.y, kEntryWidth, kEntryHeight, SURFACE_MANUAL,
         nHover[HOVER_MANUAL] * kEntryWidth, 0},
        {SURFACE_FRAME, o.ptReader.x, o.ptReader.y, kEntryWidth, kEntryHeight, SURFACE_READER,
         nHover[HOVER_READER] * kEntryWidth, 0},
        {SURFACE_FRAME, o.ptMinimize.x, o.ptMinimize.y, kButtonWidth, kButtonHeight, SURFACE_MINIMIZE,
         nHover[HOVER_MINIMIZE] * kButtonWidth, 0},
        {SURFACE_FRAME, o.ptClose.x, o.ptClose.y, kButtonWidth, kButtonHeight, SURFACE_CLOSE,
         nHover[HOVER_CLOSE] * kButtonWidth, 0},
        {SURFACE_PAINT, 0, 0, kFrameWidth, kFrameHeight, SURFACE_FRAME, 0, 0},
    }};
}
