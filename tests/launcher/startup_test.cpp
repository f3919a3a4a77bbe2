// The launcher window as the modal run creates it: its place and size, the
// image pairs and frame buffer, the initial state, the label and the icons
// (the order they are set in, and the drag icon's own handler), and the
// order the image pairs go in.
#include "launcher_session.h"

#include "platform/host/gdi/font.h"
#include "platform/host/gdi/icon.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using Probe = CLauncherDialogProbe;

TEST(StartupTest, ObjectBeforeItsWindowHoldsOnlyTheIcon)
{
    host::headless::Reset();
    COrvaneCDDlg dlg;
    EXPECT_NE(Probe::Icon(&dlg), nullptr);
    for (int s = SURFACE_FRAME; s <= SURFACE_CLOSE; ++s) {
        const auto surface = static_cast<EFrameSurface>(s);
        EXPECT_EQ(Probe::Bitmap(&dlg, surface).m_hObject, nullptr) << "surface " << s;
        EXPECT_EQ(Probe::Dc(&dlg, surface).m_hDC, nullptr) << "surface " << s;
    }
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(StartupTest, WindowIsBorderlessCentredAndSizedByTheTemplate)
{
    LauncherSession session;
    session.Then([] {
        HWND hwnd = LauncherSession::Window();
        ASSERT_NE(hwnd, nullptr);
        const DWORD style = static_cast<DWORD>(::GetWindowLongW(hwnd, GWL_STYLE));
        EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME), 0u);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_TRUE(::IsWindowVisible(hwnd));

        RECT rcUnits{0, 0, 166, 184};
        ASSERT_TRUE(::MapDialogRect(hwnd, &rcUnits));
        RECT rcWindow, rcClient;
        ::GetWindowRect(hwnd, &rcWindow);
        ::GetClientRect(hwnd, &rcClient);
        const int cx = rcWindow.right - rcWindow.left;
        const int cy = rcWindow.bottom - rcWindow.top;
        // No border: the client area is the whole window.
        EXPECT_EQ(rcClient.right, cx);
        EXPECT_EQ(rcClient.bottom, cy);
        EXPECT_EQ(cx, rcUnits.right);
        EXPECT_EQ(cy, rcUnits.bottom);
        // The window is the 291 x 277 picture, give or take one row: the
        // dialog font's metrics make the template's units come out so.
        EXPECT_EQ(cx, 291);
        EXPECT_NEAR(cy, 277, 1);
        // And the version label sits in the picture's blank bottom strip.
        RECT rcLabel;
        ::GetWindowRect(::GetDlgItem(hwnd, IDC_VERSION_LABEL), &rcLabel);
        EXPECT_GE(rcLabel.top - rcWindow.top, 247);
        EXPECT_LE(rcLabel.bottom - rcWindow.top, 274);
        EXPECT_LE(rcLabel.right - rcWindow.left, 288);

        const int screenX = ::GetSystemMetrics(SM_CXSCREEN);
        const int screenY = ::GetSystemMetrics(SM_CYSCREEN);
        EXPECT_EQ(rcWindow.left, (screenX - cx) / 2);
        EXPECT_EQ(rcWindow.top, (screenY - cy) / 2);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    EXPECT_FALSE(session.Run());
}

TEST(StartupTest, ImagePairsHoldTheirBitmapsSelected)
{
    struct Expected {
        EFrameSurface surface;
        int width, height;
    };
    const Expected table[] = {
        {SURFACE_BACKGROUND, 291, 277}, {SURFACE_SETUP, 370, 20}, {SURFACE_MANUAL, 370, 20}, {SURFACE_READER, 370, 20},
        {SURFACE_MINIMIZE, 36, 18},     {SURFACE_CLOSE, 36, 18},  {SURFACE_FRAME, 620, 542},
    };
    LauncherSession session;
    session.Then([&] {
        COrvaneCDDlg* dlg = Probe::Dlg();
        HDC screen = ::GetDC(nullptr);
        const int displayBits = ::GetDeviceCaps(screen, BITSPIXEL);
        ::ReleaseDC(nullptr, screen);
        for (const Expected& e : table) {
            SCOPED_TRACE(e.surface);
            CBitmap& bmp = Probe::Bitmap(dlg, e.surface);
            CDC& dc = Probe::Dc(dlg, e.surface);
            ASSERT_NE(bmp.m_hObject, nullptr);
            ASSERT_NE(dc.m_hDC, nullptr);
            EXPECT_EQ(::GetCurrentObject(dc.m_hDC, OBJ_BITMAP), bmp.m_hObject);
            BITMAP info{};
            ASSERT_EQ(bmp.GetBitmap(&info), static_cast<int>(sizeof(BITMAP)));
            EXPECT_EQ(info.bmWidth, e.width);
            EXPECT_EQ(info.bmHeight, e.height);
            // Every surface has the display's format, the frame buffer too:
            // it is made compatible with the window's DC, not the memory DC.
            EXPECT_EQ(info.bmBitsPixel, displayBits);
        }
        EXPECT_EQ(displayBits, 32);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

TEST(StartupTest, StateLabelAndIconAfterInitialisation)
{
    LauncherSession session;
    session.Then([] {
        COrvaneCDDlg* dlg = Probe::Dlg();
        for (int i = 0; i < HOVER_COUNT; ++i) EXPECT_EQ(Probe::Hover(dlg)[i], 0) << i;
        EXPECT_EQ(Probe::Origin(dlg, HOVER_CLOSE), CPoint(268, 5));
        EXPECT_EQ(Probe::Origin(dlg, HOVER_MINIMIZE), CPoint(248, 5));
        EXPECT_EQ(Probe::Origin(dlg, HOVER_SETUP), CPoint(100, 85));
        EXPECT_EQ(Probe::Origin(dlg, HOVER_MANUAL), CPoint(100, 140));
        EXPECT_EQ(Probe::Origin(dlg, HOVER_READER), CPoint(100, 200));

        HWND hwnd = LauncherSession::Window();
        HWND label = ::GetDlgItem(hwnd, IDC_VERSION_LABEL);
        ASSERT_NE(label, nullptr);
        wchar_t text[64] = {};
        ::GetWindowTextW(label, text, 64);
        EXPECT_EQ(std::wstring(text), L"버젼 : 1.02");
        // The label draws with the dialog's font, which must have a real
        // glyph for every character, Hangul included.
        auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        EXPECT_TRUE(host::FontHasGlyphs(font, text)) << host::FontFilePath(font);

        HICON icon = Probe::Icon(dlg);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0)), icon);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0)), icon);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_QUERYDRAGICON, 0, 0)), icon);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

