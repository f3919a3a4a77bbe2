// ShellExecuteW in a temporary directory that is the current directory:
// programs start directly, documents go to the opener, names stay one
// argument, parameters are split as a Windows command line, missing files
// start nothing, and names are normalised and found whatever their case, as
// on Windows.
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
#include <vector>

namespace fs = std::filesystem;

namespace {

// Windows' error numbers the host's win32.h does not name.
constexpr DWORD kErrorPathNotFound = 3;
constexpr DWORD kErrorNoAssociation = 1155;

// The last error ShellExecuteW leaves with each of its failures.
DWORD LastErrorOf(INT_PTR failure)
{
    switch (failure) {
    case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF: return kErrorPathNotFound;
    case SE_ERR_NOASSOC: return kErrorNoAssociation;
    default: return 0;
    }
}

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
    EXPECT_EQ(GetLastError(), LastErrorOf(SE_ERR_FNF));
    EXPECT_EQ(Open(L".\\no-such-dir\\manual.pdf"), SE_ERR_PNF);
    EXPECT_EQ(GetLastError(), LastErrorOf(SE_ERR_PNF));
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
    Script(m_dir / "bin" / "xdg-open",
           "printf '%s\\n' \"$#\" \"$1\" > \"$PWD/args.txt\"; echo END >> \"$PWD/args.txt\"\n");
    const std::string name = "설명서 $(touch pwned);`x`.pdf";
    std::ofstream(m_dir / name) << "%PDF";
    EXPECT_GT(Open(L".\\설명서 $(touch pwned);`x`.pdf"), 32);
    EXPECT_EQ(WaitFor(m_dir / "args.txt"), "1\n" + (m_dir / name).string() + "\n");
    EXPECT_FALSE(fs::exists(m_dir / "pwned"));
}

// Parameters are split as Windows programs split their command line:
// white space separates, double quotes group, backslashes are literal
// except before a quote. No shell sees them.
TEST_F(ShellTest, ParametersAreSplitAsACommandLine)
{
    struct Case {
        const wchar_t* parameters;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {L"-x; rm -rf / $(touch pwned)", {"-x;", "rm", "-rf", "/", "$(touch", "pwned)"}},
        {L"  spaced\ttab  ", {"spaced", "tab"}},
        {L"\"a b\" c", {"a b", "c"}},
        {L"a\"b c\"d", {"ab cd"}},
        {L"C:\\dir\\ \\\\x", {"C:\\dir\\", "\\\\x"}},
        {L"\\\"q\\\"", {"\"q\""}},
        {L"\"end\\\\\" next", {"end\\", "next"}},
        {L"\"\" x", {"", "x"}},
        {L"\"in \"\"quotes\"\"\"", {"in \"quotes\""}},
        {L"\"unterminated two", {"unterminated two"}},
        {L"", {}},
    };
    Script(m_dir / "prog", "printf '%s\\n' \"$#\" \"$@\" > args.txt; echo END >> args.txt\n");
    for (const Case& c : cases) {
        fs::remove(m_dir / "args.txt");
        std::string want = std::to_string(c.args.size()) + "\n";
        for (const std::string& a : c.args) want += a + "\n";
        EXPECT_GT(Open(L"prog", c.parameters), 32);
        EXPECT_EQ(WaitFor(m_dir / "args.txt"), want) << testing::PrintToString(std::wstring(c.parameters));
    }
    EXPECT_FALSE(fs::exists(m_dir / "pwned"));
}

TEST_F(ShellTest, NoOpenerOrAnotherVerbMeansNoAssociation)
{
    std::ofstream(m_dir / "readme.txt") << "text";  // not executable, and no opener on PATH
    EXPECT_EQ(Open(L"readme.txt"), SE_ERR_NOASSOC);
    EXPECT_EQ(GetLastError(), kErrorNoAssociation);
    SetLastError(0);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"print", L"readme.txt", nullptr, nullptr, 1)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(GetLastError(), kErrorNoAssociation);
}

