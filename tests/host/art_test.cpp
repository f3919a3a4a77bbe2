// The launcher's art as the executable carries it: the bitmaps and the icon
// group read back from the compiled resource file, checked against the
// layout the painting code relies on (sprite places, white under entries,
// button insides matching the header band).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/host/kernel/module.h"
#include "platform/host/res/format.h"
#include "res/resource.h"

namespace {

using namespace host::res;

constexpr std::uint16_t kKorean = 1042;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kOutlineGrey = 0x7E7E7E;    // RGB(126,126,126)
constexpr std::uint32_t kLowerRuleGrey = 0xA7A7A7;  // RGB(167,167,167)
constexpr std::uint32_t kBrandBlue = 0x487BBE;      // RGB(72,123,190)
constexpr std::uint32_t kBrandBlueEdge = 0x6F98CE;  // RGB(111,152,206)

int R(std::uint32_t c) { return static_cast<int>(c >> 16 & 0xFF); }
int G(std::uint32_t c) { return static_cast<int>(c >> 8 & 0xFF); }
int B(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

int Distance(std::uint32_t a, std::uint32_t b)
{
    return std::max({std::abs(R(a) - R(b)), std::abs(G(a) - G(b)), std::abs(B(a) - B(b))});
}

std::string Hex(std::uint32_t c)
{
    char text[16];
    std::snprintf(text, sizeof text, "#%06X", c & 0xFFFFFF);
    return text;
}

class ArtTest : public ::testing::Test {
protected:
    // The compiled resources as the executable carries them.
    static void SetUpTestSuite() { ASSERT_FALSE(host::ModuleResources().entries().empty()) << "no embedded resources"; }

    static const ResEntry& Entry(std::uint16_t type, std::uint16_t id)
    {
        const ResEntry* entry = host::ModuleResources().Find(ResId::Ordinal(type), ResId::Ordinal(id), kKorean);
        if (!entry)
            throw std::runtime_error("resource " + std::to_string(id) + " of type " + std::to_string(type) +
                                     " missing");
        return *entry;
    }
    static Dib Bitmap(std::uint16_t id) { return DecodeDib24(Entry(kRtBitmap, id).data); }
};

// ---- bitmap format --------------------------------------------------------

struct BitmapCase {
    const char* name;
    std::uint16_t id;
    int width, height;
    std::uint32_t pixelBytes, resourceBytes;
};

constexpr BitmapCase kBitmaps[] = {
    {"background", IDB_BACKGROUND, 291, 277, 242652, 242692}, {"setup", IDB_SETUP_ENTRY, 370, 20, 22240, 22280},
    {"manual", IDB_MANUAL_ENTRY, 370, 20, 22240, 22280},      {"reader", IDB_READER_ENTRY, 370, 20, 22240, 22280},
    {"close", IDB_CLOSE_BUTTON, 36, 18, 1944, 1984},          {"minimize", IDB_MINIMIZE_BUTTON, 36, 18, 1944, 1984},
};

TEST_F(ArtTest, EveryBitmapIsAHeaderlessBottomUp24BitDib)
{
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(c.name);
        const ResEntry& entry = Entry(kRtBitmap, c.id);
        ASSERT_EQ(entry.data.size(), c.resourceBytes);
        // The resource begins with the info header itself, no "BM" file header.
        const std::uint32_t headerSize =
            entry.data[0] | entry.data[1] << 8 | entry.data[2] << 16 | static_cast<std::uint32_t>(entry.data[3]) << 24;
        EXPECT_EQ(headerSize, 40u);

        const Dib dib = DecodeDib24(entry.data);
        EXPECT_EQ(dib.width, c.width);
        EXPECT_EQ(dib.height, c.height);  // positive: bottom-up
        EXPECT_EQ(dib.planes, 1);
        EXPECT_EQ(dib.bitCount, 24);
        EXPECT_EQ(dib.compression, 0u);
        EXPECT_EQ(dib.sizeImage, c.pixelBytes);
        EXPECT_EQ(40 + dib.sizeImage, c.resourceBytes);
        EXPECT_EQ(dib.xPelsPerMeter, 0);
        EXPECT_EQ(dib.yPelsPerMeter, 0);
        EXPECT_EQ(dib.clrUsed, 0u);
        EXPECT_EQ(dib.clrImportant, 0u);
        EXPECT_EQ(dib.pixels.size(), static_cast<std::size_t>(c.width) * c.height);
    }
}

// ---- background -----------------------------------------------------------

struct Region {
    const char* name;
    int x0, y0, x1, y1;  // inclusive
    std::uint32_t color;
};

constexpr Region kPlainRegions[] = {
    {"left margin", 0, 0, 1, 276, kWhite},
    {"right margin", 289, 0, 290, 276, kWhite},
    {"top margin", 0, 0, 290, 1, kWhite},
    {"bottom margin", 0, 275, 290, 276, kWhite},
    {"outline top", 2, 2, 288, 2, kOutlineGrey},
    {"outline bottom", 2, 274, 288, 274, kOutlineGrey},
    {"outline left", 2, 2, 2, 274, kOutlineGrey},
    {"outline right", 288, 2, 288, 274, kOutlineGrey},
    {"top gap", 3, 3, 287, 3, kWhite},
    {"header rule", 4, 53, 287, 53, kOutlineGrey},
    {"header rule's first column", 3, 53, 3, 53, kWhite},
    {"body above the pictures", 3, 54, 287, 71, kWhite},
    {"body right of the pictures", 80, 54, 287, 245, kWhite},
    {"setup entry", 100, 85, 284, 104, kWhite},
    {"manual entry", 100, 140, 284, 159, kWhite},
    {"reader entry", 100, 200, 284, 219, kWhite},
    {"body under the pictures", 3, 231, 287, 245, kWhite},
    {"lower rule", 14, 246, 276, 246, kLowerRuleGrey},
    {"lower rule's left end", 3, 246, 13, 246, kWhite},
    {"lower rule's right end", 277, 246, 287, 246, kWhite},
    {"bottom strip", 3, 247, 287, 273, kWhite},
    {"version label", 214, 256, 275, 268, kWhite},
};

TEST_F(ArtTest, BackgroundRegionsHaveTheirColours)
{
    const Dib bg = Bitmap(IDB_BACKGROUND);
    for (const Region& r : kPlainRegions) {
        SCOPED_TRACE(r.name);
        int wrong = 0;
        for (int y = r.y0; y <= r.y1; ++y)
            for (int x = r.x0; x <= r.x1; ++x)
                if (bg.At(x, y) != r.color && wrong++ < 3)
                    ADD_FAILURE() << "(" << x << "," << y << ") is " << Hex(bg.At(x, y)) << ", expected "
                                  << Hex(r.color);
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(ArtTest, HeaderBandIsAColumnRampOutsideTheWordmark)
{
    const Dib bg = Bitmap(IDB_BACKGROUND);
    for (int x = 3; x <= 29; ++x) EXPECT_EQ(bg.At(x, 4), kWhite) << "x=" << x;
    EXPECT_EQ(bg.At(30, 4), 0xFEFEFFu);   // RGB(254,254,255)
    EXPECT_EQ(bg.At(287, 4), 0x9FB3D7u);  // RGB(159,179,215)

    for (int x = 3; x <= 287; ++x) {
        const std::uint32_t column = bg.At(x, 4);
        const bool underMark = x >= 28 && x <= 130;
        for (int y = 4; y <= 52; ++y) {
            if (underMark && y >= 14 && y <= 44) continue;
            ASSERT_EQ(bg.At(x, y), column) << "(" << x << "," << y << ")";
        }
        if (x > 30) {
            // Towards the right every channel falls, never rises, by little.
            const std::uint32_t left = bg.At(x - 1, 4);
            EXPECT_LE(R(column), R(left)) << "x=" << x;
            EXPECT_LE(G(column), G(left)) << "x=" << x;
            EXPECT_LE(B(column), B(left)) << "x=" << x;
            EXPECT_LE(Distance(column, left), 1) << "x=" << x;
        }
    }
}

TEST_F(ArtTest, WordmarkHasNearBlackLettersBluePartsAndASloganBelow)
{
    const Dib bg = Bitmap(IDB_BACKGROUND);
    int ink = 0, blue = 0, slogan = 0;
    for (int y = 14; y <= 38; ++y)
        for (int x = 28; x <= 130; ++x) {
            ink += bg.At(x, y) == 0x232021u ? 1 : 0;  // RGB(35,32,33)
            blue += bg.At(x, y) == kBrandBlue ? 1 : 0;
        }
    for (int y = 39; y <= 44; ++y)
        for (int x = 33; x <= 130; ++x) slogan += R(bg.At(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(ink, 300);  // heavy letters
    EXPECT_GT(blue, 150);
    EXPECT_GT(slogan, 60);
}

struct PictureCase {
    const char* name;
    int x0, y0, x1, y1;
    std::uint32_t featureColor;  // a colour the picture must show somewhere
    int tolerance;
};

constexpr PictureCase kPictures[] = {
    {"setup: yellow handles", 28, 72, 75, 117, 0xF4C930, 40},
    {"setup: blue screen", 28, 72, 75, 117, 0x2C50B0, 40},
    {"manual: pink-red edges", 32, 136, 78, 163, 0xD64862, 30},
    {"reader: red tag and logo", 28, 182, 73, 229, 0xD61C22, 30},
    {"reader: grey page", 28, 182, 73, 229, 0xE0E1E5, 12},
};

TEST_F(ArtTest, PicturesLieInTheirBoxesAndShowTheirColours)
{
    const Dib bg = Bitmap(IDB_BACKGROUND);
    for (const PictureCase& p : kPictures) {
        SCOPED_TRACE(p.name);
        int matches = 0;
        for (int y = p.y0; y <= p.y1; ++y)
            for (int x = p.x0; x <= p.x1; ++x) matches += Distance(bg.At(x, y), p.featureColor) <= p.tolerance ? 1 : 0;
        EXPECT_GT(matches, 20);
    }
    // Off the pictures the body is blank.
    for (int y = 54; y <= 245; ++y)
        for (int x = 3; x <= 287; ++x) {
            const bool inPicture = std::any_of(std::begin(kPictures), std::end(kPictures), [&](const PictureCase& p) {
                return x >= p.x0 && x <= p.x1 && y >= p.y0 && y <= p.y1;
            });
            if (!inPicture) { ASSERT_EQ(bg.At(x, y), kWhite) << "(" << x << "," << y << ")"; }
        }
}

// ---- entry strips ---------------------------------------------------------

constexpr int kEntryWidth = 185;

struct EntryCase {
    const char* name;
    std::uint16_t id;
    int regularStart;  // first inked column of frame 0
    int underlineRow;  // frame 1
    bool startsWithCapital;
};

constexpr EntryCase kEntries[] = {
    {"setup", IDB_SETUP_ENTRY, 2, 15, true},
    {"manual", IDB_MANUAL_ENTRY, 2, 15, false},
    {"reader", IDB_READER_ENTRY, 3, 14, true},
};

// The inked extent of a frame, leaving out one row (the underline).
struct Ink {
    int x0 = 1 << 20, x1 = -1, y0 = 1 << 20, y1 = -1, count = 0;
};

Ink InkOf(const Dib& strip, int frame, int skipRow = -1)
{
    Ink ink;
    for (int y = 0; y < strip.height; ++y) {
        if (y == skipRow) continue;
        for (int x = 0; x < kEntryWidth; ++x) {
            if (strip.At(frame * kEntryWidth + x, y) != kBlack) continue;
            ink.x0 = std::min(ink.x0, x);
            ink.x1 = std::max(ink.x1, x);
            ink.y0 = std::min(ink.y0, y);
            ink.y1 = std::max(ink.y1, y);
            ++ink.count;
        }
    }
    return ink;
}

TEST_F(ArtTest, EntryStripsAreBlackTypeOnPureWhite)
{
    for (const EntryCase& c : kEntries) {
        SCOPED_TRACE(c.name);
        const Dib strip = Bitmap(c.id);
        for (std::uint32_t p : strip.pixels) ASSERT_TRUE(p == kBlack || p == kWhite) << Hex(p);
    }
}

TEST_F(ArtTest, EntryTextStartsEndsAndStaysInItsRows)
{
    for (const EntryCase& c : kEntries) {
        SCOPED_TRACE(c.name);
        const Dib strip = Bitmap(c.id);
        const Ink regular = InkOf(strip, 0);
        const Ink bold = InkOf(strip, 1, c.underlineRow);

        EXPECT_EQ(regular.x0, c.regularStart);
        EXPECT_EQ(bold.x0, 2);
        for (const Ink& ink : {regular, bold}) {
            EXPECT_LE(ink.x1, 150);
            EXPECT_GE(ink.y0, 2);
            EXPECT_LE(ink.y1, 14);
        }
        // Bold: more ink for the same text, and about as wide.
        EXPECT_GT(bold.count, regular.count * 11 / 10);
        EXPECT_LE(std::abs((bold.x1 - bold.x0) - (regular.x1 - regular.x0)), 12);

        if (c.startsWithCapital) {
            // The first letter (O or A) is a capital, 10 pixels high; its
            // first seven columns hold no part of the next letter.
            int top = 99, bottom = -1;
            for (int y = 0; y < strip.height; ++y)
                for (int x = c.regularStart; x < c.regularStart + 7; ++x)
                    if (strip.At(x, y) == kBlack) {
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            EXPECT_EQ(bottom - top + 1, 10);
        }
    }
}

TEST_F(ArtTest, OnlyTheHighlightedEntryIsUnderlinedToTheEndOfItsText)
{
    for (const EntryCase& c : kEntries) {
        SCOPED_TRACE(c.name);
        const Dib strip = Bitmap(c.id);
        const Ink bold = InkOf(strip, 1, c.underlineRow);
        for (int x = 0; x < kEntryWidth; ++x) {
            const bool onLine = x >= 2 && x <= bold.x1;
            EXPECT_EQ(strip.At(kEntryWidth + x, c.underlineRow), onLine ? kBlack : kWhite) << "x=" << x;
            EXPECT_EQ(strip.At(x, c.underlineRow), kWhite) << "frame 0, x=" << x;
        }
        // Below the underline nothing is drawn in either frame.
        for (int y = c.underlineRow + 1; y < strip.height; ++y)
            for (int x = 0; x < 2 * kEntryWidth; ++x) ASSERT_EQ(strip.At(x, y), kWhite) << "(" << x << "," << y << ")";
    }
}

// ---- buttons --------------------------------------------------------------

constexpr int kButton = 18;

enum class Glyph { kCross, kBar };

struct ButtonCase {
    const char* name;
    std::uint16_t id;
    int originX, originY;
    Glyph glyph;
};

constexpr ButtonCase kButtons[] = {
    {"close", IDB_CLOSE_BUTTON, 268, 5, Glyph::kCross},
    {"minimize", IDB_MINIMIZE_BUTTON, 248, 5, Glyph::kBar},
};

bool OnCross(int x, int y) { return y >= 3 && y <= 14 && (x == y || x == 17 - y); }

// The half-tone pixels beside each diagonal: right of a stroke pixel on its
// row and left of it on the row below (and mirrored), where not on a stroke.
bool BesideCross(int x, int y)
{
    if (OnCross(x, y)) return false;
    for (int k = 3; k < 14; ++k)
        if ((x == k + 1 && y == k) || (x == k && y == k + 1) || (x == 16 - k && y == k) || (x == 17 - k && y == k + 1))
            return true;
    return false;
}

bool OnBar(int x, int y) { return x >= 3 && x <= 14 && y >= 13 && y <= 14; }

TEST_F(ArtTest, ButtonsShowBorderAndGlyphOverTheHeaderRamp)
{
    const Dib bg = Bitmap(IDB_BACKGROUND);
    for (const ButtonCase& c : kButtons) {
        const Dib strip = Bitmap(c.id);
        for (int frame = 0; frame < 2; ++frame) {
            SCOPED_TRACE(std::string(c.name) + " frame " + std::to_string(frame));
            const std::uint32_t ink = frame ? kBrandBlue : kWhite;
            for (int y = 0; y < kButton; ++y) {
                for (int x = 0; x < kButton; ++x) {
                    const std::uint32_t p = strip.At(frame * kButton + x, y);
                    const std::uint32_t behind = bg.At(c.originX + x, c.originY + y);
                    const bool border = x == 0 || y == 0 || x == kButton - 1 || y == kButton - 1;
                    const bool glyph = c.glyph == Glyph::kCross ? OnCross(x, y) : OnBar(x, y);
                    const bool edge = c.glyph == Glyph::kCross && BesideCross(x, y);
                    if (border || glyph) {
                        ASSERT_EQ(p, ink) << "(" << x << "," << y << ")";
                    } else if (edge && frame) {
                        ASSERT_EQ(p, kBrandBlueEdge) << "(" << x << "," << y << ")";
                    } else if (edge) {
                        // Pale blue-grey: between the band and white.
                        ASSERT_GT(Distance(p, behind), 10) << "(" << x << "," << y << ")";
                        ASSERT_GE(R(p), R(behind));
                        ASSERT_GE(G(p), G(behind));
                        ASSERT_GE(B(p), B(behind));
                        ASSERT_LT(R(p), 255);
                    } else {
                        ASSERT_LE(Distance(p, behind), 3)
                            << "(" << x << "," << y << ") " << Hex(p) << " over " << Hex(behind);
                    }
                }
            }
        }
    }
}

// ---- icon -----------------------------------------------------------------

constexpr std::array<std::uint32_t, 16> kStandardPalette{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

struct IconCase {
    int size;
    std::uint32_t bytes;
};

constexpr IconCase kIcons[] = {{32, 744}, {16, 296}};

TEST_F(ArtTest, IconGroupHoldsA32And16PixelSixteenColourImage)
{
    const IconGroup group = DecodeIconGroup(Entry(kRtGroupIcon, IDI_LAUNCHER_ICON).data);
    EXPECT_EQ(group.type, 1);
    ASSERT_EQ(group.entries.size(), std::size(kIcons));
    for (std::size_t i = 0; i < std::size(kIcons); ++i) {
        const IconCase& c = kIcons[i];
        const IconDirEntry& e = group.entries[i];
        SCOPED_TRACE("icon " + std::to_string(c.size));
        EXPECT_EQ(e.width, c.size);
        EXPECT_EQ(e.height, c.size);
        EXPECT_EQ(e.colorCount, 16);
        EXPECT_EQ(e.planes, 1);
        EXPECT_EQ(e.bitCount, 4);
        EXPECT_EQ(e.bytesInRes, c.bytes);

        const ResEntry& data = Entry(kRtIcon, e.id);
        ASSERT_EQ(data.data.size(), c.bytes);
        const IconImage image = DecodeIconImage(data.data);
        EXPECT_EQ(image.width, c.size);
        EXPECT_EQ(image.height, c.size);
        EXPECT_EQ(image.bitCount, 4);
        ASSERT_EQ(image.palette.size(), kStandardPalette.size());
        for (std::size_t k = 0; k < kStandardPalette.size(); ++k)
            EXPECT_EQ(image.palette[k], kStandardPalette[k]) << "index " << k;

        // Transparent ground, black under the mask so the screen shows through;
        // the picture itself has the dark blue screen.
        ASSERT_EQ(image.mask.size(), static_cast<std::size_t>(c.size) * c.size);
        int transparent = 0, navy = 0;
        for (std::size_t p = 0; p < image.mask.size(); ++p) {
            if (image.mask[p]) {
                ++transparent;
                EXPECT_EQ(image.colors[p], kBlack) << "pixel " << p;
            } else {
                navy += image.colors[p] == 0x000080 ? 1 : 0;
            }
        }
        EXPECT_EQ(image.mask[0], 1) << "top-left corner";
        EXPECT_GT(transparent, c.size * c.size / 10);
        EXPECT_LT(transparent, c.size * c.size / 2);
        EXPECT_GT(navy, c.size * c.size / 20);
    }
}

}  // namespace
