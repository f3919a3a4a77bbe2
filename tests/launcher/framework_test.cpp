// The framework itself: message maps and their base maps, command routing
// from the dialog to the application, and the application's names.
#include "launcher_session.h"

#include <string>

namespace {

int g_basePaints = 0, g_derivedMoves = 0;

class CBaseTestWnd : public CWnd {
public:
    void OnPaint()
    {
        ++g_basePaints;
        CWnd::OnPaint();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

class CDerivedTestWnd : public CBaseTestWnd {
public:
    void OnMouseMove(UINT, CPoint point)
    {
        ++g_derivedMoves;
        m_ptLast = point;
    }
    CPoint m_ptLast;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

// The procedure under the subclassed window: what reaches default processing.
int g_defaultCalls = 0;
UINT g_lastDefault = 0;
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ++g_defaultCalls;
    g_lastDefault = message;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST(FrameworkTest, MessagesWalkTheMapsToTheBaseThenToDefaultProcessing)
{
    host::headless::Reset();
    HWND hwnd = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc));
    {
        CDerivedTestWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hwnd));
        g_basePaints = g_derivedMoves = g_defaultCalls = 0;

        ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-7), 12));
        EXPECT_EQ(g_derivedMoves, 1);
        EXPECT_EQ(wnd.m_ptLast, CPoint(-7, 12));  // sign-extended
        EXPECT_EQ(g_defaultCalls, 0);             // the handler did not call the base

        ::SendMessageW(hwnd, WM_PAINT, 0, 0);  // only the base class maps it
        EXPECT_EQ(g_basePaints, 1);
        EXPECT_EQ(g_lastDefault, static_cast<UINT>(WM_PAINT));  // and it ends in Default()

        g_defaultCalls = 0;
        ::SendMessageW(hwnd, WM_USER + 5, 0, 0);  // no map takes it
        EXPECT_EQ(g_defaultCalls, 1);
        EXPECT_EQ(g_lastDefault, static_cast<UINT>(WM_USER + 5));
        wnd.DestroyWindow();
        EXPECT_EQ(wnd.m_hWnd, nullptr);
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(FrameworkTest, HelpCommandGoesFromTheDialogToTheApplication)
{
    LauncherSession session;
    session.Then([] {
        // The dialog maps no ID_HELP; the application's one entry takes it.
        ::SendMessageW(LauncherSession::Window(), WM_COMMAND, ID_HELP, 0);
        ASSERT_EQ(host::headless::MessageBoxLog().size(), 1u);
        EXPECT_EQ(host::headless::MessageBoxLog()[0], L"Failed to launch help.");
    });
    session.Then([] { host::headless::Key(VK_F1); });
    session.Then([] {
        // F1 with no modifier: one help request, one more message.
        EXPECT_EQ(host::headless::MessageBoxLog().size(), 2u);
    });
    session.Then([] {
        host::user::KeyDown(VK_SHIFT);
        host::headless::Key(VK_F1);
        host::user::KeyUp(VK_SHIFT);
    });
    session.Then([] {
        EXPECT_EQ(host::headless::MessageBoxLog().size(), 2u);  // Shift+F1 is no help request here
        host::headless::Key(VK_ESCAPE);
    });
    session.Run();
}

TEST(FrameworkTest, UnknownCommandsAreNotTaken)
{
    LauncherSession session;
    session.Then([] {
        ::SendMessageW(LauncherSession::Window(), WM_COMMAND, 0x7777, 0);
        EXPECT_TRUE(host::headless::MessageBoxLog().empty());
        EXPECT_TRUE(::IsWindowVisible(LauncherSession::Window()));
        host::headless::Key(VK_ESCAPE);
    });
    session.Run();
}

TEST(FrameworkTest, RegistryKeyIsOnlyRecorded)
{
    LauncherSession session;
    session.Then([] { host::headless::Key(VK_RETURN); });
    session.Run();
    ASSERT_NE(theApp.m_pszRegistryKey, nullptr);
    EXPECT_EQ(std::wstring(theApp.m_pszRegistryKey), L"로컬 응용 프로그램 마법사에서 생성된 응용 프로그램");
    ASSERT_NE(theApp.m_pszProfileName, nullptr);
    EXPECT_EQ(std::wstring(theApp.m_pszProfileName), std::wstring(theApp.m_pszAppName));
    // The application is named after the executable.
    EXPECT_EQ(std::wstring(theApp.m_pszAppName), L"framework_test");
}

TEST(FrameworkTest, ExecutableAndHelpFileAreNamedAfterTheModule)
{
    LauncherSession session;
    session.Then([] { host::headless::Key(VK_RETURN); });
    session.Run();
    ASSERT_NE(theApp.m_pszExeName, nullptr);
    EXPECT_EQ(std::wstring(theApp.m_pszExeName), L"framework_test");
    // Beside the executable, its name without the extension, and ".HLP".
    const std::string help = ORVANE_BINARY_DIR "/tests/framework_test.HLP";
    ASSERT_NE(theApp.m_pszHelpFilePath, nullptr);
    EXPECT_EQ(std::wstring(theApp.m_pszHelpFilePath), std::wstring(help.begin(), help.end()));
}

TEST(FrameworkTest, ExitInstanceIsTheLastPumpedMessagesWParam)
{
    LauncherSession session;
    session.Then([] { host::headless::Key(VK_RETURN); });
    EXPECT_FALSE(session.Run());
    EXPECT_EQ(theApp.m_msgCur.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(theApp.ExitInstance(), VK_RETURN);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);  // cleared when the window went
}

}  // namespace
