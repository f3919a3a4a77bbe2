// Hostile file names through ShellExecuteW: each reaches the spy (the
// program itself, or the document opener) as one unchanged argument, the
// spy runs exactly once, and no canary that a shell reading the name would
// create ever appears.
#include "platform/host/res/format.h"
#include "base/utf.h"
#include "platform/host/win32.h"

#include "shell_sandbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Name {
    const char* label;
    const char* text;  // without the directory; never a '/' or NUL
};

// Every canary is named canary*, in the current directory.
const Name kNames[] = {
    {"Spaces", "my setup file.exe"},
    {"DoubleQuotes", "\"quoted\" name.exe"},
    {"SingleQuotes", "it's 'here'.exe"},
    {"Semicolon", "a; touch canary1; b.exe"},
    {"CommandSubstitution", "$(touch canary2).exe"},
    {"Backquotes", "`touch canary3`.exe"},
    {"AndOrPipe", "x && touch canary4 || touch canary5 | tee canary6.exe"},
    {"Redirection", "x > canary7 < y.exe"},
    {"Newline", "line\ntouch canary8.exe"},
    {"VariablesAndGlob", "$HOME ${PATH} * ?.exe"},
    {"Hangul", "설치 $(touch canary9) 파일.exe"},
};

void PrintTo(const Name& n, std::ostream* os) { *os << n.label; }

class ShellNamesTest : public ShellSandbox<testing::TestWithParam<Name>> {
protected:
    // A spy that appends its argument count and arguments ($0 first) to the
    // log, then a line "END".
    void Spy(const fs::path& p)
    {
        WriteScript(p, "{ echo \"$#\"; printf '[%s]\\n' \"$0\" \"$@\"; echo END; } >> '" + (m_dir / "log").string() +
                           "'\n");
    }
    std::string WaitForLog()
    {
        if (WaitForEnd(m_dir / "log") == "<nothing>") return "<nothing>";
        // Long enough for anything else that was started to show.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return ReadText(m_dir / "log");
    }
    std::vector<std::string> Canaries() const
    {
        std::vector<std::string> found;
        for (const auto& e : fs::recursive_directory_iterator(m_dir))
            if (e.path().filename().string().starts_with("canary")) found.push_back(e.path().string());
        return found;
    }
    static INT_PTR Open(const std::string& utf8Name)
    {
        const std::wstring wide = L".\\" + host::ToWide(host::FromUtf8(utf8Name));
        return reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    }
};

TEST_P(ShellNamesTest, AProgramGetsItsOwnNameAsArgvZeroAndNothingElseRuns)
{
    const std::string name = GetParam().text;
    Spy(m_dir / name);
    ASSERT_GT(Open(name), 32);
    EXPECT_EQ(WaitForLog(), "0\n[" + (m_dir / name).string() + "]\nEND\n");
    EXPECT_EQ(Canaries(), std::vector<std::string>{});
}

TEST_P(ShellNamesTest, ADocumentReachesTheOpenerAsItsOneArgumentAndNothingElseRuns)
{
    const std::string name = std::string(GetParam().text) + ".pdf";
    std::ofstream(m_dir / name) << "%PDF";
    Spy(m_dir / "bin" / "xdg-open");
    ASSERT_GT(Open(name), 32);
    EXPECT_EQ(WaitForLog(),
              "1\n[" + (m_dir / "bin" / "xdg-open").string() + "]\n[" + (m_dir / name).string() + "]\nEND\n");
    EXPECT_EQ(Canaries(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Hostile, ShellNamesTest, testing::ValuesIn(kNames),
                         [](const testing::TestParamInfo<Name>& info) { return std::string(info.param.label); });

}  // namespace