// A relative directory is taken once, against the current one, whatever its
// case: the program is found in it and started there.
TEST_F(ShellTest, TheDirectoryIsWhereTheProgramIsFoundAndStarts)
{
    fs::create_directories(m_dir / "Disk1" / "Tools");
    Script(m_dir / "Disk1" / "Tools" / "prog",
           "printf '%s\\n' \"$0\" \"$PWD\" > \"$PWD/where.txt\"; echo END >> \"$PWD/where.txt\"\n");
    const INT_PTR rc =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", L"Tools\\PROG", nullptr, L"disk1", SW_SHOWNORMAL));
    EXPECT_GT(rc, 32);
    const fs::path dir = m_dir / "Disk1";
    EXPECT_EQ(WaitFor(dir / "where.txt"), (dir / "Tools" / "prog").string() + "\n" + dir.string() + "\n");

    EXPECT_EQ(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", L"prog", nullptr, L"Disk2", SW_SHOWNORMAL)),
              SE_ERR_PNF);
    EXPECT_EQ(GetLastError(), kErrorPathNotFound);
}

// A folder's entries: "name*" a program, "name/" a directory, else a
// document. The request is opened from that folder, with `directory` as
// lpDirectory when there is one; %D in the request stands for the
// folder's absolute name. `target` is what then runs ("run:" and its path
// in the folder) or goes to the opener ("open:"), or nothing when it is
// empty and the call fails with `error` (and its last error).
struct CaseFixture {
    const char* label;
    std::vector<std::string> entries;
    const wchar_t* request;
    std::string target;
    INT_PTR error = 0;
    const wchar_t* directory = nullptr;  // lpDirectory
};

void PrintTo(const CaseFixture& c, std::ostream* os) { *os << c.label; }

const CaseFixture kCases[] = {
    {"Exact", {"Setup.exe*"}, L".\\Setup.exe", "run:Setup.exe"},
    {"Upper", {"SETUP.EXE*"}, L".\\Setup.exe", "run:SETUP.EXE"},
    {"Lower", {"setup.exe*"}, L".\\Setup.exe", "run:setup.exe"},
    {"Mixed", {"sEtUP.eXe*"}, L".\\Setup.exe", "run:sEtUP.eXe"},
    {"ExactAmongCaseTwins", {"SETUP.EXE*", "Setup.exe*", "setup.exe*"}, L".\\Setup.exe", "run:Setup.exe"},
    {"CaseTwinsFirstInByteOrder", {"setup.exe*", "SETUP.EXE*"}, L".\\Setup.exe", "run:SETUP.EXE"},
    {"Missing", {"Setup.ex*"}, L".\\Setup.exe", "", SE_ERR_FNF},
    {"MissingFolder", {"Disk1/"}, L".\\Disk2\\Setup.exe", "", SE_ERR_PNF},
    {"MissingInAFolderOfOtherCase", {"DISK1/"}, L".\\Disk1\\Setup.exe", "", SE_ERR_FNF},
    {"ProgramBeforeItsDirectoryTwin", {"setup.exe/", "SETUP.EXE*"}, L".\\Setup.exe", "run:SETUP.EXE"},
    {"ProgramBeforeAnExactDirectory", {"Setup.exe/", "SETUP.EXE*"}, L".\\Setup.exe", "run:SETUP.EXE"},
    // Windows' "open" on a folder shows the folder.
    {"DirectoryAloneGoesToTheOpener", {"SETUP.EXE/"}, L".\\Setup.exe", "open:SETUP.EXE"},
    {"Folders", {"DISK1/", "DISK1/SETUP.EXE*"}, L".\\disk1/Setup.exe", "run:DISK1/SETUP.EXE"},
    {"AFolderNotAFileOnTheWay", {"Disk1", "DISK1/", "DISK1/SETUP.EXE*"}, L".\\Disk1\\Setup.exe", "run:DISK1/SETUP.EXE"},
    {"Document", {"MANUAL.PDF"}, L".\\manual.pdf", "open:MANUAL.PDF"},
    {"LettersBeyondAscii", {"ÄRGER Ω 설치.EXE*"}, L".\\ärger ω 설치.exe", "run:ÄRGER Ω 설치.EXE"},
    // A Latin-1 byte on disk is not the letter that code point names.
    {"NamesNotInUtf8", {"\xC4RGER.EXE*"}, L".\\ärger.exe", "", SE_ERR_FNF},
    // Names are normalised as text before the file system is asked.
    {"DoubledSeparators", {"DISK1/", "DISK1/Setup.exe*"}, L".\\\\disk1//\\Setup.exe", "run:DISK1/Setup.exe"},
    {"DotDotOverAMissingFolder", {"Setup.exe*"}, L".\\nowhere\\..\\Setup.exe", "run:Setup.exe"},
    {"DotDotStopsAtTheRoot", {"Setup.exe*"}, L"\\..\\..\\..%D\\..\\..\\..%D\\Setup.exe", "run:Setup.exe"},
    {"TrailingDotsAndSpaces", {"Setup.exe*"}, L".\\Setup.exe. .  ", "run:Setup.exe"},
    {"APeriodEndingAFolder", {"DISK1/", "DISK1/SETUP.EXE*"}, L".\\Disk1.\\Setup.exe", "run:DISK1/SETUP.EXE"},
    {"ATrailingSeparatorOnAProgram", {"Setup.exe*"}, L".\\Setup.exe\\", "", SE_ERR_FNF},
    {"ATrailingSeparatorOnAFolder", {"Disk1/"}, L".\\disk1\\", "open:Disk1"},
    {"InARelativeDirectory", {"Disk1/", "Disk1/SETUP.EXE*"}, L"setup.exe", "run:Disk1/SETUP.EXE", 0, L"DISK1"},
    {"ADocumentInARelativeDirectory",
     {"Disk1/", "Disk1/MANUAL.PDF"},
     L"manual.pdf",
     "open:Disk1/MANUAL.PDF",
     0,
     L"Disk1"},
    {"ADirectoryEndingInASeparator",
     {"Disk1/", "Disk1/Setup.exe*"},
     L".\\Setup.exe",
     "run:Disk1/Setup.exe",
     0,
     L".\\disk1.\\"},
    {"AnAbsoluteNameBesideADirectory", {"Disk1/", "Setup.exe*"}, L"%D\\Setup.exe", "run:Setup.exe", 0, L"Disk1"},
};

