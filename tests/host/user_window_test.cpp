// Windows: creation and destruction order, stale handles, subclassing,
// window words and text, positions, showing and minimizing, focus.
#include "user_fixture.h"

#include "platform/host/user/internal.h"

using namespace usertest;

namespace {

// Subclass procedure that logs into the same log as the dialog procedure.
WNDPROC g_staticProc = nullptr;
LRESULT CALLBACK RecordingSubclass(HWND h, UINT m, WPARAM w, LPARAM l)
{
    Log().push_back({h, m, w, l});
    return CallWindowProcW(g_staticProc, h, m, w, l);
}

class WindowTest : public UserTest {
protected:
    HWND Popup(int x = 10, int y = 20, int cx = 100, int cy = 50)
    {
        auto bytes = DialogBytes(WS_POPUP, 0, 0, 10, 10);
        HWND h = MakeDialog(bytes);
        MoveWindow(h, x, y, cx, cy, FALSE);
        Log().clear();
        return h;
    }
    HWND Child(HWND parent, int x, int y, int cx, int cy, int id = 0)
    {
        HWND c = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, x, y, cx, cy, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        g_staticProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingSubclass)));
        return c;
    }
};

TEST_F(WindowTest, CreationSendsNcCreateThenCreateAndFailingEitherLeavesNoWindow)
{
    auto bytes = DialogBytes(WS_POPUP, 0, 0, 10, 10);
    HWND dlg = MakeDialog(bytes);
    ASSERT_TRUE(dlg);
    auto order = MessagesTo(dlg, {WM_NCCREATE, WM_CREATE, WM_SETFONT, WM_INITDIALOG});
    EXPECT_EQ(order, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SETFONT, WM_INITDIALOG}));
    DestroyWindow(dlg);

    for (UINT failing : {WM_NCCREATE, WM_CREATE}) {
        Answer() = [failing](HWND h, UINT m, WPARAM, LPARAM) -> INT_PTR {
            if (m != failing) return FALSE;
            SetWindowLongPtrW(h, DWLP_MSGRESULT, m == WM_CREATE ? -1 : 0);
            return TRUE;
        };
        Log().clear();
        EXPECT_EQ(MakeDialog(bytes), nullptr) << failing;
        EXPECT_TRUE(host::user::TopLevelWindows().empty()) << failing;
        ASSERT_FALSE(Log().empty());
        EXPECT_FALSE(IsWindow(Log().front().hwnd));
        EXPECT_EQ(Log().back().msg, static_cast<UINT>(WM_NCDESTROY));
    }
}

