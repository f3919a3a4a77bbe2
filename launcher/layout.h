// The launcher window's layout in client pixels: where the background, the
// five sprites and their hot spots lie, and how large each is. The launcher,
// the art generator and the benchmarks take it from here; the tests keep
// their own literal figures, so that a wrong constant here still fails.
// Plain integers, so that programs outside the framework can use it too.
#pragma once

namespace layout {

struct SOrigin {
    int x, y;
};

// The background picture, at the client area's origin.
constexpr int kBackgroundWidth = 291;
constexpr int kBackgroundHeight = 277;

// The frame buffer every paint is composed in, whatever the window's size.
constexpr int kFrameWidth = 620;
constexpr int kFrameHeight = 542;

// Sprite frames, which are the hot spots' sizes too.
constexpr int kButtonWidth = 18;
constexpr int kButtonHeight = 18;
constexpr int kEntryWidth = 185;
constexpr int kEntryHeight = 20;

// The sprites' and hot spots' top-left corners.
constexpr SOrigin kClose{268, 5};
constexpr SOrigin kMinimize{248, 5};
constexpr SOrigin kSetup{100, 85};
constexpr SOrigin kManual{100, 140};
constexpr SOrigin kReader{100, 200};

// The band along the top that moves the window: 0 < x < 296, 0 < y < 51.
constexpr int kDragBandWidth = 296;
constexpr int kDragBandHeight = 51;

}  // namespace layout
