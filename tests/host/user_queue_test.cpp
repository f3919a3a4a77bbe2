// The message queue: order (posted, input, quit, paint), filters, WM_PAINT
// only when nothing else waits and again while it is not validated, WM_QUIT,
// re-entrant sends, the idle hook, and input as the presenter delivers it.
#include "user_fixture.h"

using namespace usertest;

namespace {

class QueueTest : public UserTest {
protected:
    HWND Window(int x = 100, int y = 100, int cx = 200, int cy = 100, bool visible = true)
    {
        auto bytes = DialogBytes(WS_POPUP, 0, 0, 10, 10);
        HWND h = MakeDialog(bytes);
        MoveWindow(h, x, y, cx, cy, FALSE);
        if (visible) ShowWindow(h, SW_SHOW);
        ValidateRect(h, nullptr);
        Log().clear();
        return h;
    }
};

TEST_F(QueueTest, PostedMessagesComeInOrderAndFiltersPickTheirOwn)
{
    HWND a = Window(), b = Window();
    PostMessageW(a, WM_USER + 1, 1, 0);
    PostMessageW(b, WM_USER + 2, 2, 0);
    PostMessageW(nullptr, WM_USER + 3, 3, 0);
    PostMessageW(a, WM_USER + 4, 4, 0);

    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 2));
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_USER + 3, WM_USER + 4, PM_NOREMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 3));
    ASSERT_TRUE(PeekMessageW(&m, reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)), 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 3));  // -1: thread messages only
    std::vector<WPARAM> rest;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) rest.push_back(m.wParam);
    EXPECT_EQ(rest, (std::vector<WPARAM>{1, 4}));
    EXPECT_FALSE(PeekMessageW(&m, b, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, TenThousandMovesThenOnePaint)
{
    HWND h = Window();
    for (int i = 0; i < 10000; ++i) {
        PostMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(i % 200, i % 100));
        InvalidateRect(h, nullptr, FALSE);
    }
    MSG m;
    int moves = 0, paints = 0;
    bool paintBeforeLastMove = false;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_MOUSEMOVE) {
            paintBeforeLastMove |= paints > 0;
            ++moves;
        }
        if (m.message == WM_PAINT) ++paints;
        DispatchMessageW(&m);
    }
    EXPECT_EQ(moves, 10000);
    EXPECT_EQ(paints, 1);
    EXPECT_FALSE(paintBeforeLastMove);
}

TEST_F(QueueTest, QuitComesAfterPostedMessagesAndBeforePaints)
{
    HWND h = Window();
    InvalidateRect(h, nullptr, FALSE);
    PostQuitMessage(7);
    PostMessageW(h, WM_USER, 0, 0);
    MSG m;
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(GetMessageW(&m, h, WM_USER, WM_USER));  // quit ignores the filters
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(m.wParam, 7u);
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(m.hwnd, h);
}

TEST_F(QueueTest, PaintStaysQueuedUntilValidatedAndNoRemoveLeavesMessages)
{
    HWND h = Window();
    PostMessageW(h, WM_USER, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
    InvalidateRect(h, nullptr, FALSE);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    }
    DispatchMessageW(&m);  // the default procedure begins and ends painting
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, PostedMessagesComeBeforeInputQueuedEarlierThenQuitThenPaint)
{
    HWND h = Window();
    SetFocus(h);
    Pump();
    host::headless::MovePointer(150, 120);
    host::headless::KeyDown('A');
    PostQuitMessage(3);
    PostMessageW(h, WM_USER, 0, 0);
    InvalidateRect(h, nullptr, FALSE);

    MSG m;
    // A filter still picks its own, here input behind a posted message.
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    std::vector<UINT> order;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE) && m.message != WM_PAINT) order.push_back(m.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_MOUSEMOVE, WM_KEYDOWN, WM_QUIT}));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
}

// How a WM_PAINT handler leaves the window, and whether WM_PAINT comes back
// once another message has been retrieved (right away it does not: see
// PaintRefusedOnlyUntilInputArrives).
TEST_F(QueueTest, WmPaintComesBackUntilTheHandlerValidates)
{
    struct Case {
        const char* name;
        std::function<void(HWND)> paint;
        bool again;
    };
    const RECT top{0, 0, 200, 40};
    std::vector<Case> cases{
        {"ignores it", [](HWND) {}, true},
        {"validates a part", [&](HWND w) { ValidateRect(w, &top); }, true},
        {"validates all", [](HWND w) { ValidateRect(w, nullptr); }, false},
        {"begins and ends painting",
         [](HWND w) {
             PAINTSTRUCT ps;
             BeginPaint(w, &ps);
             EndPaint(w, &ps);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND h = Window();
        Answer() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> INT_PTR {
            if (w != h || msg != WM_PAINT) return FALSE;
            c.paint(w);
            return TRUE;
        };
        InvalidateRect(h, nullptr, FALSE);
        MSG m;
        ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
        ASSERT_EQ(m.message, static_cast<UINT>(WM_PAINT));
        DispatchMessageW(&m);
        EXPECT_EQ(GetUpdateRect(h, nullptr, FALSE), c.again ? TRUE : FALSE);

        PostMessageW(h, WM_USER, 0, 0);
        ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
        bool painted = PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE) && m.message == WM_PAINT && m.hwnd == h;
        EXPECT_EQ(painted, c.again);
        Answer() = nullptr;
        DestroyWindow(h);
    }
}

// A refused WM_PAINT does not keep the thread from waiting: input goes
// first, the paint follows it, and with no input left the session ends
// instead of spinning.
TEST_F(QueueTest, PaintRefusedOnlyUntilInputArrives)
{
    HWND h = Window();
    int paints = 0;
    Answer() = [&](HWND w, UINT msg, WPARAM, LPARAM) -> INT_PTR { return w == h && msg == WM_PAINT && ++paints; };
    InvalidateRect(h, nullptr, FALSE);
    MSG m;
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    DispatchMessageW(&m);
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
    host::headless::SetIdleHook([] { host::headless::MovePointer(150, 120); });
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_MOUSEMOVE));
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageW(&m);
    EXPECT_EQ(paints, 2);
    EXPECT_EXIT(
        {
            host::headless::SetIdleHook([] {});
            GetMessageW(&m, nullptr, 0, 0);
        },
        ::testing::ExitedWithCode(124), "headless: no input left; the window is still open");
}

