// Dialogs from templates, the default dialog procedure, the dialog manager's
// keys, help requests, EndDialog, and the static control.
#include "user_fixture.h"

#include "platform/host/user/testing.h"

#include <cstring>

using namespace usertest;

namespace {

constexpr DWORD kLauncherStyle = 0x90080040;  // WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_SETFONT

class DialogTest : public UserTest {
protected:
    // The launcher's own template, from the embedded resources.
    static const DLGTEMPLATE* LauncherTemplate()
    {
        HRSRC r = FindResourceW(nullptr, MAKEINTRESOURCEW(102), RT_DIALOG);
        HGLOBAL g = r ? LoadResource(nullptr, r) : nullptr;
        return g ? static_cast<const DLGTEMPLATE*>(LockResource(g)) : nullptr;
    }
    HWND Launcher(LPARAM param = 0)
    {
        const DLGTEMPLATE* t = LauncherTemplate();
        EXPECT_TRUE(t);
        return t ? CreateDialogIndirectParamW(nullptr, t, nullptr, RecordingDlgProc, param) : nullptr;
    }
    std::vector<WPARAM> Commands(HWND dlg)
    {
        std::vector<WPARAM> ids;
        for (const Seen& s : Log())
            if (s.hwnd == dlg && s.msg == WM_COMMAND) ids.push_back(s.wp);
        return ids;
    }
};

TEST_F(DialogTest, TheLauncherTemplateShowsTheWholePictureWithItsFontAndLabel)
{
    HWND dlg = Launcher(1234);
    ASSERT_TRUE(dlg);
    RECT client;
    GetClientRect(dlg, &client);
    RECT units{0, 0, 166, 184};
    MapDialogRect(dlg, &units);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
    EXPECT_GE(client.right, 291);
    EXPECT_GE(client.bottom, 276);  // the 277-row picture, give or take one row
    std::printf("launcher dialog client area: %ld x %ld\n", static_cast<long>(client.right),
                static_cast<long>(client.bottom));

    auto font = reinterpret_cast<HFONT>(SendMessageW(dlg, WM_GETFONT, 0, 0));
    ASSERT_TRUE(font);
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfCharSet, HANGUL_CHARSET);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"굴림");

    HWND label = GetDlgItem(dlg, 1000);
    ASSERT_TRUE(label);
    wchar_t text[16];
    GetWindowTextW(label, text, 16);
    EXPECT_EQ(std::wstring(text), L"Static");
    EXPECT_EQ(SendMessageW(label, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
    RECT lr;
    GetWindowRect(label, &lr);
    RECT lu{122, 170, 157, 178};
    MapDialogRect(dlg, &lu);
    EXPECT_EQ(lr.left, lu.left);
    EXPECT_EQ(lr.top, lu.top);

    // WM_SETFONT first, then WM_INITDIALOG (no tab stop: wParam 0) with the
    // parameter, and only then is the window shown.
    EXPECT_EQ(MessagesTo(dlg, {WM_SETFONT, WM_INITDIALOG, WM_SHOWWINDOW}),
              (std::vector<UINT>{WM_SETFONT, WM_INITDIALOG, WM_SHOWWINDOW}));
    for (const Seen& s : Log()) {
        if (s.msg == WM_INITDIALOG) {
            EXPECT_EQ(s.wp, 0u);
            EXPECT_EQ(s.lp, 1234);
        }
    }
    EXPECT_TRUE(IsWindowVisible(dlg));
    EXPECT_EQ(GetActiveWindow(), dlg);
    EXPECT_EQ(GetFocus(), dlg);
}

TEST_F(DialogTest, SizeAndPositionComeFromTheTemplateInDialogUnits)
{
    HWND owner = MakeDialog(DialogBytes(WS_POPUP, 0, 0, 10, 10));
    MoveWindow(owner, 200, 100, 300, 300, FALSE);
    struct Case {
        const char* name;
        DWORD style;
        HWND parent;
        bool centred;
        POINT origin;
    };
    std::vector<Case> cases{
        {"screen", WS_POPUP | DS_SETFONT, nullptr, false, {0, 0}},
        {"owner's client", WS_POPUP | DS_SETFONT, owner, false, {200, 100}},
        {"absolute", WS_POPUP | DS_SETFONT | DS_ABSALIGN, owner, false, {0, 0}},
        {"centred", WS_POPUP | DS_SETFONT | DS_CENTER, nullptr, true, {0, 0}},
    };
    for (const Case& c : cases) {
        HWND dlg = MakeDialog(DialogBytes(c.style, 20, 16, 100, 40), c.parent);
        ASSERT_TRUE(dlg) << c.name;
        RECT want{20, 16, 120, 56};
        MapDialogRect(dlg, &want);
        RECT r;
        GetWindowRect(dlg, &r);
        EXPECT_EQ(r.right - r.left, want.right - want.left) << c.name;
        EXPECT_EQ(r.bottom - r.top, want.bottom - want.top) << c.name;
        if (c.centred) {
            EXPECT_EQ(r.left, (1024 - (r.right - r.left)) / 2) << c.name;
            EXPECT_EQ(r.top, (768 - (r.bottom - r.top)) / 2) << c.name;
        } else {
            EXPECT_EQ(r.left, c.origin.x + want.left) << c.name;
            EXPECT_EQ(r.top, c.origin.y + want.top) << c.name;
        }
        EXPECT_EQ(GetParent(dlg), c.parent) << c.name;
    }
}

TEST_F(DialogTest, BaseUnitsFollowTheDocumentedFormulaForTheTemplateFont)
{
    HWND dlg = MakeDialog(DialogBytes(WS_POPUP | DS_SETFONT, 0, 0, 4, 8, {}, u"굴림", 9));
    ASSERT_TRUE(dlg);
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = 400;
    lf.lfCharSet = HANGUL_CHARSET;
    std::wcscpy(lf.lfFaceName, L"굴림");
    HFONT f = CreateFontIndirectW(&lf);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, f);
    SIZE s;
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &s);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(f);
    RECT r;
    GetClientRect(dlg, &r);  // 4 x 8 units is one base unit each way
    EXPECT_EQ(r.right, (s.cx / 26 + 1) / 2);
    EXPECT_EQ(r.bottom, tm.tmHeight);
    LONG units = GetDialogBaseUnits();
    EXPECT_GT(LOWORD(units), 0);
    EXPECT_GT(HIWORD(units), 0);
}

