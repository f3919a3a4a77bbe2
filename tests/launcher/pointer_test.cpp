// The pointer: hover tracking, the actions of a press in the order they
// happen, real launches from the current directory, and the drag.
#include "launcher_session.h"

#include "process_runner.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Probe = CLauncherDialogProbe;

// What one press did, as the window and its default procedure saw it.
struct PressLog {
    std::vector<std::string> events;
};
PressLog* g_log = nullptr;
WNDPROC g_defaultProc = nullptr;

LRESULT CALLBACK LoggingDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_log && message == WM_LBUTTONDOWN) g_log->events.push_back("base handler");
    return ::CallWindowProcW(g_defaultProc, hwnd, message, wParam, lParam);
}

// A temporary current directory holding programs that write a marker.
class CdRoot {
public:
    CdRoot()
    {
        char tmpl[] = "/tmp/orvane-cd-XXXXXX";
        m_dir = mkdtemp(tmpl);
        m_previous = fs::current_path();
    }
    ~CdRoot()
    {
        fs::current_path(m_previous);
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    void AddMarkerProgram(const std::string& name)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path) << "#!/bin/sh\necho \"$0 $#\" >> \"" << (m_dir / (name + ".ran")).string() << "\"\n";
        fs::permissions(path, fs::perms::owner_all);
    }
    void Enter() { fs::current_path(m_dir); }
    // Lines the program `name` wrote, waiting up to `ms` for `expected` of them.
    int Runs(const std::string& name, int expected, int ms = 5000) const
    {
        int lines = 0;
        for (int waited = 0; waited <= ms; waited += 20) {
            std::ifstream in(m_dir / (name + ".ran"));
            lines = 0;
            for (std::string line; std::getline(in, line);) ++lines;
            if (lines >= expected) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return lines;
    }
    const fs::path& Dir() const { return m_dir; }

private:
    fs::path m_dir, m_previous;
};

struct PressCase {
    std::string name;
    int x, y;
    std::vector<std::string> events;  // in order
};

class PressTest : public testing::TestWithParam<PressCase> {};