TEST_F(QueueTest, SendIsSynchronousAndReentrant)
{
    HWND a = Window(), b = Window();
    std::vector<std::string> trace;
    Answer() = [&](HWND h, UINT m, WPARAM w, LPARAM) -> INT_PTR {
        if (m != WM_USER) return FALSE;
        std::string who = h == a ? "a" : "b";
        trace.push_back(who + std::to_string(w) + "<");
        if (w < 3) SendMessageW(h == a ? b : a, WM_USER, w + 1, 0);
        trace.push_back(who + std::to_string(w) + ">");
        SetWindowLongPtrW(h, DWLP_MSGRESULT, static_cast<LONG_PTR>(w * 10));
        return TRUE;
    };
    EXPECT_EQ(SendMessageW(a, WM_USER, 0, 0), 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"a0<", "b1<", "a2<", "b3<", "b3>", "a2>", "b1>", "a0>"}));
    EXPECT_EQ(SendMessageW(b, WM_USER, 3, 0), 30);
    MSG m;
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));  // nothing went through the queue
}

TEST_F(QueueTest, WaitingCallsTheIdleHookAndMessagesCarryTimeAndPointer)
{
    HWND h = Window();
    int calls = 0;
    host::headless::SetIdleHook([&] {
        ++calls;
        host::headless::MovePointer(150, 120);
    });
    MSG m;
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(m.hwnd, h);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(m.lParam, MAKELPARAM(50, 20));
    EXPECT_EQ(m.pt.x, 150);
    EXPECT_EQ(m.pt.y, 120);
    PostMessageW(h, WM_USER, 0, 0);
    MSG later;
    GetMessageW(&later, nullptr, 0, 0);
    EXPECT_GE(later.time, m.time);
}

TEST_F(QueueTest, NoInputLeftEndsTheProcessInsteadOfHanging)
{
    EXPECT_EXIT(
        {
            Window();
            host::headless::SetIdleHook([] {});
            MSG m;
            GetMessageW(&m, nullptr, 0, 0);
        },
        ::testing::ExitedWithCode(124), "headless: no input left; the window is still open");
}

TEST_F(QueueTest, MouseGoesToTheCaptureWithSignExtendedClientCoordinates)
{
    HWND h = Window(400, 300, 200, 100);
    host::headless::MovePointer(450, 320);
    SetCapture(h);
    host::headless::MovePointer(390, 290);
    host::headless::PressLeft();
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.lParam, MAKELPARAM(50, 20));
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, h);
    EXPECT_EQ(GET_X_LPARAM(m.lParam), -10);
    EXPECT_EQ(GET_Y_LPARAM(m.lParam), -10);
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(m.wParam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_TRUE(GetKeyState(VK_LBUTTON) & 0x8000);  // follows what was retrieved

    ReleaseCapture();
    host::headless::MovePointer(10, 10);  // over nothing
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(QueueTest, KeysGoToTheFocusAndTranslateIntoCharacters)
{
    HWND h = Window();
    SetFocus(h);
    struct Case {
        std::vector<UINT> down;
        UINT key;
        UINT keyMsg;
        UINT charMsg;
        WPARAM ch;
    };
    std::vector<Case> cases{
        {{}, 'A', WM_KEYDOWN, WM_CHAR, L'a'},
        {{VK_SHIFT}, 'A', WM_KEYDOWN, WM_CHAR, L'A'},
        {{}, VK_RETURN, WM_KEYDOWN, WM_CHAR, L'\r'},
        {{VK_MENU}, 'X', WM_SYSKEYDOWN, WM_SYSCHAR, L'x'},
    };
    for (const Case& c : cases) {
        for (UINT d : c.down) host::headless::KeyDown(d);
        host::headless::Key(c.key);
        for (UINT d : c.down) host::headless::KeyUp(d);
        MSG m;
        std::vector<UINT> seen;
        WPARAM ch = 0;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            EXPECT_EQ(m.hwnd, h);
            if (m.wParam == c.key || m.message == c.charMsg) seen.push_back(m.message);
            if (m.message == c.charMsg) ch = m.wParam;
            TranslateMessage(&m);
        }
        EXPECT_EQ(seen, (std::vector<UINT>{c.keyMsg, c.charMsg, c.keyMsg + 1})) << c.key;
        EXPECT_EQ(ch, c.ch) << c.key;
    }
}

}  // namespace
