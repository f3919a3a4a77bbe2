// The pure parts of the launcher window: the hot-spot test, the seven
// transfers of a frame, and where the minimized window puts its icon.
#include "launcher/frame_composition.h"
#include "launcher/hot_spot.h"
#include "launcher/icon_placement.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

const HotSpotOrigins kOrigins{{268, 5}, {248, 5}, {100, 85}, {100, 140}, {100, 200}};

// Which surface each sprite comes from, with its hover index and the size
// its hot spot has: literal figures, independent of the layout's constants.
struct SpriteFacts {
    EFrameSurface surface;
    int hover;
    int width, height;
    POINT HotSpotOrigins::*origin;
};
constexpr SpriteFacts kSprites[] = {
    // In the order of the plan: the entries top to bottom, then minimize, close.
    {SURFACE_SETUP, HOVER_SETUP, 185, 20, &HotSpotOrigins::ptSetup},
    {SURFACE_MANUAL, HOVER_MANUAL, 185, 20, &HotSpotOrigins::ptManual},
    {SURFACE_READER, HOVER_READER, 185, 20, &HotSpotOrigins::ptReader},
    {SURFACE_MINIMIZE, HOVER_MINIMIZE, 18, 18, &HotSpotOrigins::ptMinimize},
    {SURFACE_CLOSE, HOVER_CLOSE, 18, 18, &HotSpotOrigins::ptClose},
};

// Every combination of the five hover states, as a bit mask.
class FrameCompositionTest : public testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        for (int i = 0; i < HOVER_COUNT; ++i) m_nHover[i] = (GetParam() >> i) & 1;
    }
    int m_nHover[HOVER_COUNT];
};

TEST_P(FrameCompositionTest, BackgroundFirstAndOneCopyToTheWindowLast)
{
    const FramePlan plan = ComposeFrame(m_nHover, kOrigins);
    // The whole 620x542 frame buffer both times: the background is clipped
    // to its bitmap, the window's copy to its client area.
    EXPECT_EQ(plan.front(), (FrameTransfer{SURFACE_FRAME, 0, 0, 620, 542, SURFACE_BACKGROUND, 0, 0}));
    EXPECT_EQ(plan.back(), (FrameTransfer{SURFACE_PAINT, 0, 0, 620, 542, SURFACE_FRAME, 0, 0}));
    for (std::size_t i = 1; i + 1 < plan.size(); ++i) {
        EXPECT_EQ(plan[i].dst, SURFACE_FRAME) << "T" << i + 1 << " draws into the frame buffer";
        EXPECT_NE(plan[i].src, SURFACE_PAINT) << "T" << i + 1;
        EXPECT_NE(plan[i].src, SURFACE_FRAME) << "T" << i + 1;
    }
}

TEST_P(FrameCompositionTest, EachSpriteOnceAtItsHotSpotInTheFrameItsHoverSelects)
{
    const FramePlan plan = ComposeFrame(m_nHover, kOrigins);
    for (std::size_t k = 0; k < std::size(kSprites); ++k) {
        const SpriteFacts& s = kSprites[k];
        const FrameTransfer& t = plan[k + 1];
        SCOPED_TRACE("T" + std::to_string(k + 2));
        EXPECT_EQ(t.src, s.surface);
        const POINT at = kOrigins.*s.origin;
        EXPECT_EQ(t.xDst, at.x);
        EXPECT_EQ(t.yDst, at.y);
        EXPECT_EQ(t.nWidth, s.width);
        EXPECT_EQ(t.nHeight, s.height);
        // Frame 0 or frame 1 of the two-frame strip, from its top row.
        EXPECT_EQ(t.xSrc, m_nHover[s.hover] * s.width);
        EXPECT_EQ(t.ySrc, 0);
        EXPECT_LE(t.xSrc + t.nWidth, 2 * s.width) << "inside the strip";
    }
}

TEST_P(FrameCompositionTest, SpritesLieInsideTheBackgroundAndApart)
{
    const FramePlan plan = ComposeFrame(m_nHover, kOrigins);
    for (std::size_t i = 1; i + 1 < plan.size(); ++i) {
        const FrameTransfer& a = plan[i];
        EXPECT_TRUE(a.xDst >= 0 && a.yDst >= 0 && a.xDst + a.nWidth <= 291 && a.yDst + a.nHeight <= 277)
            << "T" << i + 1 << " leaves the 291x277 background";
        for (std::size_t j = i + 1; j + 1 < plan.size(); ++j) {
            const FrameTransfer& b = plan[j];
            const bool apart = a.xDst + a.nWidth <= b.xDst || b.xDst + b.nWidth <= a.xDst ||
                               a.yDst + a.nHeight <= b.yDst || b.yDst + b.nHeight <= a.yDst;
            EXPECT_TRUE(apart) << "T" << i + 1 << " and T" << j + 1 << " overlap";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Hover, FrameCompositionTest, testing::Range(0, 1 << HOVER_COUNT));

TEST(FrameCompositionTest, DestinationsFollowTheOrigins)
{
    const int hover[HOVER_COUNT] = {0, 0, 0, 0, 0};
    const HotSpotOrigins moved{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
    const FramePlan plan = ComposeFrame(hover, moved);
    for (std::size_t k = 0; k < std::size(kSprites); ++k) {
        EXPECT_EQ(plan[k + 1].xDst, (moved.*kSprites[k].origin).x) << "T" << k + 2;
        EXPECT_EQ(plan[k + 1].yDst, (moved.*kSprites[k].origin).y) << "T" << k + 2;
    }
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
