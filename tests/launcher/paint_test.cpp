// Painting as the window shows it: the composed frame, highlighted sprites,
// a paint of a small area, the minimized window, and the version label.
#include "launcher_session.h"

#include "expected_picture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Probe = CLauncherDialogProbe;

RECT LabelRect()
{
    HWND hwnd = LauncherSession::Window();
    RECT rc;
    ::GetWindowRect(::GetDlgItem(hwnd, IDC_VERSION_LABEL), &rc);
    POINT tl{rc.left, rc.top}, br{rc.right, rc.bottom};
    ::ScreenToClient(hwnd, &tl);
    ::ScreenToClient(hwnd, &br);
    return RECT{tl.x, tl.y, br.x, br.y};
}

// Pixels of the picture area (outside the label) that differ from `expected`.
int Differences(const host::headless::Picture& shot, const ExpectedPicture& expected, const RECT& label)
{
    int n = 0;
    for (int y = 0; y < expected.height && y < shot.height; ++y)
        for (int x = 0; x < expected.width && x < shot.width; ++x) {
            if (PtInRect(&label, POINT{x, y})) continue;
            n += shot.At(x, y) != expected.At(x, y);
        }
    return n;
}

const int kAllNormal[HOVER_COUNT] = {0, 0, 0, 0, 0};

