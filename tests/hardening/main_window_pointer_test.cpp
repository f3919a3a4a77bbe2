// The application's main-window pointer never outlives the window object:
// without its template the launcher window is never created, and
// InitInstance returns with the object gone (AfxWinMain then looks at
// m_pMainWnd to destroy a window still open).
#include "launcher_session.h"

#include "platform/host/kernel/module.h"
#include "res_records.h"

namespace {

TEST(MainWindowPointerTest, IsClearedWhenTheMainWindowObjectGoesWithoutAWindow)
{
    std::vector<hardening::ResRecord> records = hardening::SplitRecords(hardening::ReadAll(ORVANE_RES_PATH));
    std::erase_if(records, [](const hardening::ResRecord& r) { return r.Type() == 5; });
    host::headless::Reset();
    host::ReplaceModuleResources(hardening::JoinRecords(records));
    AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOWDEFAULT);
    host::headless::SetIdleHook([] { FAIL() << "the thread idled: a window is waiting for input"; });

    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);

    host::headless::SetIdleHook(nullptr);
    host::RestoreModuleResources();
}

TEST(MainWindowPointerTest, IsClearedWhenTheWindowEndsNormally)
{
    LauncherSession session;
    session.Then([] {
        EXPECT_NE(AfxGetMainWnd(), nullptr);
        host::headless::Key(VK_ESCAPE);
    });
    EXPECT_FALSE(session.Run());
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

}  // namespace