TEST_F(WindowTest, DestroyGoesDownWithWmDestroyAndBackUpWithWmNcDestroy)
{
    HWND dlg = Popup();
    HWND a = Child(dlg, 0, 0, 10, 10);
    HWND grandchild = Child(a, 0, 0, 5, 5);
    HWND b = Child(dlg, 20, 0, 10, 10);
    bool childrenAliveDuringParentDestroy = false;
    Answer() = [&](HWND h, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (h == dlg && m == WM_DESTROY) childrenAliveDuringParentDestroy = IsWindow(a) && IsWindow(grandchild);
        return FALSE;
    };
    SetFocus(grandchild);
    SetCapture(b);
    Log().clear();
    ASSERT_TRUE(DestroyWindow(dlg));

    std::vector<std::pair<HWND, UINT>> seen;
    for (const Seen& s : Log())
        if (s.msg == WM_DESTROY || s.msg == WM_NCDESTROY) seen.emplace_back(s.hwnd, s.msg);
    std::vector<std::pair<HWND, UINT>> expected{
        {dlg, WM_DESTROY},          {a, WM_DESTROY},   {grandchild, WM_DESTROY}, {b, WM_DESTROY},
        {grandchild, WM_NCDESTROY}, {a, WM_NCDESTROY}, {b, WM_NCDESTROY},        {dlg, WM_NCDESTROY}};
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(childrenAliveDuringParentDestroy);
    for (HWND h : {dlg, a, grandchild, b}) EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(WindowTest, StaleAndMadeUpHandlesFailWithInvalidWindowHandle)
{
    HWND dead = Popup();
    DestroyWindow(dead);
    HWND madeUp = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x12345678));
    HWND fresh = Popup();
    EXPECT_NE(fresh, dead);  // handles are not reused

    for (HWND bad : {dead, madeUp, static_cast<HWND>(nullptr)}) {
        RECT r;
        POINT p{};
        PAINTSTRUCT ps;
        MSG m{bad, WM_USER, 0, 0, 0, {}};
        struct Call {
            const char* name;
            std::function<bool()> fails;
        };
        std::vector<Call> calls{
            {"DestroyWindow", [&] { return !DestroyWindow(bad); }},
            {"GetWindowRect", [&] { return !GetWindowRect(bad, &r); }},
            {"GetClientRect", [&] { return !GetClientRect(bad, &r); }},
            {"SetWindowPos", [&] { return !SetWindowPos(bad, nullptr, 0, 0, 1, 1, 0); }},
            {"ShowWindow", [&] { return !ShowWindow(bad, SW_SHOW); }},
            {"SetWindowTextW", [&] { return !SetWindowTextW(bad, L"x"); }},
            {"GetWindowLongPtrW", [&] { return GetWindowLongPtrW(bad, GWL_STYLE) == 0; }},
            {"SetWindowLongPtrW", [&] { return SetWindowLongPtrW(bad, GWLP_USERDATA, 1) == 0; }},
            {"SendMessageW", [&] { return SendMessageW(bad, WM_GETTEXTLENGTH, 0, 0) == 0; }},
            {"PostMessageW", [&] { return bad == nullptr || !PostMessageW(bad, WM_USER, 0, 0); }},
            {"DispatchMessageW", [&] { return DispatchMessageW(&m) == 0; }},
            {"InvalidateRect", [&] { return bad == nullptr || !InvalidateRect(bad, nullptr, TRUE); }},
            {"BeginPaint", [&] { return BeginPaint(bad, &ps) == nullptr; }},
            {"GetDC", [&] { return bad == nullptr || GetDC(bad) == nullptr; }},
            {"ClientToScreen", [&] { return !ClientToScreen(bad, &p); }},
            {"SetFocus", [&] { return bad == nullptr || SetFocus(bad) == nullptr; }},
            {"SetCapture", [&] { return SetCapture(bad) == nullptr; }},
            {"EndDialog", [&] { return !EndDialog(bad, 1); }},
            {"GetDlgItem", [&] { return GetDlgItem(bad, 1) == nullptr; }},
            {"DefWindowProcW", [&] { return DefWindowProcW(bad, WM_GETTEXTLENGTH, 0, 0) == 0; }},
        };
        for (const Call& c : calls) {
            SetLastError(0);
            EXPECT_TRUE(c.fails()) << c.name << " with " << bad;
            if (bad) { EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE)) << c.name; }
        }
        EXPECT_FALSE(IsWindow(bad));
    }
    EXPECT_TRUE(IsWindow(fresh));
}

