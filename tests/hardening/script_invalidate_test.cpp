// The session script's `invalidate X Y W H`: a paint of a small area, as an
// overlapping window uncovering part of the launcher would cause.
#include "launcher_session.h"

#include "platform/host/present/headless/script.h"

#include <climits>

namespace {

using host::headless::ParseScript;
using host::headless::RunScriptCommand;
using Verb = host::headless::ScriptCommand::Verb;

TEST(ScriptInvalidateTest, ParsesFourIntegersWithSizesNotNegative)
{
    const auto good = ParseScript("invalidate -3 2 10 0");
    ASSERT_EQ(good.error, "");
    ASSERT_EQ(good.commands.size(), 1u);
    const auto& c = good.commands[0];
    EXPECT_EQ(c.verb, Verb::Invalidate);
    EXPECT_EQ((std::vector<int>{c.x, c.y, c.width, c.height}), (std::vector<int>{-3, 2, 10, 0}));

    struct Case {
        const char* script;
        const char* error;
    };
    for (const Case& bad :
         {Case{"invalidate 1 2 3", "'invalidate' takes 4 arguments, got 3"},
          Case{"invalidate 1 2 -1 4", "sizes W H >= 0"}, Case{"invalidate 1 2 3 x", "'invalidate' needs integers"}}) {
        const auto parsed = ParseScript(bad.script);
        EXPECT_NE(parsed.error.find(bad.error), std::string::npos) << bad.script << " -> " << parsed.error;
        EXPECT_TRUE(parsed.commands.empty());
    }
}

TEST(ScriptInvalidateTest, MarksThatClientRectangleAndOnePaintFollows)
{
    auto run = [](const char* script) {
        const auto parsed = ParseScript(script);
        ASSERT_EQ(parsed.commands.size(), 1u) << parsed.error;
        EXPECT_TRUE(RunScriptCommand(parsed.commands[0])) << script << " queued nothing";
    };
    std::unique_ptr<MessageSpy> spy;
    LauncherSession session;
    session.Then([&] {
        spy = std::make_unique<MessageSpy>(LauncherSession::Window());
        run("invalidate 10 20 30 40");
        RECT r{};
        EXPECT_TRUE(::GetUpdateRect(LauncherSession::Window(), &r, FALSE));
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{10, 20, 40, 60}));
    });
    session.Then([&] {
        EXPECT_EQ(spy->Count(WM_PAINT), 1);
        EXPECT_FALSE(::GetUpdateRect(LauncherSession::Window(), nullptr, FALSE));
        // Far edges past INT_MAX are cut, not wrapped; nothing of it is in the client area.
        const auto far = ParseScript("invalidate 2147483647 2147483647 10 10");
        ASSERT_EQ(far.commands.size(), 1u);
        EXPECT_FALSE(RunScriptCommand(far.commands[0]));
        EXPECT_FALSE(::GetUpdateRect(LauncherSession::Window(), nullptr, FALSE));
        spy.reset();
        host::headless::Key(VK_ESCAPE);
    });
    session.Run();
}

}  // namespace
