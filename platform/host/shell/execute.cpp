// ShellExecuteW "open": programs are started directly and documents handed
// to the desktop's opener, always as one argument each, never through a
// command interpreter. Nothing waits for what it starts; finished children
// are reaped by pid on each call and whenever the UI thread idles. Names
// are found as on Windows: '\' or '/' between components, case ignored.
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

// Windows separators become '/', leading "./" goes, and a relative name is
// taken against `base` (the given directory, else the current one).
std::string Resolve(const std::string& file, const std::string& base)
{
    std::string p = file;
    std::replace(p.begin(), p.end(), '\\', '/');
    while (p.starts_with("./")) p.erase(0, 2);
    if (!p.empty() && p[0] == '/') return p;
    std::string dir = base;
    if (dir.empty()) {
        std::vector<char> buf(4096);
        if (!getcwd(buf.data(), buf.size())) return p;
        dir = buf.data();
    }
    if (!dir.empty() && dir.back() != '/') dir.push_back('/');
    return dir + p;
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
    if (!file || !*file) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return Result(SE_ERR_FNF);
    }
    if (!IsOpenVerb(operation)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return Result(SE_ERR_NOASSOC);
    }

    std::string dir;
    if (directory && *directory) {
        dir = host::Utf8FromWide(directory);
        std::replace(dir.begin(), dir.end(), '\\', '/');
    }
    std::string path = FindIgnoringCase(Resolve(host::Utf8FromWide(file), dir));
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        std::string parent = path.substr(0, path.find_last_of('/') + 1);
        struct stat pst;
        bool parentMissing = !parent.empty() && stat(parent.c_str(), &pst) != 0;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return Result(parentMissing ? SE_ERR_PNF : SE_ERR_FNF);
    }

    std::vector<std::string> args{path};
    if (parameters && *parameters) args.push_back(host::Utf8FromWide(parameters));
    if (S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0 && Spawn(path.c_str(), false, args, dir))
        return Result(42);
    // Not a program this system can run (a document, or an executable in a
    // foreign format): the desktop's opener decides.
    if (Spawn("xdg-open", true, {"xdg-open", path}, dir)) return Result(42);
    SetLastError(ERROR_FILE_NOT_FOUND);
    return Result(SE_ERR_NOASSOC);
}