TEST_F(WindowTest, SubclassingReturnsTheOldProcedureWhichStillWorksThroughCallWindowProc)
{
    HWND dlg = Popup();
    HWND label =
        CreateWindowExW(0, L"Static", L"text", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, dlg, nullptr, nullptr, nullptr);
    LONG_PTR before = GetWindowLongPtrW(label, GWLP_WNDPROC);
    g_staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingSubclass)));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(g_staticProc), before);
    EXPECT_EQ(GetWindowLongPtrW(label, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(RecordingSubclass));

    EXPECT_EQ(SendMessageW(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);  // the old procedure answered
    EXPECT_EQ(SendMessageW(label, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_EQ(Count(label, WM_GETDLGCODE), 1);
    EXPECT_EQ(SetWindowLongPtrW(label, GWLP_WNDPROC, 0), 0);  // a null procedure is refused
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WindowTest, TextGoesThroughTheWindowProcedureAndIsTruncatedToTheBuffer)
{
    HWND dlg = Popup();
    HWND label = Child(dlg, 0, 0, 10, 10);
    ASSERT_TRUE(SetWindowTextW(label, L"버젼 : 1.02"));
    EXPECT_EQ(Count(label, WM_SETTEXT), 1);
    EXPECT_EQ(GetWindowTextLengthW(label), 9);

    struct Case {
        int buffer;
        int returned;
        std::wstring text;
    };
    for (const Case& c : {Case{100, 9, L"버젼 : 1.02"}, Case{4, 3, L"버젼 "}, Case{1, 0, L""}}) {
        std::vector<wchar_t> buf(static_cast<std::size_t>(c.buffer) + 1, L'#');
        EXPECT_EQ(GetWindowTextW(label, buf.data(), c.buffer), c.returned) << c.buffer;
        EXPECT_EQ(std::wstring(buf.data()), c.text) << c.buffer;
    }
    EXPECT_EQ(Count(label, WM_GETTEXT), 3);
    wchar_t untouched = L'#';
    EXPECT_EQ(GetWindowTextW(label, &untouched, 0), 0);
    EXPECT_EQ(untouched, L'#');
}

TEST_F(WindowTest, WindowWordsRoundTripAndBadIndexesFail)
{
    HWND dlg = Popup();
    HWND label = Child(dlg, 0, 0, 10, 10, 1000);
    EXPECT_EQ(GetDlgCtrlID(label), 1000);
    EXPECT_EQ(GetDlgItem(dlg, 1000), label);
    EXPECT_EQ(SetWindowLongPtrW(label, GWLP_USERDATA, 77), 0);
    EXPECT_EQ(GetWindowLongPtrW(label, GWLP_USERDATA), 77);
    EXPECT_EQ(SetWindowLongPtrW(dlg, DWLP_USER, 0x1234), 0);
    EXPECT_EQ(GetWindowLongPtrW(dlg, DWLP_USER), 0x1234);
    EXPECT_EQ(GetWindowLongPtrW(dlg, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(RecordingDlgProc));
    EXPECT_EQ(GetWindowLongPtrW(dlg, GWL_STYLE) & WS_POPUP, static_cast<LONG_PTR>(WS_POPUP));
    EXPECT_EQ(GetParent(label), dlg);
    EXPECT_EQ(GetWindow(dlg, GW_CHILD), label);

    for (int bad : {static_cast<int>(DWLP_USER + 1), 4096, -100}) {
        SetLastError(0);
        EXPECT_EQ(GetWindowLongPtrW(dlg, bad), 0) << bad;
        EXPECT_EQ(GetLastError(), host::user::kErrorInvalidIndex) << bad;
    }
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(label, 0), 0);  // statics have no extra bytes
    EXPECT_EQ(GetLastError(), host::user::kErrorInvalidIndex);
}

TEST_F(WindowTest, MovingAndSizingNotifyInOrderAndResizeTheSurface)
{
    HWND dlg = Popup(10, 20, 100, 50);
    ASSERT_TRUE(SetWindowPos(dlg, nullptr, 30, 40, 120, 60, SWP_NOZORDER));
    EXPECT_EQ(MessagesTo(dlg, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}));
    for (const Seen& s : Log()) {
        if (s.msg == WM_SIZE) { EXPECT_EQ(s.lp, MAKELPARAM(120, 60)); }
        if (s.msg == WM_MOVE) { EXPECT_EQ(s.lp, MAKELPARAM(30, 40)); }
    }
    RECT r;
    GetWindowRect(dlg, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.bottom, 100);
    GetClientRect(dlg, &r);
    EXPECT_EQ(r.right, 120);
    auto pic = host::headless::Snapshot(dlg);
    EXPECT_EQ(pic.width, 120);
    EXPECT_EQ(pic.height, 60);

    Log().clear();
    SetLastError(0);
    EXPECT_FALSE(SetWindowPos(dlg, nullptr, 0, 0, 30000, 30000, SWP_NOMOVE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    GetClientRect(dlg, &r);
    EXPECT_EQ(r.right, 120);
    EXPECT_EQ(Count(dlg, WM_WINDOWPOSCHANGING), 0);

    HWND child = Child(dlg, 5, 7, 10, 10);
    POINT p{1, 2};
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 36);
    EXPECT_EQ(p.y, 49);
    ScreenToClient(dlg, &p);
    EXPECT_EQ(p.x, 6);
    EXPECT_EQ(p.y, 9);
}

TEST_F(WindowTest, MinimizeShrinksToAnIconAndRestoreRepaintsTheWholeWindow)
{
    HWND dlg = Popup(10, 20, 100, 50);
    ShowWindow(dlg, SW_SHOWNORMAL);
    PAINTSTRUCT ps;
    BeginPaint(dlg, &ps);
    EndPaint(dlg, &ps);
    Log().clear();

    ShowWindow(dlg, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(dlg));
    EXPECT_TRUE(IsWindowVisible(dlg));
    RECT r;
    GetClientRect(dlg, &r);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYICON));
    bool sawMinimized = false;
    for (const Seen& s : Log()) sawMinimized |= s.msg == WM_SIZE && s.wp == SIZE_MINIMIZED;
    EXPECT_TRUE(sawMinimized);
    EXPECT_NE(GetActiveWindow(), dlg);

    BeginPaint(dlg, &ps);
    EndPaint(dlg, &ps);
    ShowWindow(dlg, SW_RESTORE);
    EXPECT_FALSE(IsIconic(dlg));
    GetWindowRect(dlg, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 110);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(dlg, &update, FALSE));
    EXPECT_EQ(update.right, 100);
    EXPECT_EQ(update.bottom, 50);
    EXPECT_EQ(GetActiveWindow(), dlg);
}

