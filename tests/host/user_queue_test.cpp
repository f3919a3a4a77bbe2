// The message queue: order (posted, quit, input, paint), filters, WM_PAINT
// only when nothing else waits and again while it is not validated, WM_QUIT,
// re-entrant sends, the idle hook, and input as the presenter delivers it.
#include "user_fixture.h"

#include "platform/host/present/presenter.h"
#include "platform/host/user/presenting.h"

#include <stdexcept>

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

TEST_F(QueueTest, PostedMessagesThenQuitThenInputQueuedEarlierThenPaint)
{
    HWND h = Window();
    SetFocus(h);
    Pump();
    host::headless::MovePointer(150, 120);
    host::user::KeyDown('A');
    PostMessageW(h, WM_USER, 0, 0);
    InvalidateRect(h, nullptr, FALSE);

    MSG m;
    // A filter still picks its own, here input behind a posted message.
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    // Once quit is asked for, WM_QUIT passes any filter and goes before input.
    PostQuitMessage(3);
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    std::vector<UINT> order;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE) && m.message != WM_PAINT) order.push_back(m.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_QUIT, WM_MOUSEMOVE, WM_KEYDOWN}));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_PAINT));
}

// PostQuitMessage sets a flag: calls coalesce into one WM_QUIT carrying the
// last code, PM_NOREMOVE leaves it, and it comes before input queued earlier.
TEST_F(QueueTest, QuitIsAFlagThatCoalescesAndComesBeforeInput)
{
    HWND h = Window();
    host::headless::MovePointer(150, 120);
    PostQuitMessage(1);
    PostQuitMessage(2);
    MSG m;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
        EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    }
    EXPECT_FALSE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.wParam, 2u);
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(m.hwnd, h);
    EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));  // one WM_QUIT only
}

// The SDL presenter's wait: it takes events until one leaves the thread
// work (HasPendingWork), then returns. Asked to wait while work is already
// pending, a real desktop would return at once and the thread would spin;
// this one counts that and lets the next event happen, so the test ends.
class WaitingPresenter final : public host::Presenter {
public:
    struct Counts {
        int waits = 0, spins = 0;
    };
    WaitingPresenter(std::vector<std::function<void()>> events, Counts* counts)
        : m_events(std::move(events)), m_counts(counts)
    {}
    RECT ScreenRect() override { return RECT{0, 0, 1024, 768}; }
    int ShowMessageBox(HWND, LPCWSTR, LPCWSTR, UINT) override { return IDOK; }
    bool Idle(int) override
    {
        ++m_counts->waits;
        if (host::user::HasPendingWork()) {
            ++m_counts->spins;
            if (m_next < m_events.size()) m_events[m_next++]();
        }
        while (!host::user::HasPendingWork() && m_next < m_events.size()) m_events[m_next++]();
        return m_next < m_events.size() || host::user::HasPendingWork();
    }
    // Thrown, not exited: a wait that never ends fails its test alone.
    [[noreturn]] void Starved() override { throw std::runtime_error("the wait outlived every event"); }

private:
    std::vector<std::function<void()>> m_events;
    std::size_t m_next = 0;
    Counts* m_counts;
};

// A filtered GetMessage waits while only messages outside its filter are
// queued: one wait, through which events it does not take come and go,
// ends when the one it takes arrives.
TEST_F(QueueTest, AFilteredWaitIsNotEndedByMessagesOutsideTheFilter)
{
    struct Case {
        const char* name;
        bool ownWindow;  // the filter names window a, else none
        UINT lo, hi;
        std::function<void(HWND a, HWND b)> waiting, unrelated;
    };
    const std::vector<Case> cases{
        {"a range, a posted message outside it", false, WM_USER, WM_USER,
         [](HWND a, HWND) { PostMessageW(a, WM_USER + 100, 0, 0); },
         [](HWND, HWND b) { PostMessageW(b, WM_USER + 101, 0, 0); }},
        {"a window, a posted message for another", true, 0, 0, [](HWND, HWND b) { PostMessageW(b, WM_USER, 0, 0); },
         [](HWND, HWND b) { PostMessageW(b, WM_USER + 1, 0, 0); }},
        {"a range, input outside it", false, WM_USER, WM_USER,
         [](HWND, HWND) { host::headless::MovePointer(150, 120); },
         [](HWND, HWND) { host::headless::MovePointer(160, 120); }},
        {"a range, a window to paint", false, WM_USER, WM_USER, [](HWND a, HWND) { InvalidateRect(a, nullptr, FALSE); },
         [](HWND, HWND b) { InvalidateRect(b, nullptr, FALSE); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::headless::Reset();
        HWND a = Window(100, 100), b = Window(400, 300);
        c.waiting(a, b);
        WaitingPresenter::Counts counts;
        host::UsePresenter(std::make_unique<WaitingPresenter>(
            std::vector<std::function<void()>>{[&] { c.unrelated(a, b); }, [&] { PostMessageW(a, WM_USER, 7, 0); }},
            &counts));
        MSG m;
        ASSERT_TRUE(GetMessageW(&m, c.ownWindow ? a : nullptr, c.lo, c.hi));
        EXPECT_EQ(m.message, static_cast<UINT>(WM_USER));
        EXPECT_EQ(m.wParam, 7u);
        EXPECT_EQ(counts.waits, 1);
        EXPECT_EQ(counts.spins, 0);
        ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));  // what waited still does
    }
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
    host::user::PressLeft();
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

// Destroying the window a GetMessage waits for ends the wait: it fails as
// for a handle that is not a window, instead of waiting for ever.
TEST_F(QueueTest, AWaitForAWindowEndsWhenTheWindowIsDestroyed)
{
    HWND a = Window(100, 100), b = Window(400, 300);
    WaitingPresenter::Counts counts;
    host::UsePresenter(std::make_unique<WaitingPresenter>(
        std::vector<std::function<void()>>{[&] { DestroyWindow(a); }, [&] { PostMessageW(b, WM_USER, 0, 0); }},
        &counts));
    MSG m;
    EXPECT_EQ(GetMessageW(&m, a, 0, 0), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(counts.waits, 1);
    EXPECT_EQ(counts.spins, 0);
}

// TranslateMessage posts the character: it comes after what was posted
// before it, and still before input queued behind the key.
TEST_F(QueueTest, TranslatedCharactersArePostedBehindEarlierMessages)
{
    HWND h = Window();
    SetFocus(h);
    Pump();
    host::headless::Key('A');
    PostMessageW(h, WM_USER, 0, 0);
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    TranslateMessage(&m);
    std::vector<UINT> order;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) order.push_back(m.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_CHAR, WM_KEYUP}));
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
        for (UINT d : c.down) host::user::KeyDown(d);
        host::headless::Key(c.key);
        for (UINT d : c.down) host::user::KeyUp(d);
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