// What reaches the window's default procedure.
WNDPROC g_defaultProc = nullptr;
std::vector<UINT> g_defaulted;
LRESULT CALLBACK RecordingDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_defaulted.push_back(message);
    return ::CallWindowProcW(g_defaultProc, hwnd, message, wParam, lParam);
}

// Default processing answers the drag query with the window's large icon;
// with another large icon set, only the launcher's handler still gives its own.
TEST(StartupTest, DragIconComesFromTheHandlerNotDefaultProcessing)
{
    LauncherSession session;
    session.Then([] {
        COrvaneCDDlg* dlg = Probe::Dlg();
        HWND hwnd = LauncherSession::Window();
        host::IconPicture picture{32, 32, std::vector<std::uint32_t>(32 * 32, 0x123456u),
                                  std::vector<std::uint8_t>(32 * 32, 0)};
        HICON other = host::CreateIconFromPicture(picture);
        ASSERT_NE(other, nullptr);
        ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(other));
        ASSERT_EQ(reinterpret_cast<HICON>(::DefWindowProcW(hwnd, WM_QUERYDRAGICON, 0, 0)), other);

        g_defaulted.clear();
        g_defaultProc = Probe::HookDefault(dlg, &RecordingDefault);
        const auto dragged = reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_QUERYDRAGICON, 0, 0));
        Probe::HookDefault(dlg, g_defaultProc);
        EXPECT_EQ(dragged, Probe::Icon(dlg));
        EXPECT_EQ(std::count(g_defaulted.begin(), g_defaulted.end(), WM_QUERYDRAGICON), 0);

        ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Probe::Icon(dlg)));
        ::DestroyIcon(other);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

// Watches the window from inside its initialisation.
class CIconOrderProbeDlg : public COrvaneCDDlg {
public:
    std::vector<std::pair<WPARAM, HICON>> m_setIcons;

protected:
    BOOL OnInitDialog() override
    {
        MessageSpy spy(m_hWnd);
        const BOOL result = COrvaneCDDlg::OnInitDialog();
        for (const MSG& m : spy.Seen())
            if (m.message == WM_SETICON) m_setIcons.emplace_back(m.wParam, reinterpret_cast<HICON>(m.lParam));
        return result;
    }
};

TEST(StartupTest, InitialisationSetsTheLargeIconThenTheSmallOne)
{
    CIconOrderProbeDlg dlg;
    LauncherSession session;
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.RunDialog(dlg);
    const HICON icon = Probe::Icon(&dlg);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(dlg.m_setIcons, (std::vector<std::pair<WPARAM, HICON>>{{ICON_BIG, icon}, {ICON_SMALL, icon}}));
}

// A bitmap still selected in a DC cannot be deleted: if any DC outlived its
// bitmap's deletion, that bitmap would still be alive after the run.
TEST(StartupTest, DestructionDeletesEachDcBeforeItsBitmap)
{
    std::vector<HGDIOBJ> handles;
    LauncherSession session;
    session.Then([&] {
        COrvaneCDDlg* dlg = Probe::Dlg();
        for (int s = SURFACE_FRAME; s <= SURFACE_CLOSE; ++s) {
            const auto surface = static_cast<EFrameSurface>(s);
            handles.push_back(Probe::Bitmap(dlg, surface).m_hObject);
            handles.push_back(Probe::Dc(dlg, surface).m_hDC);
        }
        for (HGDIOBJ h : handles) ASSERT_NE(::GetObjectType(h), 0u) << h;
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
    ASSERT_EQ(handles.size(), 14u);
    for (HGDIOBJ h : handles) EXPECT_EQ(::GetObjectType(h), 0u) << h;  // nothing left alive
}

}  // namespace
