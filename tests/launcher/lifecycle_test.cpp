// How a run of the launcher process ends: by the dialog keys and the
// system Close command, with the destructors in their order and the exit
// code the framework chooses; a run without its template; arguments; F1.
#include "process_runner.h"

#include <string>

namespace {

struct EndCase {
    std::string name;
    std::string script;
    int endDialog;  // the value given to EndDialog
};

class LifecycleTest : public testing::TestWithParam<EndCase> {};

TEST_P(LifecycleTest, RunEndsThroughTheBaseDialogAndTheFramework)
{
    const EndCase& c = GetParam();
    const ProcessResult r = RunLauncher(c.script);
    ASSERT_TRUE(r.exited) << r.err;
    const auto lines = TraceLines(r.err);

    const int end = IndexOf(lines, "CDialog::EndDialog " + std::to_string(c.endDialog));
    const int returns = IndexOf(lines, "CDialog::DoModal: returns " + std::to_string(c.endDialog));
    const int dlgGone = IndexOf(lines, "CDialog::~CDialog template 102");
    const int exitInstance = IndexOf(lines, "AfxWinMain: ExitInstance ");
    const int mainReturns = IndexOf(lines, "AfxWinMain: returns ");
    const int appGone = IndexOf(lines, "CWinApp::~CWinApp");
    ASSERT_GE(end, 0) << r.err;
    // The window object goes before InitInstance returns, theApp after the
    // main routine has returned.
    EXPECT_LT(end, returns);
    EXPECT_LT(returns, dlgGone);
    EXPECT_LT(dlgGone, exitInstance);
    EXPECT_LT(exitInstance, mainReturns);
    EXPECT_LT(mainReturns, appGone);

    // The process ends with ExitInstance's value (its low byte on POSIX).
    const int value = std::stoi(lines[exitInstance].substr(std::string("AfxWinMain: ExitInstance ").size()));
    EXPECT_EQ(r.status, value & 0xFF);
}

INSTANTIATE_TEST_SUITE_P(Keys, LifecycleTest,
                         testing::Values(EndCase{"Escape", "key ESCAPE", 2}, EndCase{"Enter", "key RETURN", 1},
                                         EndCase{"AltF4", "altf4", 2}, EndCase{"SystemClose", "close", 2}),
                         [](const testing::TestParamInfo<EndCase>& info) { return info.param.name; });

TEST(LifecycleTest, EscapeEndsWithTheLastPumpedMessagesWParam)
{
    // The pump's last message is the Escape key-down: wParam VK_ESCAPE (27).
    const ProcessResult r = RunLauncher("key ESCAPE");
    EXPECT_TRUE(r.exited);
    EXPECT_EQ(r.status, 27);
}

TEST(LifecycleTest, ArgumentsChangeNothing)
{
    const ProcessResult plain = RunLauncher("report; key ESCAPE");
    const ProcessResult withArgs = RunLauncher("report; key ESCAPE", {"/S", "--help", "D:\\Setup.exe", "x y"});
    EXPECT_TRUE(withArgs.exited);
    EXPECT_EQ(withArgs.status, plain.status);
    EXPECT_EQ(withArgs.out, plain.out);
    EXPECT_EQ(TraceLines(withArgs.err), TraceLines(plain.err));
}

TEST(LifecycleTest, ReportShowsTheTitledCentredWindow)
{
    const ProcessResult r = RunLauncher("report; key ESCAPE");
    EXPECT_NE(r.out.find("\"Orvane 설치 CD\""), std::string::npos) << r.out;
}

TEST(LifecycleTest, HelpKeyReachesTheApplicationsHelpHandler)
{
    const ProcessResult r = RunLauncher("key F1; key ESCAPE");
    ASSERT_TRUE(r.exited);
    const auto lines = TraceLines(r.err);
    EXPECT_GE(IndexOf(lines, "CWinApp::OnHelp"), 0) << r.err;
    EXPECT_NE(r.err.find("Failed to launch help."), std::string::npos) << r.err;
}

}  // namespace
