// The pure parts of the launcher window: the hot-spot test, the seven
// transfers of a frame, and where the minimized window puts its icon.
#include "launcher/frame_composition.h"
#include "launcher/hot_spot.h"
#include "launcher/icon_placement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const HotSpotOrigins kOrigins{{268, 5}, {248, 5}, {100, 85}, {100, 140}, {100, 200}};

struct HoverCase {
    std::string name;
    int hover[HOVER_COUNT];  // minimize, close, setup, manual, reader
    int setupX, manualX, readerX, minimizeX, closeX;
};

class FrameCompositionTest : public testing::TestWithParam<HoverCase> {};

TEST_P(FrameCompositionTest, SourcesFollowTheHoverStates)
{
    const HoverCase& c = GetParam();
    const FramePlan plan = ComposeFrame(c.hover, kOrigins);

    const FramePlan expected{{
        {SURFACE_FRAME, 0, 0, 620, 542, SURFACE_BACKGROUND, 0, 0},
        {SURFACE_FRAME, 100, 85, 185, 20, SURFACE_SETUP, c.setupX, 0},
        {SURFACE_FRAME, 100, 140, 185, 20, SURFACE_MANUAL, c.manualX, 0},
        {SURFACE_FRAME, 100, 200, 185, 20, SURFACE_READER, c.readerX, 0},
        {SURFACE_FRAME, 248, 5, 18, 18, SURFACE_MINIMIZE, c.minimizeX, 0},
        {SURFACE_FRAME, 268, 5, 18, 18, SURFACE_CLOSE, c.closeX, 0},
        {SURFACE_PAINT, 0, 0, 620, 542, SURFACE_FRAME, 0, 0},
    }};
    for (std::size_t i = 0; i < plan.size(); ++i) EXPECT_EQ(plan[i], expected[i]) << "T" << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Hover, FrameCompositionTest,
                         testing::Values(HoverCase{"AllNormal", {0, 0, 0, 0, 0}, 0, 0, 0, 0, 0},
                                         HoverCase{"Setup", {0, 0, 1, 0, 0}, 185, 0, 0, 0, 0},
                                         HoverCase{"Manual", {0, 0, 0, 1, 0}, 0, 185, 0, 0, 0},
                                         HoverCase{"Reader", {0, 0, 0, 0, 1}, 0, 0, 185, 0, 0},
                                         HoverCase{"Minimize", {1, 0, 0, 0, 0}, 0, 0, 0, 18, 0},
                                         HoverCase{"Close", {0, 1, 0, 0, 0}, 0, 0, 0, 0, 18},
                                         HoverCase{"SetupAndClose", {0, 1, 1, 0, 0}, 185, 0, 0, 0, 18},
                                         HoverCase{"AllHighlighted", {1, 1, 1, 1, 1}, 185, 185, 185, 18, 18}),
                         [](const testing::TestParamInfo<HoverCase>& info) { return info.param.name; });

TEST(FrameCompositionTest, DestinationsFollowTheOrigins)
{
    const int hover[HOVER_COUNT] = {0, 0, 0, 0, 0};
    const HotSpotOrigins moved{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
    const FramePlan plan = ComposeFrame(hover, moved);
    EXPECT_EQ(plan[1].xDst, 5);
    EXPECT_EQ(plan[1].yDst, 6);
    EXPECT_EQ(plan[2].xDst, 7);
    EXPECT_EQ(plan[3].yDst, 10);
    EXPECT_EQ(plan[4].xDst, 3);
    EXPECT_EQ(plan[5].yDst, 2);
}

struct HitCase {
    POINT point;
    bool close, minimize, setup, manual, reader, band;
};

class HotSpotTest : public testing::TestWithParam<HitCase> {};

TEST_P(HotSpotTest, StrictSignedComparisons)
{
    const HitCase& c = GetParam();
    EXPECT_EQ(HitButton(kOrigins.ptClose, c.point), c.close);
    EXPECT_EQ(HitButton(kOrigins.ptMinimize, c.point), c.minimize);
    EXPECT_EQ(HitEntry(kOrigins.ptSetup, c.point), c.setup);
    EXPECT_EQ(HitEntry(kOrigins.ptManual, c.point), c.manual);
    EXPECT_EQ(HitEntry(kOrigins.ptReader, c.point), c.reader);
    EXPECT_EQ(HitDragBand(c.point), c.band);
}

INSTANTIATE_TEST_SUITE_P(Points, HotSpotTest,
                         testing::Values(
                             //        point      close  min    setup  manual reader band
                             HitCase{{268, 10}, false, false, false, false, false, true},  // close's origin column
                             HitCase{{269, 10}, true, false, false, false, false, true},
                             HitCase{{285, 22}, true, false, false, false, false, true},   // last reacting pixel
                             HitCase{{286, 10}, false, false, false, false, false, true},  // origin.x + width
                             HitCase{{270, 5}, false, false, false, false, false, true},   // origin row
                             HitCase{{270, 23}, false, false, false, false, false, true},  // origin.y + height
                             HitCase{{250, 10}, false, true, false, false, false, true},
                             HitCase{{267, 10}, false, false, false, false, false, true},  // between the buttons
                             HitCase{{101, 86}, false, false, true, false, false, false},
                             HitCase{{284, 104}, false, false, true, false, false, false},
                             HitCase{{285, 95}, false, false, false, false, false, false},
                             HitCase{{100, 95}, false, false, false, false, false, false},
                             HitCase{{150, 150}, false, false, false, true, false, false},
                             HitCase{{150, 210}, false, false, false, false, true, false},
                             HitCase{{150, 220}, false, false, false, false, false, false},
                             HitCase{{10, 10}, false, false, false, false, false, true},
                             HitCase{{0, 10}, false, false, false, false, false, false},
                             HitCase{{10, 0}, false, false, false, false, false, false},
                             HitCase{{295, 50}, false, false, false, false, false, true},
                             HitCase{{296, 10}, false, false, false, false, false, false},
                             HitCase{{10, 51}, false, false, false, false, false, false},
                             HitCase{{-5, 10}, false, false, false, false, false, false},
                             HitCase{{150, -100}, false, false, false, false, false, false},
                             HitCase{{-32768, -32768}, false, false, false, false, false, false}));

TEST(HotSpotTest, NegativeCoordinatesFromASignExtendedPointFail)
{
    // x = -2 and y = 10 packed as a mouse message packs them.
    const CPoint pt(MAKELPARAM(static_cast<WORD>(-2), 10));
    EXPECT_EQ(pt.x, -2);
    EXPECT_EQ(pt.y, 10);
    EXPECT_FALSE(HitDragBand(pt));
    const CPoint far(MAKELPARAM(static_cast<WORD>(150 - 65536), static_cast<WORD>(-300)));
    EXPECT_FALSE(HitEntry(kOrigins.ptSetup, far));
}

struct IconCase {
    int width, height;
    int x, y;
};

class IconPlacementTest : public testing::TestWithParam<IconCase> {};

TEST_P(IconPlacementTest, CentresTruncatingTowardZero)
{
    const IconCase& c = GetParam();
    const CPoint pt = CenterIcon(RECT{0, 0, c.width, c.height}, 32, 32);
    EXPECT_EQ(pt.x, c.x);
    EXPECT_EQ(pt.y, c.y);
}

INSTANTIATE_TEST_SUITE_P(Sizes, IconPlacementTest,
                         testing::Values(IconCase{160, 160, 64, 64}, IconCase{161, 161, 65, 65},
                                         IconCase{0, 0, -15, -15}, IconCase{32, 33, 0, 1}, IconCase{1, 2, -15, -14}));

}  // namespace
