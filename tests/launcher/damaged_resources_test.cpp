// Runs whose embedded resources are damaged: without the dialog template
// the modal run cannot start, and the process ends by the normal road
// without ever showing a window.
#include "launcher_session.h"

#include "hardening/res_records.h"
#include "platform/host/kernel/module.h"
#include "process_runner.h"

#include <cstdint>
#include <vector>

namespace {

// The compiled resources without any record of one ordinal resource type.
std::vector<std::uint8_t> ResourcesWithout(std::uint16_t type)
{
    auto records = hardening::SplitRecords(hardening::ReadAll(ORVANE_RES_PATH));
    std::erase_if(records, [type](const hardening::ResRecord& r) { return r.Type() == type; });
    return hardening::JoinRecords(records);
}

TEST(DamagedResourcesTest, DoModalReturnsMinusOneWithoutItsTemplate)
{
    host::headless::Reset();
    host::ReplaceModuleResources(ResourcesWithout(5));
    {
        COrvaneCDDlg dlg;
        EXPECT_EQ(dlg.DoModal(), -1);
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
    EXPECT_TRUE(host::user::TopLevelWindows().empty());
    host::RestoreModuleResources();
}

TEST(DamagedResourcesTest, ProcessWithoutItsTemplateEndsNormallyWithoutAWindow)
{
    EXPECT_EXIT(
        {
            host::headless::Reset();
            host::ReplaceModuleResources(ResourcesWithout(5));
            // A window waiting for input would make the thread idle.
            host::headless::SetIdleHook([] { std::_Exit(98); });
            const int code = AfxWinMain(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOWDEFAULT);
            std::exit(host::user::TopLevelWindows().empty() ? code : 99);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
