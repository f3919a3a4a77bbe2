// Runs whose embedded resources are damaged: without the dialog template
// the modal run cannot start, and the process ends by the normal road
// without ever showing a window.
#include "launcher_session.h"

#include "module_resources.h"
#include "process_runner.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadBytes(const char* path)
{
    const std::string s = ReadFile(path);
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

std::uint32_t Dword(const std::vector<std::uint8_t>& b, std::size_t at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// The compiled resources without any record of one resource type (an
// ordinal type): the records are copied as they stand, DWORD-aligned.
std::vector<std::uint8_t> ResourcesWithout(std::uint16_t type)
{
    const std::vector<std::uint8_t> all = ReadBytes(ORVANE_RES_PATH);
    std::vector<std::uint8_t> kept;
    std::size_t at = 0;
    while (at + 12 <= all.size()) {
        const std::uint32_t dataSize = Dword(all, at), headerSize = Dword(all, at + 4);
        const std::size_t next = (at + headerSize + dataSize + 3) & ~std::size_t{3};
        const bool ordinalType = all[at + 8] == 0xFF && all[at + 9] == 0xFF;
        const std::uint16_t recordType = static_cast<std::uint16_t>(all[at + 10] | (all[at + 11] << 8));
        if (!(ordinalType && recordType == type && dataSize > 0))
            kept.insert(kept.end(), all.begin() + static_cast<long>(at),
                        all.begin() + static_cast<long>(std::min(next, all.size())));
        at = next;
    }
    return kept;
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
    EXPECT_TRUE(host::headless::TopLevelWindows().empty());
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
            std::exit(host::headless::TopLevelWindows().empty() ? code : 99);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