TEST_F(DialogTest, BadTemplatesAreRefused)
{
    auto good = DialogBytes(WS_POPUP, 0, 0, 10, 10, {Ctl(0x0082, 0)});
    auto badVersion = good;
    badVersion[0] = 2;
    DLGTEMPLATE classic{WS_POPUP, 0, 0, 0, 0, 10, 10};
    std::vector<std::uint8_t> classicBytes(64, 0);
    std::memcpy(classicBytes.data(), &classic, sizeof classic);
    // Strings that never end: the walk stops at its bound instead of reading on.
    std::vector<std::uint8_t> endless(70 * 1024, 0xFF);
    endless[0] = 1;
    endless[1] = 0;
    auto button = DialogBytes(WS_POPUP, 0, 0, 10, 10, {Ctl(0x0080, 1, WS_CHILD)});
    host::res::DialogTemplate named;
    named.dlgVer = 1;
    named.signature = 0xFFFF;
    named.style = WS_POPUP;
    named.windowClass = host::res::ResId::Name(u"NoSuchClass");
    auto namedBytes = restest::EncodeDialogEx(named);

    struct Case {
        const char* name;
        const std::uint8_t* bytes;
    };
    for (const Case& c :
         {Case{"null", nullptr}, Case{"version 2", badVersion.data()}, Case{"classic template", classicBytes.data()},
          Case{"endless", endless.data()}, Case{"unknown control class", button.data()},
          Case{"unknown dialog class", namedBytes.data()}}) {
        SetLastError(0);
        EXPECT_EQ(CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(c.bytes), nullptr,
                                             RecordingDlgProc, 0),
                  nullptr)
            << c.name;
        EXPECT_NE(GetLastError(), 0u) << c.name;
        EXPECT_TRUE(host::user::TopLevelWindows().empty()) << c.name;
    }
    // DS_NOFAILCREATE: the dialog comes without the control it cannot make.
    auto tolerant =
        DialogBytes(WS_POPUP | DS_NOFAILCREATE, 0, 0, 10, 10, {Ctl(0x0080, 1, WS_CHILD), Ctl(0x0082, 2, WS_CHILD)});
    HWND dlg = MakeDialog(tolerant);
    ASSERT_TRUE(dlg);
    EXPECT_EQ(GetDlgItem(dlg, 1), nullptr);
    EXPECT_TRUE(GetDlgItem(dlg, 2));
}