// Each press goes through the real queue, as the presenter delivers it.
TEST_P(PressTest, EffectsInOrder)
{
    const PressCase& c = GetParam();
    CdRoot root;
    root.Enter();
    PressLog log;
    std::unique_ptr<MessageSpy> spy;
    LauncherSession session;
    // A point outside the client area reaches the window only while it holds
    // the capture; such a press is posted as the system would deliver it.
    bool inside = false;
    session.Then([&] {
        RECT client;
        ::GetClientRect(LauncherSession::Window(), &client);
        inside = PtInRect(&client, POINT{c.x, c.y});
        if (inside) LauncherSession::MoveTo(c.x, c.y);
    });
    session.Then([&] {
        COrvaneCDDlg* dlg = Probe::Dlg();
        g_defaultProc = Probe::HookDefault(dlg, &LoggingDefault);
        spy = std::make_unique<MessageSpy>(LauncherSession::Window());
        spy->onMessage = [&](const MSG& m) {
            if (m.message == WM_SIZE && m.wParam == SIZE_MINIMIZED) log.events.push_back("minimized");
            if (m.message == WM_NCLBUTTONDOWN && m.wParam == HTCAPTION) {
                log.events.push_back(std::string("caption press") + (::IsIconic(m.hwnd) ? " (iconic)" : ""));
                log.events.push_back("minimize hover " + std::to_string(Probe::Hover(Probe::Dlg())[HOVER_MINIMIZE]));
            }
        };
        Probe::Hover(dlg)[HOVER_MINIMIZE] = 1;  // as if the pointer were on it
        g_log = &log;
        if (inside) host::user::PressLeft();
        else
            ::PostMessageW(LauncherSession::Window(), WM_LBUTTONDOWN, MK_LBUTTON,
                           MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y)));
    });
    // Inside the move loop a caption press starts, or after the press.
    session.Then([] { host::user::ReleaseLeft(); });
    session.Then([&] {
        spy->onMessage = nullptr;
        g_log = nullptr;
        if (::IsIconic(LauncherSession::Window())) ::ShowWindow(LauncherSession::Window(), SW_RESTORE);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
    g_log = nullptr;
    EXPECT_EQ(log.events, c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Points, PressTest,
    testing::Values(
        PressCase{"CloseOriginColumnMoves", 268, 10, {"caption press", "minimize hover 1", "base handler"}},
        PressCase{"PastTheSetupEntry", 285, 95, {"base handler"}},
        PressCase{"Minimize", 250, 10, {"minimized", "caption press (iconic)", "minimize hover 0", "base handler"}},
        PressCase{"BetweenTheButtons", 267, 10, {"caption press", "minimize hover 1", "base handler"}},
        PressCase{"TopBand", 10, 10, {"caption press", "minimize hover 1", "base handler"}},
        PressCase{"ColumnZero", 0, 10, {"base handler"}}, PressCase{"RowZero", 10, 0, {"base handler"}},
        PressCase{"PastTheBand", 296, 10, {"base handler"}}, PressCase{"BelowTheBand", 10, 51, {"base handler"}},
        PressCase{"NegativeX", -3, 10, {"base handler"}}, PressCase{"NegativeY", 150, -95, {"base handler"}}),
    [](const testing::TestParamInfo<PressCase>& info) { return info.param.name; });

TEST(PointerTest, CloseButtonEndsTheProcessWithMinusOne)
{
    const ProcessResult r = RunLauncher("click 270 10");
    ASSERT_TRUE(r.exited) << r.err;
    EXPECT_EQ(r.status, 255);  // exit(-1): the low byte of -1
    const auto lines = TraceLines(r.err);
    EXPECT_GE(IndexOf(lines, "CWinApp::~CWinApp"), 0) << r.err;
    EXPECT_EQ(IndexOf(lines, "CDialog::~CDialog"), -1) << r.err;
    EXPECT_EQ(IndexOf(lines, "CDialog::EndDialog"), -1) << r.err;
    EXPECT_EQ(IndexOf(lines, "AfxWinMain: returns"), -1) << r.err;
}

int g_captionPresses = 0;

TEST(PointerTest, CloseButtonStartsNoMove)
{
    EXPECT_EXIT(
        {
            LauncherSession session;
            std::unique_ptr<MessageSpy> spy;
            session.Then([&] {
                spy = std::make_unique<MessageSpy>(LauncherSession::Window());
                spy->onMessage = [](const MSG& m) { g_captionPresses += m.message == WM_NCLBUTTONDOWN; };
                std::atexit([] { std::fprintf(stderr, "caption presses: %d\n", g_captionPresses); });
                LauncherSession::ClickAt(270, 10);
            });
            session.Run();
            std::_Exit(3);
        },
        testing::ExitedWithCode(255), "caption presses: 0");
}

struct EntryCase {
    std::string name;
    int x, y;
    std::string program;
};

class EntryLaunchTest : public testing::TestWithParam<EntryCase> {};

TEST_P(EntryLaunchTest, EachPressLaunchesOnceAndStartsNoMove)
{
    const EntryCase& c = GetParam();
    CdRoot root;
    root.AddMarkerProgram("Setup.exe");
    root.AddMarkerProgram("AdbeRdr70_kor.exe");
    // The manual is a document: the desktop's opener gets it. A stand-in
    // opener on PATH records what it was handed.
    root.AddMarkerProgram("xdg-open");
    std::ofstream(root.Dir() / "manual.pdf") << "%PDF-1.4\n";
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (root.Dir().string() + ":" + oldPath).c_str(), 1);
    root.Enter();

    std::unique_ptr<MessageSpy> spy;
    int hoverBefore[HOVER_COUNT] = {};
    LauncherSession session;
    session.Then([&] { LauncherSession::MoveTo(c.x, c.y); });
    session.Then([&] {
        spy = std::make_unique<MessageSpy>(LauncherSession::Window());
        for (int i = 0; i < HOVER_COUNT; ++i) hoverBefore[i] = Probe::Hover(Probe::Dlg())[i];
        LauncherSession::ClickAt(c.x, c.y);
    });
    session.Then([&] { LauncherSession::ClickAt(c.x, c.y); });
    session.Then([&] {
        EXPECT_EQ(spy->Count(WM_NCLBUTTONDOWN), 0);
        EXPECT_TRUE(::IsWindowVisible(LauncherSession::Window()));
        EXPECT_FALSE(::IsIconic(LauncherSession::Window()));
        for (int i = 0; i < HOVER_COUNT; ++i) EXPECT_EQ(Probe::Hover(Probe::Dlg())[i], hoverBefore[i]);
        spy.reset();
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
    setenv("PATH", oldPath.c_str(), 1);

    EXPECT_EQ(root.Runs(c.program, 2), 2);
    const char* others[] = {"Setup.exe", "AdbeRdr70_kor.exe", "xdg-open"};
    for (const char* other : others) {
        if (c.program != other) { EXPECT_EQ(root.Runs(other, 1, 200), 0) << other; }
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, EntryLaunchTest,
                         testing::Values(EntryCase{"Setup", 150, 95, "Setup.exe"},
                                         EntryCase{"Manual", 150, 150, "xdg-open"},
                                         EntryCase{"Reader", 150, 210, "AdbeRdr70_kor.exe"}),
                         [](const testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

TEST(PointerTest, MissingFilesChangeNothing)
{
    CdRoot root;  // empty: no Setup.exe, no manual, no reader installer
    root.Enter();
    LauncherSession session;
    session.Then([] { LauncherSession::ClickAt(150, 95); });
    session.Then([] { LauncherSession::ClickAt(150, 150); });
    session.Then([] { LauncherSession::ClickAt(150, 210); });
    session.Then([] {
        HWND hwnd = LauncherSession::Window();
        ASSERT_NE(hwnd, nullptr);
        EXPECT_TRUE(::IsWindowVisible(hwnd));
        EXPECT_FALSE(::IsIconic(hwnd));
        EXPECT_EQ(Probe::Hover(Probe::Dlg())[HOVER_READER], 1);
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    EXPECT_FALSE(session.Run());
    EXPECT_TRUE(fs::is_empty(root.Dir()));
}

struct MoveCase {
    std::string name;
    int x, y;
    int hover[HOVER_COUNT];  // minimize, close, setup, manual, reader
};

class MoveTest : public testing::TestWithParam<MoveCase> {};

TEST_P(MoveTest, WritesAllFiveStatesAndInvalidatesTheWholeClientArea)
{
    const MoveCase& c = GetParam();
    LauncherSession session;
    session.Then([&] {
        HWND hwnd = LauncherSession::Window();
        for (int preset : {0, 1}) {
            for (int i = 0; i < HOVER_COUNT; ++i) Probe::Hover(Probe::Dlg())[i] = preset;
            ::ValidateRect(hwnd, nullptr);
            ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
            for (int i = 0; i < HOVER_COUNT; ++i)
                EXPECT_EQ(Probe::Hover(Probe::Dlg())[i], c.hover[i]) << "state " << i << " preset " << preset;
            RECT update, client;
            ASSERT_TRUE(::GetUpdateRect(hwnd, &update, FALSE));
            ::GetClientRect(hwnd, &client);
            EXPECT_EQ(update.left, client.left);
            EXPECT_EQ(update.top, client.top);
            EXPECT_EQ(update.right, client.right);
            EXPECT_EQ(update.bottom, client.bottom);
        }
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

INSTANTIATE_TEST_SUITE_P(
    Points, MoveTest,
    testing::Values(MoveCase{"Close", 270, 10, {0, 1, 0, 0, 0}}, MoveCase{"Minimize", 250, 10, {1, 0, 0, 0, 0}},
                    MoveCase{"Setup", 150, 95, {0, 0, 1, 0, 0}}, MoveCase{"Manual", 150, 150, {0, 0, 0, 1, 0}},
                    MoveCase{"Reader", 150, 210, {0, 0, 0, 0, 1}}, MoveCase{"Nowhere", 10, 10, {0, 0, 0, 0, 0}},
                    MoveCase{"CloseOrigin", 268, 5, {0, 0, 0, 0, 0}}, MoveCase{"Negative", -150, 95, {0, 0, 0, 0, 0}}),
    [](const testing::TestParamInfo<MoveCase>& info) { return info.param.name; });

TEST(PointerTest, MovesRepaintWithoutErasing)
{
    std::unique_ptr<MessageSpy> spy;
    LauncherSession session;
    session.Then([&] {
        spy = std::make_unique<MessageSpy>(LauncherSession::Window());
        LauncherSession::MoveTo(150, 95);
    });
    session.Then([&] { LauncherSession::MoveTo(151, 96); });  // same hot spot: still a repaint
    session.Then([&] {
        EXPECT_EQ(spy->Count(WM_PAINT), 2);
        EXPECT_EQ(spy->Count(WM_ERASEBKGND), 0);
        spy.reset();
    });
    session.Then([] { host::headless::Key(VK_ESCAPE); });
    session.Run();
}

TEST(PointerTest, HotSpotStaysHighlightedWhenThePointerLeavesTheWindowFromIt)
{
    LauncherSession session;
    session.Then([] { LauncherSession::MoveTo(150, 95); });
    session.Then([] {
        // Straight off the window's right edge, onto the empty desktop.
        const POINT pt = LauncherSession::ToScreen(400, 95);
        host::headless::MovePointer(pt.x, pt.y);
    });
    session.Then([] {
        EXPECT_EQ(Probe::Hover(Probe::Dlg())[HOVER_SETUP], 1);
        host::headless::Key(VK_ESCAPE);
    });
    session.Run();
}

TEST(PointerTest, DragFromTheTopBandMovesTheWindowByThePointersOffset)
{
    RECT before{}, after{};
    LauncherSession session;
    session.Then([&] {
        ::GetWindowRect(LauncherSession::Window(), &before);
        LauncherSession::MoveTo(10, 10);
    });
    session.Then([] { host::user::PressLeft(); });
    // The next steps run inside the move loop that the press started.
    session.Then([] {
        const POINT p = host::user::PointerPos();
        host::headless::MovePointer(p.x + 17, p.y + 9);
    });
    session.Then([] {
        const POINT p = host::user::PointerPos();
        host::headless::MovePointer(p.x + 13, p.y + 11);
    });
    session.Then([] { host::user::ReleaseLeft(); });
    session.Then([&] {
        ::GetWindowRect(LauncherSession::Window(), &after);
        host::headless::Key(VK_ESCAPE);
    });
    session.Run();
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

}  // namespace
