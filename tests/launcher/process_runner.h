// Runs the launcher executable as its own process on the headless presenter,
// with a script of user input and lifecycle tracing, and collects what it
// printed and how it ended.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

struct ProcessResult {
    bool exited = false;
    int status = -1;  // exit status (0..255) when exited
    std::string out, err;
};

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs `exe` with `args` in `cwd`, the headless script `script` and tracing on.
inline ProcessResult RunLauncher(const std::string& script, std::vector<std::string> args = {},
                                 const std::string& cwd = "", const std::string& exe = ORVANE_EXE)
{
    char dirTemplate[] = "/tmp/orvane-run-XXXXXX";
    const std::string dir = mkdtemp(dirTemplate);
    const std::string outPath = dir + "/out", errPath = dir + "/err";

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string kv = *e;
        if (kv.rfind("ORVANE_", 0) == 0) continue;
        env.push_back(kv);
    }
    env.push_back("ORVANE_PRESENTER=headless");
    env.push_back("ORVANE_TRACE=1");
    env.push_back("ORVANE_HEADLESS_SCRIPT=" + script);

    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& kv : env) envp.push_back(kv.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());

    ProcessResult result;
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        ADD_FAILURE() << "cannot start " << exe;
        return result;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.exited = WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : -1;
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    rmdir(dir.c_str());
    return result;
}

// The trace lines ("trace: ...") in the order they were written.
inline std::vector<std::string> TraceLines(const std::string& err)
{
    std::vector<std::string> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("trace: ", 0) == 0) lines.push_back(line.substr(7));
    }
    return lines;
}

// Index of the first line starting with `prefix`, or -1.
inline int IndexOf(const std::vector<std::string>& lines, const std::string& prefix)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
    }
    return -1;
}
