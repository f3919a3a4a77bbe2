// What the desktop did to a window, reported by a presenter: USER applies it
// with the messages the application's own call would bring, and tells the
// presenter nothing back (it shows the change already); the application's
// calls do tell it.
#include "user_fixture.h"

#include "platform/host/present/presenter.h"
#include "platform/host/user/presenting.h"

#include <memory>
#include <string>

using namespace usertest;

namespace {

// Records what USER tells the presenter about a window.
class RecordingPresenter final : public host::Presenter {
public:
    explicit RecordingPresenter(std::vector<std::string>* told) : m_told(told) {}
    void WindowMoved(HWND, const RECT&) override { m_told->push_back("moved"); }
    void WindowShown(HWND) override { m_told->push_back("shown"); }
    void WindowHidden(HWND) override { m_told->push_back("hidden"); }
    void WindowMinimized(HWND) override { m_told->push_back("minimized"); }
    void WindowRestored(HWND) override { m_told->push_back("restored"); }
    RECT ScreenRect() override { return RECT{0, 0, 1024, 768}; }
    int ShowMessageBox(HWND, LPCWSTR, LPCWSTR, UINT) override { return IDOK; }
    bool Idle(int) override { return false; }
    [[noreturn]] void Starved() override { std::abort(); }

private:
    std::vector<std::string>* m_told;
};

class DesktopReportsTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        auto bytes = DialogBytes(WS_POPUP | WS_VISIBLE, 0, 0, 40, 30);
        m_hwnd = MakeDialog(bytes);
        ASSERT_TRUE(m_hwnd);
        MoveWindow(m_hwnd, 10, 20, 120, 80, FALSE);
        Pump(m_hwnd);
        host::UsePresenter(std::make_unique<RecordingPresenter>(&m_told));
        Log().clear();
    }
    void TearDown() override
    {
        DestroyWindow(m_hwnd);
        UserTest::TearDown();
    }
    RECT Rect() const
    {
        RECT r{};
        GetWindowRect(m_hwnd, &r);
        return r;
    }

    HWND m_hwnd = nullptr;
    std::vector<std::string> m_told;
};

TEST_F(DesktopReportsTest, AMoveIsAppliedWithItsMessagesAndNotToldBack)
{
    host::user::DesktopMoved(m_hwnd, POINT{300, 200});
    const RECT r = Rect();
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{300, 200, 420, 280}));
    EXPECT_EQ(Count(m_hwnd, WM_WINDOWPOSCHANGED), 1);
    EXPECT_EQ(Count(m_hwnd, WM_MOVE), 1);
    EXPECT_EQ(m_told, std::vector<std::string>{});

    SetWindowPos(m_hwnd, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(m_told, std::vector<std::string>{"moved"}) << "the application's move goes to the desktop";
}

TEST_F(DesktopReportsTest, MinimizeAndRestoreAreAppliedAndNotToldBack)
{
    host::user::DesktopMinimized(m_hwnd);
    EXPECT_TRUE(IsIconic(m_hwnd));
    EXPECT_EQ(Count(m_hwnd, WM_SIZE), 1);
    const RECT iconic = Rect();
    EXPECT_EQ(iconic.right - iconic.left, GetSystemMetrics(SM_CXICON));

    host::user::DesktopRestored(m_hwnd);
    EXPECT_FALSE(IsIconic(m_hwnd));
    const RECT r = Rect();
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{10, 20, 130, 100}));
    EXPECT_EQ(GetActiveWindow(), m_hwnd) << "a window the desktop restores is active";
    EXPECT_EQ(m_told, std::vector<std::string>{});

    ShowWindow(m_hwnd, SW_MINIMIZE);
    ShowWindow(m_hwnd, SW_RESTORE);
    EXPECT_EQ(m_told, (std::vector<std::string>{"moved", "minimized", "moved", "restored"}))
        << "the application's minimize and restore go to the desktop";
}

TEST_F(DesktopReportsTest, ActivationIsAppliedWithWmActivate)
{
    SetActiveWindow(nullptr);
    Log().clear();
    host::user::DesktopActivated(m_hwnd);
    EXPECT_EQ(GetActiveWindow(), m_hwnd);
    EXPECT_EQ(Count(m_hwnd, WM_ACTIVATE), 1);
    host::user::DesktopActivated(m_hwnd);
    EXPECT_EQ(Count(m_hwnd, WM_ACTIVATE), 1) << "an active window is not activated again";
}

// A report about a window that is gone, a child, or a minimized window's
// move changes nothing and reaches nobody.
TEST_F(DesktopReportsTest, ReportsThatDoNotApplyAreIgnored)
{
    HWND child =
        CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 1, 2, 10, 10, m_hwnd, nullptr, nullptr, nullptr);
    HWND stale = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7FF0));
    for (HWND h : {child, stale}) {
        host::user::DesktopMoved(h, POINT{50, 50});
        host::user::DesktopMinimized(h);
        host::user::DesktopRestored(h);
        host::user::DesktopActivated(h);
    }
    RECT c{};
    GetWindowRect(child, &c);
    EXPECT_EQ(c.left, 11);
    EXPECT_FALSE(IsIconic(child));

    ShowWindow(m_hwnd, SW_MINIMIZE);
    m_told.clear();
    host::user::DesktopMoved(m_hwnd, POINT{400, 400});
    host::user::DesktopActivated(m_hwnd);
    ShowWindow(m_hwnd, SW_RESTORE);
    const RECT r = Rect();
    EXPECT_EQ(r.left, 10) << "a minimized window keeps the place it is restored to";
    EXPECT_EQ(m_told, (std::vector<std::string>{"moved", "restored"}));
}

}  // namespace