TEST(PaintTest, FirstFrameIsTheBackgroundWithEverySpriteNormal)
{
    LauncherSession session;
    session.Then([] {
        const auto shot = host::headless::Snapshot(LauncherSession::Window());
        ASSERT_GE(shot.width, 291);
        ASSERT_GE(shot.height, 276);
        EXPECT_EQ(Differences(shot, ComposeExpected(kAllNormal), LabelRect()), 0);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

// The host sends WM_PAINT again to a window its handler left invalid: the
// launcher's paint must validate the window and its label.
TEST(PaintTest, FirstPaintLeavesNothingToPaint)
{
    LauncherSession session;
    session.Then([] {
        HWND hwnd = LauncherSession::Window();
        EXPECT_FALSE(::GetUpdateRect(hwnd, nullptr, FALSE));
        EXPECT_FALSE(::GetUpdateRect(::GetDlgItem(hwnd, IDC_VERSION_LABEL), nullptr, FALSE));
        MSG msg;
        EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

class HighlightTest : public testing::TestWithParam<int> {};

TEST_P(HighlightTest, OneStateAtOneShowsThatSpritesFrameOneAndNothingElseChanges)
{
    const int index = GetParam();
    LauncherSession session;
    session.Then([index] {
        Probe::Hover(Probe::Dlg())[index] = 1;
        ::InvalidateRect(LauncherSession::Window(), nullptr, FALSE);
    });
    session.Then([index] {
        int hover[HOVER_COUNT] = {0, 0, 0, 0, 0};
        hover[index] = 1;
        const ExpectedPicture expected = ComposeExpected(hover);
        const auto shot = host::headless::Snapshot(LauncherSession::Window());
        EXPECT_EQ(Differences(shot, expected, LabelRect()), 0);
        // And frame 1 really differs from frame 0 there.
        EXPECT_GT(Differences(shot, ComposeExpected(kAllNormal), LabelRect()), 0);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

INSTANTIATE_TEST_SUITE_P(EachHotSpot, HighlightTest,
                         testing::Values(HOVER_MINIMIZE, HOVER_CLOSE, HOVER_SETUP, HOVER_MANUAL, HOVER_READER));

// Counts what reaches the window's default procedure: a WM_PAINT there is
// the base dialog paint handler's Default().
WNDPROC g_defaultProc = nullptr;
int g_defaultPaints = 0;
LRESULT CALLBACK CountingDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_defaultPaints += message == WM_PAINT;
    return ::CallWindowProcW(g_defaultProc, hwnd, message, wParam, lParam);
}

TEST(PaintTest, SmallInvalidAreaStillComposesTheWholeFrame)
{
    std::unique_ptr<MessageSpy> spy;
    LauncherSession session;
    session.Then([&] {
        COrvaneCDDlg* dlg = Probe::Dlg();
        HWND hwnd = LauncherSession::Window();
        g_defaultPaints = 0;
        g_defaultProc = Probe::HookDefault(dlg, &CountingDefault);
        spy = std::make_unique<MessageSpy>(hwnd);
        // Blacken the frame buffer and the window, then ask for a 2x2 paint.
        ::PatBlt(Probe::Dc(dlg, SURFACE_FRAME).m_hDC, 0, 0, 620, 542, BLACKNESS);
        HDC dc = ::GetDC(hwnd);
        ::PatBlt(dc, 0, 0, 620, 542, BLACKNESS);
        ::ReleaseDC(hwnd, dc);
        const RECT small{20, 30, 22, 32};
        ::InvalidateRect(hwnd, &small, FALSE);
    });
    session.Then([&] {
        COrvaneCDDlg* dlg = Probe::Dlg();
        HWND hwnd = LauncherSession::Window();
        EXPECT_EQ(spy->Count(WM_PAINT), 1);
        EXPECT_EQ(spy->Count(WM_SETTEXT), 1);
        EXPECT_EQ(g_defaultPaints, 1);
        Probe::HookDefault(dlg, g_defaultProc);

        // The frame buffer holds the whole composed picture again.
        const ExpectedPicture expected = ComposeExpected(kAllNormal);
        HDC frame = Probe::Dc(dlg, SURFACE_FRAME).m_hDC;
        int wrong = 0;
        for (int y = 0; y < expected.height; ++y)
            for (int x = 0; x < expected.width; ++x) {
                const COLORREF c = ::GetPixel(frame, x, y);
                const std::uint32_t rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                wrong += rgb != expected.At(x, y);
            }
        EXPECT_EQ(wrong, 0);

        // The window changed only inside the invalid area.
        const auto shot = host::headless::Snapshot(hwnd);
        int outside = 0;
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x) {
                const bool inside = x >= 20 && x < 22 && y >= 30 && y < 32;
                if (inside) EXPECT_EQ(shot.At(x, y), expected.At(x, y)) << x << "," << y;
                else outside += shot.At(x, y) != 0;
            }
        EXPECT_EQ(outside, 0);
        spy.reset();
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

// Reads the title as initialisation leaves it, before any paint.
class CTitleProbeDlg : public COrvaneCDDlg {
public:
    std::wstring m_strTitleAtInit = L"unread";

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = COrvaneCDDlg::OnInitDialog();
        wchar_t title[64] = {};
        ::GetWindowTextW(m_hWnd, title, 64);
        m_strTitleAtInit = title;
        return result;
    }
};

TEST(PaintTest, TitleIsEmptyUntilTheFirstPaint)
{
    CTitleProbeDlg dlg;
    LauncherSession session;
    session.Then([] {
        wchar_t title[64] = {};
        ::GetWindowTextW(LauncherSession::Window(), title, 64);
        EXPECT_EQ(std::wstring(title), L"Orvane 설치 CD");
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    EXPECT_EQ(session.RunDialog(dlg), IDCANCEL);
    EXPECT_EQ(dlg.m_strTitleAtInit, L"");
}

TEST(PaintTest, MinimizedPaintDrawsOnlyTheIconCentred)
{
    std::unique_ptr<MessageSpy> spy;
    LauncherSession session;
    session.Then([&] {
        COrvaneCDDlg* dlg = Probe::Dlg();
        HWND hwnd = LauncherSession::Window();
        g_defaultPaints = 0;
        g_defaultProc = Probe::HookDefault(dlg, &CountingDefault);
        ::PatBlt(Probe::Dc(dlg, SURFACE_FRAME).m_hDC, 0, 0, 620, 542, BLACKNESS);
        ::ShowWindow(hwnd, SW_MINIMIZE);
        spy = std::make_unique<MessageSpy>(hwnd);
        ::InvalidateRect(hwnd, nullptr, FALSE);
    });
    session.Then([&] {
        COrvaneCDDlg* dlg = Probe::Dlg();
        HWND hwnd = LauncherSession::Window();
        ASSERT_TRUE(::IsIconic(hwnd));
        EXPECT_GE(spy->Count(WM_PAINT), 1);
        EXPECT_EQ(spy->Count(WM_ICONERASEBKGND), spy->Count(WM_PAINT));
        EXPECT_EQ(spy->Count(WM_SETTEXT), 0);
        EXPECT_EQ(g_defaultPaints, 0);
        Probe::HookDefault(dlg, g_defaultProc);
        // No transfer: the frame buffer is still black.
        EXPECT_EQ(::GetPixel(Probe::Dc(dlg, SURFACE_FRAME).m_hDC, 150, 150), RGB(0, 0, 0));
        EXPECT_EQ(::GetPixel(Probe::Dc(dlg, SURFACE_FRAME).m_hDC, 10, 10), RGB(0, 0, 0));
        spy.reset();
        ::ShowWindow(hwnd, SW_RESTORE);
    });
    session.Then([] {
        // Restored, the window shows the picture again.
        EXPECT_FALSE(::IsIconic(LauncherSession::Window()));
        const auto shot = host::headless::Snapshot(LauncherSession::Window());
        EXPECT_EQ(Differences(shot, ComposeExpected(kAllNormal), LabelRect()), 0);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

// The title is set before the paint begins: the window is still invalid and
// none of its (blackened) pixels has changed when WM_SETTEXT arrives.
TEST(PaintTest, TitleIsSetBeforePaintingBegins)
{
    std::unique_ptr<MessageSpy> spy;
    int titles = 0, changedAtTitle = -1;
    BOOL invalidAtTitle = FALSE;
    LauncherSession session;
    session.Then([&] {
        HWND hwnd = LauncherSession::Window();
        HDC dc = ::GetDC(hwnd);
        ::PatBlt(dc, 0, 0, 620, 542, BLACKNESS);
        ::ReleaseDC(hwnd, dc);
        spy = std::make_unique<MessageSpy>(hwnd);
        spy->onMessage = [&](const MSG& m) {
            if (m.message != WM_SETTEXT || titles++) return;
            invalidAtTitle = ::GetUpdateRect(m.hwnd, nullptr, FALSE);
            const auto shot = host::headless::Snapshot(m.hwnd);
            changedAtTitle = static_cast<int>(
                std::count_if(shot.pixels.begin(), shot.pixels.end(), [](std::uint32_t p) { return p != 0; }));
        };
        ::InvalidateRect(hwnd, nullptr, FALSE);
    });
    session.Then([&] {
        EXPECT_EQ(titles, 1);
        EXPECT_TRUE(invalidAtTitle);
        EXPECT_EQ(changedAtTitle, 0);
        spy.reset();
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

// The icon as DrawIcon draws it at the icon size over `background`, 0x00RRGGBB.
std::vector<std::uint32_t> IconOver(HICON icon, std::uint32_t background, int cx, int cy)
{
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, cx, cy);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    HBRUSH brush = ::CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
    const RECT all{0, 0, cx, cy};
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    ::DrawIcon(dc, 0, 0, icon);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            const COLORREF c = ::GetPixel(dc, x, y);
            pixels.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
        }
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    return pixels;
}

// Minimized, the host's client area is the icon's size, where any placement
// looks centred; made larger, the icon must land in its middle and nothing
// else but the erased background show.
TEST(PaintTest, MinimizedPaintDrawsTheIconInTheMiddleOfALargerClientArea)
{
    LauncherSession session;
    session.Then([] { ::ShowWindow(LauncherSession::Window(), SW_MINIMIZE); });
    session.Then([] {
        HWND hwnd = LauncherSession::Window();
        ::SetWindowPos(hwnd, nullptr, 0, 0, 100, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
    session.Then([] {
        HWND hwnd = LauncherSession::Window();
        ASSERT_TRUE(::IsIconic(hwnd));
        const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
        ASSERT_EQ(cx, 32);
        ASSERT_EQ(cy, 32);
        const auto shot = host::headless::Snapshot(hwnd);
        ASSERT_EQ(shot.width, 100);
        ASSERT_EQ(shot.height, 80);
        const POINT at{34, 24};  // ((100 - 32 + 1) / 2, (80 - 32 + 1) / 2)
        const std::uint32_t background = shot.At(0, 0);
        const auto icon = IconOver(Probe::Icon(Probe::Dlg()), background, cx, cy);
        int iconPixels = 0, wrong = 0;
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x) {
                const bool inside = x >= at.x && x < at.x + cx && y >= at.y && y < at.y + cy;
                const std::uint32_t expected = inside ? icon[(y - at.y) * cx + (x - at.x)] : background;
                wrong += shot.At(x, y) != expected;
                iconPixels += inside && expected != background;
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(iconPixels, 100);  // the icon is really there to be found
        ::ShowWindow(hwnd, SW_RESTORE);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

// Black and white pixels inside the label's rectangle.
std::pair<int, int> LabelInk()
{
    const auto shot = host::headless::Snapshot(LauncherSession::Window());
    const RECT rc = LabelRect();
    int black = 0, white = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            black += shot.At(x, y) == 0x000000;
            white += shot.At(x, y) == 0xFFFFFF;
        }
    return {black, white};
}

TEST(PaintTest, LabelShowsBlackTextOnWhiteAfterManyRepaints)
{
    LauncherSession session;
    std::pair<int, int> first;
    session.Then([&] {
        first = LabelInk();
        const RECT rc = LabelRect();
        EXPECT_GT(first.first, 20);  // the glyphs of "버젼 : 1.02"
        EXPECT_EQ(first.first + first.second, (rc.right - rc.left) * (rc.bottom - rc.top));
    });
    for (int i = 0; i < 40; ++i) {
        session.Then([i] {
            LauncherSession::MoveTo(50 + i * 5, 60 + i * 4);
            ::InvalidateRect(LauncherSession::Window(), nullptr, i % 2 == 0);
        });
    }
    session.Then([&] { EXPECT_EQ(LabelInk(), first); });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

TEST(PaintTest, CtlColorAnswersTheLabelForEveryKindAndDefersForOthers)
{
    LauncherSession session;
    session.Then([] {
        HWND hwnd = LauncherSession::Window();
        HWND label = ::GetDlgItem(hwnd, IDC_VERSION_LABEL);
        HDC dc = ::CreateCompatibleDC(nullptr);
        for (UINT message = WM_CTLCOLORMSGBOX; message <= WM_CTLCOLORSTATIC; ++message) {
            ::SetBkColor(dc, RGB(1, 2, 3));
            ::SetTextColor(dc, RGB(4, 5, 6));
            const LRESULT brush =
                ::SendMessageW(hwnd, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH)) << message;
            EXPECT_EQ(::GetBkColor(dc), RGB(255, 255, 255));
            EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 0));
        }

        // Another control: the base handler's answer, untouched.
        HWND other = ::CreateWindowExW(0, L"Static", L"other", WS_CHILD, 0, 0, 10, 10, hwnd,
                                       reinterpret_cast<HMENU>(2000), nullptr, nullptr);
        ASSERT_NE(other, nullptr);
        HDC reference = ::CreateCompatibleDC(nullptr);
        ::SetBkColor(dc, RGB(1, 2, 3));
        ::SetTextColor(dc, RGB(4, 5, 6));
        ::SetBkColor(reference, RGB(1, 2, 3));
        ::SetTextColor(reference, RGB(4, 5, 6));
        const LRESULT got =
            ::SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(other));
        const LRESULT base = ::DefDlgProcW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(reference),
                                           reinterpret_cast<LPARAM>(other));
        EXPECT_EQ(got, base);
        EXPECT_NE(reinterpret_cast<HGDIOBJ>(got), ::GetStockObject(NULL_BRUSH));
        EXPECT_EQ(::GetBkColor(dc), ::GetBkColor(reference));
        EXPECT_EQ(::GetTextColor(dc), ::GetTextColor(reference));
        ::DestroyWindow(other);
        ::DeleteDC(dc);
        ::DeleteDC(reference);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

}  // namespace