class ShellCaseTest : public ShellSandbox<testing::TestWithParam<CaseFixture>> {
protected:
    // Each program, and the opener, logs what it was started as.
    void Populate(const std::vector<std::string>& entries)
    {
        const std::string log = " >> '" + (m_dir / "log").string() + "'\n";
        WriteScript(m_dir / "bin" / "xdg-open", "printf 'open:%s\\nEND\\n' \"$1\"" + log);
        for (const std::string& e : entries) {
            const fs::path p = m_dir / e.substr(0, e.size() - (e.ends_with('/') || e.ends_with('*')));
            if (e.ends_with('/')) fs::create_directory(p);
            else if (e.ends_with('*')) WriteScript(p, "printf 'run:%s\\nEND\\n' \"$0\"" + log);
            else std::ofstream(p) << "document";
        }
    }
};

TEST_P(ShellCaseTest, NamesAreFoundWhateverTheirCase)
{
    const CaseFixture& c = GetParam();
    Populate(c.entries);
    std::wstring request = c.request;
    for (std::size_t at; (at = request.find(L"%D")) != std::wstring::npos;) request.replace(at, 2, m_dir.wstring());
    const INT_PTR rc = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", request.c_str(), nullptr, c.directory, SW_SHOWNORMAL));
    if (c.target.empty()) {
        EXPECT_EQ(rc, c.error);
        EXPECT_EQ(GetLastError(), LastErrorOf(c.error));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(ReadText(m_dir / "log"), "");
        return;
    }
    EXPECT_GT(rc, 32);
    const std::size_t colon = c.target.find(':') + 1;
    const std::string want = c.target.substr(0, colon) + (m_dir / c.target.substr(colon)).string();
    EXPECT_EQ(WaitForEnd(m_dir / "log"), want + "\nEND\n");
}

INSTANTIATE_TEST_SUITE_P(Names, ShellCaseTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CaseFixture>& i) { return std::string(i.param.label); });

}  // namespace
