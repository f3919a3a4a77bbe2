// ShellExecuteW in a temporary directory that is the current directory:
// programs start directly, documents go to the opener, names stay one
// argument, and missing files start nothing.
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

class ShellTest : public ShellSandbox<> {
protected:
    void Script(const fs::path& p, const std::string& body) { WriteScript(p, body); }
    // Waits up to five seconds for `p` to hold a complete record (ends in
    // "END"), and gives it without that line.
    std::string WaitFor(const fs::path& p)
    {
        std::string s = WaitForEnd(p);
        return s.ends_with("END\n") ? s.substr(0, s.size() - 4) : s;
    }
    static INT_PTR Open(LPCWSTR file, LPCWSTR params = nullptr)
    {
        return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", file, params, nullptr, SW_SHOWNORMAL));
    }
};

TEST_F(ShellTest, AnExecutableInTheCurrentDirectoryStarts)
{
    Script(m_dir / "Setup.exe", "echo ran > marker\necho END >> marker\n");
    EXPECT_GT(Open(L".\\Setup.exe"), 32);
    EXPECT_EQ(WaitFor(m_dir / "marker"), "ran\n");
}

TEST_F(ShellTest, AMissingFileStartsNothing)
{
    Script(m_dir / "bin" / "xdg-open", "echo opened > \"$PWD/opened\"\n");
    EXPECT_EQ(Open(L".\\missing.exe"), SE_ERR_FNF);
    EXPECT_EQ(Open(L".\\no-such-dir\\manual.pdf"), SE_ERR_PNF);
    EXPECT_EQ(Open(nullptr), SE_ERR_FNF);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(fs::exists(m_dir / "opened"));
}

TEST_F(ShellTest, NamesReachTheProgramAsOneUnchangedArgument)
{
    const std::string name = "a b \"q\" 'x'; $(touch pwned) `touch pwned2` & |.exe";
    Script(m_dir / name, "printf '%s\\n' \"$0\" \"$#\" > args.txt; echo END >> args.txt\n");
    std::wstring wide(name.begin(), name.end());
    EXPECT_GT(Open((L".\\" + wide).c_str()), 32);
    EXPECT_EQ(WaitFor(m_dir / "args.txt"), (m_dir / name).string() + "\n0\n");
    EXPECT_FALSE(fs::exists(m_dir / "pwned"));
    EXPECT_FALSE(fs::exists(m_dir / "pwned2"));
}

TEST_F(ShellTest, DocumentsGoToTheOpenerAsOneArgument)
{
    Script(m_dir / "bin" / "xdg-open", "printf '%s\\n' \"$#\" \"$1\" > \"$PWD/args.txt\"; echo END >> \"$PWD/args.txt\"\n");
    const std::string name = "설명서 $(touch pwned);`x`.pdf";
    std::ofstream(m_dir / name) << "%PDF";
    EXPECT_GT(Open(L".\\설명서 $(touch pwned);`x`.pdf"), 32);
    EXPECT_EQ(WaitFor(m_dir / "args.txt"), "1\n" + (m_dir / name).string() + "\n");
    EXPECT_FALSE(fs::exists(m_dir / "pwned"));
}

TEST_F(ShellTest, ParametersAreOneExtraArgumentAndNoOpenerMeansNoAssociation)
{
    Script(m_dir / "prog", "printf '%s\\n' \"$#\" \"$1\" > args.txt; echo END >> args.txt\n");
    EXPECT_GT(Open(L"prog", L"-x; rm -rf /"), 32);
    EXPECT_EQ(WaitFor(m_dir / "args.txt"), "1\n-x; rm -rf /\n");

    std::ofstream(m_dir / "readme.txt") << "text";  // not executable, and no opener on PATH
    EXPECT_EQ(Open(L"readme.txt"), SE_ERR_NOASSOC);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"print", L"readme.txt", nullptr, nullptr, 1)),
              SE_ERR_NOASSOC);
}

}  // namespace
