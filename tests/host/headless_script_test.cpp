// Session scripts: parsing (with clear errors), what commands do, and how a
// scripted session ends.
#include "user_fixture.h"

#include "platform/host/present/headless/script.h"

#include <cstdlib>

using namespace usertest;
using host::headless::ParseScript;
using Verb = host::headless::ScriptCommand::Verb;

namespace {

TEST(ScriptParse, BadScriptsSayWhichCommandAndWhatIsWrong)
{
    struct Case {
        const char* script;
        const char* error;
    };
    for (const Case& c : {
             Case{"mvoe 1 2", "command 1 \"mvoe 1 2\": unknown command 'mvoe'"},
             Case{"press; move 1", "command 2 \" move 1\": 'move' takes 2 arguments, got 1"},
             Case{"click a 3", "command 1 \"click a 3\": 'click' needs integer coordinates, got 'a' '3'"},
             Case{"key F13", "unknown key 'F13'"},
             Case{"key", "'key' takes 1 argument, got 0"},
             Case{"report now", "'report' takes 0 arguments, got 1"},
             Case{"repeat 0 press", "'repeat' needs a count from 1 to 100000, got '0'"},
             Case{"repeat 3", "'repeat' takes a count and a command"},
             Case{"repeat 2 jump", "unknown command 'jump'"},
             Case{"sleep -5", "'sleep' needs milliseconds from 0 to 60000, got '-5'"},
             Case{"# fine\n\npress\nbogus", "command 2 \"bogus\": unknown command 'bogus'"},
         }) {
        auto parsed = ParseScript(c.script);
        EXPECT_NE(parsed.error.find(c.error), std::string::npos) << c.script << " -> " << parsed.error;
        EXPECT_TRUE(parsed.commands.empty()) << c.script;
    }
}

TEST(ScriptParse, GoodScriptsExpandRepeatsAndKeepOrder)
{
    auto parsed = ParseScript("move 1 -2; smove 3 4\nclick 5 6;;key RETURN\n# note\nrepeat 3 press;"
                              "altf4;close;minimize;restore;report;snapshot /tmp/x.ppm;sleep 7;key F1;key a");
    ASSERT_EQ(parsed.error, "");
    std::vector<Verb> verbs;
    for (const auto& c : parsed.commands) verbs.push_back(c.verb);
    EXPECT_EQ(verbs, (std::vector<Verb>{Verb::Move, Verb::ScreenMove, Verb::Click, Verb::Key, Verb::Press, Verb::Press,
                                        Verb::Press, Verb::AltF4, Verb::Close, Verb::Minimize, Verb::Restore,
                                        Verb::Report, Verb::Snapshot, Verb::Sleep, Verb::Key, Verb::Key}));
    EXPECT_EQ(parsed.commands[0].y, -2);
    EXPECT_EQ(parsed.commands[3].vk, VK_RETURN);
    EXPECT_EQ(parsed.commands[12].path, "/tmp/x.ppm");
    EXPECT_EQ(parsed.commands[13].milliseconds, 7);
    EXPECT_EQ(parsed.commands[14].vk, VK_F1);
    EXPECT_EQ(parsed.commands[15].vk, 'A');
    EXPECT_EQ(ParseScript("key escape").commands[0].vk, VK_ESCAPE);
}

class ScriptRun : public UserTest {};

TEST_F(ScriptRun, MovesAreRelativeToTheFirstVisibleWindowAndReportDescribesIt)
{
    EXPECT_EQ(host::headless::ReportLine(), "window none");
    HWND dlg = MakeDialog(DialogBytes(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10));
    MoveWindow(dlg, 100, 200, 50, 40, FALSE);
    SetWindowTextW(dlg, L"Orvane \"설치\" CD");
    Pump();
    auto parsed = ParseScript("move 5 3; move 5 -3");
    EXPECT_TRUE(host::headless::RunScriptCommand(parsed.commands[0]));  // a move over the window
    Pump();
    EXPECT_FALSE(host::headless::RunScriptCommand(parsed.commands[1]));  // over nothing: nothing queued
    EXPECT_EQ(host::user::PointerPos().x, 105);
    EXPECT_EQ(host::user::PointerPos().y, 197);
    EXPECT_EQ(host::headless::ReportLine(), "window 100 200 50 40 1 0 \"Orvane \\\"설치\\\" CD\"");

    ShowWindow(dlg, SW_MINIMIZE);
    EXPECT_EQ(host::headless::ReportLine(), "window 100 200 32 32 1 1 \"Orvane \\\"설치\\\" CD\"");
    EXPECT_FALSE(host::headless::RunScriptCommand(ParseScript("report").commands[0]));
}

TEST_F(ScriptRun, ASessionEndsWhenTheScriptIsUsedUp)
{
    EXPECT_EXIT(
        {
            setenv("ORVANE_HEADLESS_SCRIPT", "report; key ESCAPE; report", 1);
            HWND dlg = MakeDialog(DialogBytes(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10));
            (void)dlg;
            MSG m;
            while (GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
        },
        ::testing::ExitedWithCode(124), "headless: script ended with the window still open");
}

TEST_F(ScriptRun, ABadScriptStopsTheSessionBeforeAnyCommand)
{
    EXPECT_EXIT(
        {
            setenv("ORVANE_HEADLESS_SCRIPT", "report; fly away", 1);
            MakeDialog(DialogBytes(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10));
            MSG m;
            while (GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
        },
        ::testing::ExitedWithCode(2), "headless script: command 2 \" fly away\": unknown command 'fly'");
}

}  // namespace
