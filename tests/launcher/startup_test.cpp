// The launcher window as the modal run creates it: its place and size, the
// image pairs and frame buffer, the initial state, the label and the icon.
#include "launcher_session.h"

#include "platform/host/gdi/font.h"

#include <string>

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
        {SURFACE_BACKGROUND, 291, 277}, {SURFACE_SETUP, 370, 20},   {SURFACE_MANUAL, 370, 20},
        {SURFACE_READER, 370, 20},      {SURFACE_MINIMIZE, 36, 18}, {SURFACE_CLOSE, 36, 18},
        {SURFACE_FRAME, 620, 542},
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

}  // namespace
