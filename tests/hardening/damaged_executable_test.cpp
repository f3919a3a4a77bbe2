// A build whose embedded resources have no dialog template (made at build
// time from the real ones): the process ends by the normal road, having
// never shown a window nor waited for input.
#include "process_runner.h"

namespace {

TEST(DamagedExecutableTest, WithoutItsTemplateTheProcessEndsNormallyWithoutAWindow)
{
    // The script would run at the first idle; there must be none.
    const ProcessResult r = RunLauncher("report; key ESCAPE", {}, "", ORVANE_EXE_NO_TEMPLATE);
    ASSERT_TRUE(r.exited) << r.err;
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.find("headless:"), std::string::npos) << r.err;

    const auto lines = TraceLines(r.err);
    const int missing = IndexOf(lines, "CDialog::DoModal: template 102 missing");
    const int dlgGone = IndexOf(lines, "CDialog::~CDialog template 102");
    const int mainReturns = IndexOf(lines, "AfxWinMain: returns 0");
    const int appGone = IndexOf(lines, "CWinApp::~CWinApp");
    ASSERT_GE(missing, 0) << r.err;
    EXPECT_EQ(IndexOf(lines, "CDialog::DoModal: running"), -1) << r.err;
    EXPECT_LT(missing, dlgGone);
    EXPECT_LT(dlgGone, mainReturns);
    EXPECT_LT(mainReturns, appGone);
}

}  // namespace
