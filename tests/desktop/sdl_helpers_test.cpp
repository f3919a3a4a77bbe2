// The desktop presenter's translations that need no display: keys, icons,
// move echoes and message-box buttons.
#include "platform/host/present/sdl/icon.h"
#include "platform/host/present/sdl/keys.h"
#include "platform/host/present/sdl/message_box.h"
#include "platform/host/present/sdl/move_echo.h"

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

}  // namespace
