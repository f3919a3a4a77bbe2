// ShellExecuteW "open": programs are started directly and documents handed
// to the desktop's opener, the name always as one argument, never through a
// command interpreter; parameters are split as a Windows command line.
// Nothing waits for what it starts; finished children are reaped by pid on
// each call and whenever the UI thread idles. Names are found as on
// Windows: normalised as text first ('\' or '/' between components, ".."
// and trailing periods resolved), then matched ignoring case.
#include "shell/command_line.h"
#include "shell/full_name.h"
#include "shell/names.h"
#include "shell/shell.h"
#include "base/utf.h"
#include "win32.h"

#include <algorithm>
#include <cerrno>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace host::shell {
namespace {

std::vector<pid_t>& Children()
{
    static std::vector<pid_t> pids;
    return pids;
}

bool IsOpenVerb(LPCWSTR op)
{
    if (!op || !*op) return true;
    std::wstring s(op);
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c + 32 : c; });
    return s == L"open";
}

std::string CurrentDirectory()
{
    std::vector<char> buf(4096);
    return getcwd(buf.data(), buf.size()) ? std::string(buf.data()) : std::string();
}

bool Spawn(const char* program, bool searchPath, const std::vector<std::string>& args, const std::string& dir)
{
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    pid_t pid = 0;
    int rc = searchPath ? posix_spawnp(&pid, program, &actions, nullptr, argv.data(), environ)
                        : posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    Children().push_back(pid);
    return true;
}

HINSTANCE Result(int code) { return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(code)); }

// Error numbers the host's win32.h does not name.
constexpr DWORD kErrorPathNotFound = 3;
constexpr DWORD kErrorNoAssociation = 1155;

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

HINSTANCE Fail(int code, DWORD error)
{
    SetLastError(error);
    return Result(code);
}

// Where the name leads, as a failure when it leads nowhere: SE_ERR_PNF
// when the folder that would hold it does not exist either. A name that
// ends in a separator names a directory; on a file it fails as a missing
// file (Windows fails it too; which error it then gives we have not found
// documented).
HINSTANCE Locate(const std::string& name, const std::string& base, std::string* path, struct stat* st)
{
    const bool directory = EndsInSeparator(name);
    *path = FindIgnoringCase(FullName(name, base), directory);
    if (stat(path->c_str(), st) == 0) {
        if (directory && !S_ISDIR(st->st_mode)) return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    const std::string parent = path->substr(0, std::max<std::size_t>(path->find_last_of('/'), 1));
    if (!IsDirectory(parent)) return Fail(SE_ERR_PNF, kErrorPathNotFound);
    return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
}

}  // namespace

void ReapChildren()
{
    std::erase_if(Children(), [](pid_t pid) {
        int status;
        pid_t r = waitpid(pid, &status, WNOHANG);
        return r == pid || (r < 0 && errno == ECHILD);
    });
}

bool ChildrenPending() { return !Children().empty(); }

}  // namespace host::shell

HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT showCmd)
{
    using namespace host::shell;
    (void)hwnd;
    (void)showCmd;
    if (!file || !*file) return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
    if (!IsOpenVerb(operation)) return Fail(SE_ERR_NOASSOC, kErrorNoAssociation);

    // lpDirectory is taken against the current directory, once: the file
    // is found in it, and what is started starts there. One that does not
    // exist fails as a missing path (our choice: Windows does not say).
    const std::string cwd = CurrentDirectory();
    if (cwd.empty()) return Fail(SE_ERR_PNF, kErrorPathNotFound);  // the current directory is gone
    std::string dir;
    if (directory && *directory) {
        dir = FindIgnoringCase(FullName(host::Utf8FromWide(directory), cwd), true);
        if (!IsDirectory(dir)) return Fail(SE_ERR_PNF, kErrorPathNotFound);
    }
    std::string path;
    struct stat st;
    if (HINSTANCE failure = Locate(host::Utf8FromWide(file), dir.empty() ? cwd : dir, &path, &st)) return failure;

    std::vector<std::string> args{path};
    if (parameters && *parameters)
        for (std::string& a : SplitCommandLine(host::Utf8FromWide(parameters))) args.push_back(std::move(a));
    if (S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0 && Spawn(path.c_str(), false, args, dir))
        return Result(42);
    // Not a program this system can run (a document, or an executable in a
    // foreign format): the desktop's opener decides. Parameters are a
    // program's; a document's opener gets none.
    if (Spawn("xdg-open", true, {"xdg-open", path}, dir)) return Result(42);
    return Fail(SE_ERR_NOASSOC, kErrorNoAssociation);
}
