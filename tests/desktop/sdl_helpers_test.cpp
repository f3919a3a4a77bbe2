// The SDL presenter's translations that need no display: keys, icons,
// move echoes, message-box buttons and the desktop's scale.
#include "platform/host/present/sdl/icon.h"
#include "platform/host/present/sdl/keys.h"
#include "platform/host/present/sdl/message_box.h"
#include "platform/host/present/sdl/move_echo.h"
#include "platform/host/present/sdl/scale.h"

#include <gtest/gtest.h>

namespace {

using namespace host::sdl;

TEST(SdlKeys, TheKeysTheLauncherAndTheDialogManagerUse)
{
    struct Case {
        SDL_Keycode key;
        UINT vk;
    };
    const Case cases[] = {
        {SDLK_RETURN, VK_RETURN},
        {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_ESCAPE, VK_ESCAPE},
        {SDLK_F1, VK_F1},
        {SDLK_F4, VK_F4},
        {SDLK_F12, 0x7B},
        {SDLK_LALT, VK_MENU},
        {SDLK_RALT, VK_MENU},
        {SDLK_LSHIFT, VK_SHIFT},
        {SDLK_RCTRL, VK_CONTROL},
        {SDLK_TAB, VK_TAB},
        {SDLK_SPACE, VK_SPACE},
        {SDLK_BACKSPACE, VK_BACK},
        {SDLK_LEFT, VK_LEFT},
        {SDLK_DOWN, VK_DOWN},
        {SDLK_a, 'A'},
        {SDLK_z, 'Z'},
        {SDLK_0, '0'},
        {SDLK_9, '9'},
        // No virtual key: dropped rather than sent as something else.
        {SDLK_F13, 0},
        {SDLK_CAPSLOCK, 0},
        {SDLK_UNKNOWN, 0},
        {SDLK_KP_1, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(VirtualKeyFromSdl(c.key), c.vk) << c.key;
}

TEST(SdlIcon, MaskedPixelsAreTransparentAndTheRestOpaque)
{
    host::IconPicture p;
    p.width = 2;
    p.height = 2;
    p.colors = {0x00112233, 0xFF445566, 0x00778899, 0x00000000};
    p.mask = {0, 1, 0, 1};
    EXPECT_EQ(IconArgb(p), (std::vector<std::uint32_t>{0xFF112233, 0, 0xFF778899, 0}));
}

TEST(SdlIcon, PicturesWhoseSizesDisagreeGiveNothing)
{
    host::IconPicture empty;
    host::IconPicture shortMask;
    shortMask.width = 2;
    shortMask.height = 1;
    shortMask.colors = {1, 2};
    shortMask.mask = {0};
    host::IconPicture negative;
    negative.width = -1;
    negative.height = -1;
    negative.colors = {1};
    negative.mask = {0};
    for (const host::IconPicture* p : {&empty, &shortMask, &negative}) EXPECT_TRUE(IconArgb(*p).empty());
}

// A drag asks for A, B, C; the desktop reports them late and in order. A
// report of a move we asked for is never taken for the desktop's own.
TEST(SdlMoveEchoes, LateReportsOfOurMovesAreEchoes)
{
    MoveEchoes echoes;
    echoes.Expect({10, 10}, 0);
    echoes.Expect({20, 15}, 5);
    echoes.Expect({30, 20}, 10);
    EXPECT_TRUE(echoes.Consume({10, 10}, 20));
    EXPECT_TRUE(echoes.Consume({30, 20}, 25));   // B's report was skipped
    EXPECT_FALSE(echoes.Consume({20, 15}, 26));  // ...so B again is the desktop's
    EXPECT_TRUE(echoes.Empty());
    EXPECT_FALSE(echoes.Consume({400, 300}, 30));  // the window manager moved it
}

TEST(SdlMoveEchoes, RequestsThatNeverComeBackExpire)
{
    MoveEchoes echoes;
    echoes.Expect({5, 5}, 1000);
    EXPECT_FALSE(echoes.Consume({5, 5}, 1000 + MoveEchoes::kLifetimeMs + 1));
    for (int i = 0; i < static_cast<int>(MoveEchoes::kMaxPending) + 10; ++i) echoes.Expect({i, 0}, 2000);
    EXPECT_FALSE(echoes.Consume({0, 0}, 2000));  // the oldest made room
    EXPECT_TRUE(echoes.Consume({static_cast<LONG>(MoveEchoes::kMaxPending) + 9, 0}, 2000));
}

TEST(SdlMessageBox, ButtonsFollowTheType)
{
    struct Case {
        UINT type;
        std::vector<int> ids;
        int escape;
        BoxLayout::Icon icon;
    };
    const Case cases[] = {
        {MB_OK, {IDOK}, IDOK, BoxLayout::Icon::None},
        {MB_OKCANCEL | MB_ICONINFORMATION, {IDOK, IDCANCEL}, IDCANCEL, BoxLayout::Icon::Information},
        {2, {IDABORT, IDRETRY, IDIGNORE}, IDABORT, BoxLayout::Icon::None},
        {3 | MB_ICONHAND, {IDYES, IDNO, IDCANCEL}, IDCANCEL, BoxLayout::Icon::Error},
        {4 | MB_ICONWARNING, {IDYES, IDNO}, IDNO, BoxLayout::Icon::Warning},
        {5, {IDRETRY, IDCANCEL}, IDCANCEL, BoxLayout::Icon::None},
        {0x0F | MB_TASKMODAL, {IDOK}, IDOK, BoxLayout::Icon::None},  // unknown set: OK alone
    };
    for (const Case& c : cases) {
        BoxLayout box = MessageBoxLayout(c.type);
        std::vector<int> ids;
        for (const BoxButton& b : box.buttons) ids.push_back(b.id);
        EXPECT_EQ(ids, c.ids) << c.type;
        EXPECT_EQ(box.escapeId, c.escape) << c.type;
        EXPECT_EQ(box.icon, c.icon) << c.type;
    }
}

// Which source decides, how its text reads, and what is said about the
// rest. "-" is a source that is not there.
TEST(SdlScale, TheFirstSourceWithAWholeFactorDecides)
{
    struct Case {
        const char* orvane;
        const char* gdk;
        const char* resources;
        int scale;
        std::vector<std::string> complaints;
    };
    const std::string notWhole = " is not a whole number from 1 to 8; ignored";
    const Case cases[] = {
        {"-", "-", "-", 1, {}},
        {"-", "-", "Xft.dpi:\t96\n", 1, {}},
        {"-", "-", "Xft.dpi:\t144\n", 1, {}},  // 1.5 rounds down
        {"-", "-", "Xft.dpi:\t145\n", 2, {}},
        {"-", "-", "Xft.dpi:\t192\n", 2, {}},
        {"-", "-", "Xft.dpi:\t240\n", 2, {}},  // 2.5 rounds down
        {"-", "-", "Xft.dpi:\t288.0\n", 3, {}},
        {"-", "-", "Xft.dpi:\t144.5\n", 2, {}},
        {"-", "-", "Xft.dpi:\t191.99\n", 2, {}},
        {"-", "-", "Xft.dpi:\t30\n", 1, {}},
        {"-", "-", "Xft.antialias:\t1\nXft.dpi:  192 \nXft.hinting:\t1\n", 2, {}},
        {"-", "-", "Xft.dpi:\t96\nXft.dpi:\t192", 2, {}},   // the later line overrides
        {"-", "-", "*dpi:\t192\nXft.dpix:\t192\n", 1, {}},  // other names
        {"-", "-", "Xft.dpi:\tlarge\n", 1, {"OrvaneCD: Xft.dpi=large does not give a scale from 1 to 8; ignored"}},
        {"-", "-", "Xft.dpi:\t0\n", 1, {"OrvaneCD: Xft.dpi=0 does not give a scale from 1 to 8; ignored"}},
        {"-", "-", "Xft.dpi:\t1e3\n", 1, {"OrvaneCD: Xft.dpi=1e3 does not give a scale from 1 to 8; ignored"}},
        {"-", "-", "Xft.dpi:\t.\n", 1, {"OrvaneCD: Xft.dpi=. does not give a scale from 1 to 8; ignored"}},
        {"-", "-", "Xft.dpi:\t9.6.1\n", 1, {"OrvaneCD: Xft.dpi=9.6.1 does not give a scale from 1 to 8; ignored"}},
        {"-", "-", "Xft.dpi:\t900\n", 1, {"OrvaneCD: Xft.dpi=900 does not give a scale from 1 to 8; ignored"}},
        {"-", "2", "Xft.dpi:\t96\n", 2, {}},
        {"-", "1", "Xft.dpi:\t192\n", 1, {}},
        {"3", "2", "Xft.dpi:\t192\n", 3, {}},
        {"1", "-", "Xft.dpi:\t192\n", 1, {}},
        {"8", "-", "-", 8, {}},
        {"", "", "Xft.dpi:\t192\n", 2, {}},  // empty is not set
        {"abc", "-", "-", 1, {"OrvaneCD: ORVANE_SCALE=abc" + notWhole}},
        {"abc", "-", "Xft.dpi:\t192\n", 2, {"OrvaneCD: ORVANE_SCALE=abc" + notWhole}},
        {"0", "2", "-", 2, {"OrvaneCD: ORVANE_SCALE=0" + notWhole}},
        {"9", "-", "-", 1, {"OrvaneCD: ORVANE_SCALE=9" + notWhole}},
        {"2.0", "-", "-", 1, {"OrvaneCD: ORVANE_SCALE=2.0" + notWhole}},
        {"-2", "-", "-", 1, {"OrvaneCD: ORVANE_SCALE=-2" + notWhole}},
        {" 2", "-", "-", 1, {"OrvaneCD: ORVANE_SCALE= 2" + notWhole}},
        {"x",
         "1.5",
         "Xft.dpi:\t192\n",
         2,
         {"OrvaneCD: ORVANE_SCALE=x" + notWhole, "OrvaneCD: GDK_SCALE=1.5" + notWhole}},
    };
    auto source = [](const char* v) { return std::string(v) == "-" ? std::nullopt : std::optional<std::string>(v); };
    for (const Case& c : cases) {
        std::vector<std::string> complaints;
        ScaleSources sources{source(c.orvane), source(c.gdk), source(c.resources)};
        EXPECT_EQ(WishedScale(sources, &complaints), c.scale) << c.orvane << " " << c.gdk << " " << c.resources;
        EXPECT_EQ(complaints, c.complaints) << c.orvane << " " << c.gdk << " " << c.resources;
    }
}

TEST(SdlScale, TheLargestFactorAtWhichTheWindowFits)
{
    struct Case {
        int wished;
        SIZE window, screen;
        int scale;
    };
    const Case cases[] = {
        {2, {291, 277}, {1024, 768}, 2}, {3, {291, 277}, {1024, 768}, 2},  // 873x831 is taller than the screen
        {3, {291, 277}, {873, 831}, 3},                                    // exactly the screen
        {3, {291, 277}, {872, 831}, 2},  {8, {291, 277}, {3840, 2160}, 7},
        {2, {291, 277}, {400, 300}, 1},  {1, {291, 277}, {100, 100}, 1},  // nothing fits: as it is
        {4, {0, 0}, {1024, 768}, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FittingScale(c.wished, c.window, c.screen), c.scale)
            << c.wished << " " << c.screen.cx << "x" << c.screen.cy;
}

// A device pixel maps to the logical pixel it lies in, left of zero too.
TEST(SdlScale, DevicePixelsMapToTheLogicalPixelTheyLieIn)
{
    struct Case {
        int device, scale, logical;
    };
    const Case cases[] = {{0, 2, 0},   {1, 2, 0},   {2, 2, 1},     {583, 2, 291}, {-1, 2, -1},
                          {-2, 2, -1}, {-3, 2, -2}, {221, 1, 221}, {8, 3, 2},     {9, 3, 3}};
    for (const Case& c : cases) EXPECT_EQ(ToLogical(c.device, c.scale), c.logical) << c.device << "/" << c.scale;
    RECT screen = ToLogical(RECT{0, 0, 1024, 768}, 2);
    EXPECT_EQ(screen.right, 512);
    EXPECT_EQ(screen.bottom, 384);
    // USER centres a 291-pixel window on that: where the desktop shows it.
    EXPECT_EQ((screen.right - 291) / 2 * 2, 220);  // (1024 - 582) / 2 = 221: within a device pixel
}

TEST(SdlScale, EachPixelBecomesABlock)
{
    const std::uint32_t pixels[] = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x000001};  // 3 x 2
    std::vector<std::uint32_t> out;
    ScaleBlocks(pixels, 3, 2, 2, &out);
    const std::vector<std::uint32_t> want = {
        0x112233, 0x112233, 0x445566, 0x445566, 0x778899, 0x778899,  //
        0x112233, 0x112233, 0x445566, 0x445566, 0x778899, 0x778899,  //
        0xAABBCC, 0xAABBCC, 0xDDEEFF, 0xDDEEFF, 0x000001, 0x000001,  //
        0xAABBCC, 0xAABBCC, 0xDDEEFF, 0xDDEEFF, 0x000001, 0x000001,
    };
    EXPECT_EQ(out, want);
    ScaleBlocks(pixels, 3, 2, 1, &out);
    EXPECT_EQ(out, std::vector<std::uint32_t>(pixels, pixels + 6));
    ScaleBlocks(pixels, 1, 1, 3, &out);
    EXPECT_EQ(out, std::vector<std::uint32_t>(9, 0x112233));
}

}  // namespace