TEST_F(WindowTest, FocusAndCaptureChangesAreAnnounced)
{
    HWND dlg = Popup();
    ShowWindow(dlg, SW_SHOW);
    HWND a = Child(dlg, 0, 0, 10, 10);
    HWND b = Child(dlg, 20, 0, 10, 10);
    SetFocus(a);
    Log().clear();
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(Log().size(), 2u);
    EXPECT_EQ(Log()[0].hwnd, a);
    EXPECT_EQ(Log()[0].msg, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(Log()[0].wp, reinterpret_cast<WPARAM>(b));
    EXPECT_EQ(Log()[1].hwnd, b);
    EXPECT_EQ(Log()[1].msg, static_cast<UINT>(WM_SETFOCUS));
    EXPECT_EQ(GetFocus(), b);

    SetCapture(a);
    Log().clear();
    SetCapture(b);
    EXPECT_EQ(Count(a, WM_CAPTURECHANGED), 1);
    ReleaseCapture();
    EXPECT_EQ(Count(b, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(GetCapture(), nullptr);

    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), nullptr);
    EnableWindow(a, FALSE);
    EXPECT_FALSE(IsWindowEnabled(a));
    EXPECT_EQ(SetFocus(a), nullptr);
    EXPECT_NE(GetFocus(), a);
}

TEST_F(WindowTest, PointerFindsTheDeepestWindowButPassesThroughStatics)
{
    HWND dlg = Popup(100, 100, 200, 100);
    ShowWindow(dlg, SW_SHOW);
    HWND label =
        CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, dlg, nullptr, nullptr, nullptr);
    ASSERT_TRUE(label);
    EXPECT_EQ(WindowFromPoint(POINT{115, 115}), dlg);  // over the static: it is transparent
    EXPECT_EQ(WindowFromPoint(POINT{50, 50}), nullptr);
    SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) | 0x100 /* SS_NOTIFY */);
    EXPECT_EQ(WindowFromPoint(POINT{115, 115}), label);
    ShowWindow(label, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(POINT{115, 115}), dlg);
}

TEST_F(WindowTest, ACaptionPressMovesTheWindowWithThePointerUntilRelease)
{
    HWND dlg = Popup(100, 100, 200, 100);
    ShowWindow(dlg, SW_SHOW);
    ValidateRect(dlg, nullptr);
    Answer() = [](HWND h, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_LBUTTONDOWN) SendMessageW(h, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return FALSE;
    };
    std::vector<std::function<void()>> steps{
        [] { host::headless::MovePointer(130, 125); },
        [] { host::headless::MovePointer(160, 150); },
        [] { host::user::ReleaseLeft(); },
    };
    std::size_t next = 0;
    host::headless::SetIdleHook([&] {
        if (next < steps.size()) steps[next++]();
    });
    host::headless::MovePointer(110, 110);
    host::user::PressLeft();
    Log().clear();
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);  // the press runs the loop

    EXPECT_EQ(next, steps.size());
    RECT r;
    GetWindowRect(dlg, &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 140);
    EXPECT_EQ(MessagesTo(dlg, {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}),
              (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}));
    EXPECT_EQ(Count(dlg, WM_LBUTTONUP), 0);  // the loop took the release
    EXPECT_EQ(Count(dlg, WM_PAINT), 0);      // a top-level window carries its pixels along
    EXPECT_EQ(GetCapture(), nullptr);

    // A minimized window does not move, and the loop does not start.
    ShowWindow(dlg, SW_MINIMIZE);
    Log().clear();
    host::user::PressLeft();
    SendMessageW(dlg, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    EXPECT_EQ(Count(dlg, WM_ENTERSIZEMOVE), 0);
    GetWindowRect(dlg, &r);
    EXPECT_EQ(r.left, 150);
}

}  // namespace