TEST_F(DialogTest, TheDialogProcedureAnswersThroughMsgResultOrDirectly)
{
    HWND dlg = MakeDialog(DialogBytes(WS_POPUP | DS_SETFONT, 0, 0, 10, 10));
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    Answer() = [&](HWND h, UINT m, WPARAM, LPARAM) -> INT_PTR {
        if (m == WM_USER) {
            SetWindowLongPtrW(h, DWLP_MSGRESULT, 99);
            return TRUE;
        }
        if (m == WM_CTLCOLORSTATIC) return reinterpret_cast<INT_PTR>(brush);
        if (m == WM_GETTEXTLENGTH) return FALSE;
        return FALSE;
    };
    EXPECT_EQ(SendMessageW(dlg, WM_USER, 0, 0), 99);
    EXPECT_EQ(SendMessageW(dlg, WM_CTLCOLORSTATIC, 0, 0), reinterpret_cast<LRESULT>(brush));
    SetWindowTextW(dlg, L"abc");
    EXPECT_EQ(SendMessageW(dlg, WM_GETTEXTLENGTH, 0, 0), 3);  // FALSE: default processing
    DeleteObject(brush);
}

TEST_F(DialogTest, EnterEscapeAltF4AndTheCloseRequestBecomeCommands)
{
    struct Case {
        const char* name;
        std::function<void(HWND)> input;
        WPARAM command;
    };
    std::vector<Case> cases{
        {"Enter", [](HWND) { host::headless::Key(VK_RETURN); }, MAKEWPARAM(IDOK, 0)},
        {"Escape", [](HWND) { host::headless::Key(VK_ESCAPE); }, MAKEWPARAM(IDCANCEL, 0)},
        {"Alt+F4", [](HWND) { host::headless::KeyWithAlt(VK_F4); }, MAKEWPARAM(IDCANCEL, 0)},
        {"close request", [](HWND d) { host::user::CloseRequest(d); }, MAKEWPARAM(IDCANCEL, 0)},
    };
    for (bool focusOnLabel : {false, true}) {
        for (const Case& c : cases) {
            host::headless::Reset();
            Log().clear();
            HWND dlg = Launcher();
            ASSERT_TRUE(dlg);
            if (focusOnLabel) SetFocus(GetDlgItem(dlg, 1000));
            Pump(dlg);
            Log().clear();
            c.input(dlg);
            Pump(dlg);
            EXPECT_EQ(Commands(dlg), std::vector<WPARAM>{c.command}) << c.name << (focusOnLabel ? " (label)" : "");
            EXPECT_TRUE(IsWindow(dlg)) << c.name;  // the framework decides what a command does
        }
    }
}

TEST_F(DialogTest, F1AloneReachesTheDialogAsOneHelpRequest)
{
    for (bool focusOnLabel : {false, true}) {
        host::headless::Reset();
        Log().clear();
        HWND dlg = Launcher();
        HWND label = GetDlgItem(dlg, 1000);
        if (focusOnLabel) SetFocus(label);
        Pump(dlg);
        Log().clear();
        HELPINFO seen{};
        Answer() = [&](HWND, UINT m, WPARAM, LPARAM l) -> INT_PTR {
            if (m == WM_HELP) seen = *reinterpret_cast<const HELPINFO*>(l);
            return FALSE;
        };
        host::headless::MovePointer(5, 6);
        host::headless::Key(VK_F1);
        Pump(dlg);
        EXPECT_EQ(Count(dlg, WM_HELP), 1) << focusOnLabel;
        EXPECT_EQ(seen.cbSize, sizeof(HELPINFO));
        EXPECT_EQ(seen.iContextType, HELPINFO_WINDOW);
        EXPECT_EQ(seen.hItemHandle, focusOnLabel ? static_cast<HANDLE>(label) : static_cast<HANDLE>(dlg));
        EXPECT_EQ(seen.iCtrlId, focusOnLabel ? 1000 : 0);
        EXPECT_EQ(seen.MousePos.x, 5);
        EXPECT_TRUE(Commands(dlg).empty());

        for (UINT modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
            Log().clear();
            host::user::KeyDown(modifier);
            host::headless::Key(VK_F1);
            host::user::KeyUp(modifier);
            Pump(dlg);
            EXPECT_EQ(Count(dlg, WM_HELP), 0) << modifier;
        }
    }
}

TEST_F(DialogTest, EndDialogKeepsTheResultAndHidesWithoutDestroying)
{
    HWND dlg = Launcher();
    INT_PTR result = 0;
    EXPECT_FALSE(host::user::DialogEnded(dlg, &result));
    ASSERT_TRUE(EndDialog(dlg, IDCANCEL));
    EXPECT_TRUE(host::user::DialogEnded(dlg, &result));
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(IsWindow(dlg));
    EXPECT_FALSE(IsWindowVisible(dlg));
    MSG m;
    EXPECT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));  // wakes a waiting loop
    HWND label = GetDlgItem(dlg, 1000);
    EXPECT_FALSE(EndDialog(label, 1));  // not a dialog
}

TEST_F(DialogTest, TheStaticAsksItsParentForColoursAndDrawsWithTheDialogFont)
{
    HWND dlg = Launcher();
    HWND label = GetDlgItem(dlg, 1000);
    SetWindowTextW(label, L"버젼 : 1.02");
    auto dialogFont = reinterpret_cast<HGDIOBJ>(SendMessageW(dlg, WM_GETFONT, 0, 0));
    int asked = 0;
    HGDIOBJ fontDuringPaint = nullptr;
    Answer() = [&](HWND, UINT m, WPARAM w, LPARAM l) -> INT_PTR {
        if (m == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(l) == label) {
            ++asked;
            auto dc = reinterpret_cast<HDC>(w);
            fontDuringPaint = GetCurrentObject(dc, OBJ_FONT);
            SetBkColor(dc, RGB(255, 255, 255));
            SetTextColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
        }
        return FALSE;
    };
    Pump(dlg);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(fontDuringPaint, dialogFont);

    auto pic = host::headless::Snapshot(dlg);
    RECT r;
    GetWindowRect(label, &r);
    RECT d;
    GetWindowRect(dlg, &d);
    OffsetRect(&r, -d.left, -d.top);
    int black = 0, white = 0, other = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            std::uint32_t p = pic.At(x, y);
            if (p == 0) ++black;
            else if (p == 0xFFFFFF) ++white;
            else ++other;
        }
    EXPECT_GT(black, 10);  // text in black...
    EXPECT_GT(white, 10);  // ...on the white of its character cells

    // Without an answer the default colours fill the control.
    Answer() = nullptr;
    SetWindowTextW(label, L"");
    Pump(dlg);
    pic = host::headless::Snapshot(dlg);
    EXPECT_EQ(pic.At(r.left + 1, r.top + 1), 0xF0F0F0u);
}

TEST_F(DialogTest, ThePointerOverTheLabelReachesTheDialog)
{
    HWND dlg = Launcher();
    Pump(dlg);
    HWND label = GetDlgItem(dlg, 1000);
    RECT r;
    GetWindowRect(label, &r);
    host::headless::MovePointer(r.left + 2, r.top + 2);
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, dlg);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_MOUSEMOVE));
    POINT p{r.left + 2, r.top + 2};
    ScreenToClient(dlg, &p);
    EXPECT_EQ(m.lParam, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(SendMessageW(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(DialogTest, TabAndArrowsMoveTheFocusAmongTabStops)
{
    std::vector<Control> controls{
        Ctl(0x0082, 10, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP),
        Ctl(0x0082, 11, WS_CHILD | WS_VISIBLE | WS_TABSTOP),
        Ctl(0x0082, 12, WS_CHILD | WS_VISIBLE | WS_GROUP),
    };
    Answer() = [](HWND, UINT m, WPARAM, LPARAM) -> INT_PTR { return m == WM_INITDIALOG; };
    HWND dlg = MakeDialog(DialogBytes(kLauncherStyle, 0, 0, 100, 100, controls));
    ASSERT_TRUE(dlg);
    HWND a = GetDlgItem(dlg, 10), b = GetDlgItem(dlg, 11);
    // WM_INITDIALOG named the first tab stop, and it has the focus.
    for (const Seen& s : Log()) {
        if (s.msg == WM_INITDIALOG) { EXPECT_EQ(s.wp, reinterpret_cast<WPARAM>(a)); }
    }
    EXPECT_EQ(GetFocus(), a);
    struct Step {
        UINT key;
        HWND focus;
    };
    for (Step s : {Step{VK_TAB, b}, Step{VK_TAB, a}, Step{VK_DOWN, b}, Step{VK_UP, a}}) {
        host::headless::Key(s.key);
        Pump(dlg);
        EXPECT_EQ(GetFocus(), s.focus) << s.key;
    }
}

}  // namespace
