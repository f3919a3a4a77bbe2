// Whole-process figures of the host launcher on the headless presenter:
//
//   first frame   from just before the process is spawned to the moment its
//                 first `report` line arrives. The script's first command runs
//                 at the first idle, when the window and its label have
//                 finished painting, so this is start to first finished frame
//                 (process creation, loading, static initialisation, the
//                 dialog, the bitmaps, the first paint).
//   peak memory   the maximum resident set size of a whole session (hovers
//                 over every hot spot, a drag of the window, minimize and
//                 restore, then Escape), from wait4's rusage.
//
// usage: session_figures EXE [RUNS]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kFirstFrameScript = "report; key ESCAPE";
constexpr const char* kSessionScript =
    "report;"
    "move 250 10; move 270 10; move 150 90; move 150 150; move 150 205; move 150 250;"
    "move 150 30; press; move 180 40; move 200 45; release;"
    "minimize; restore;"
    "move 150 150; move 10 10;"
    "key ESCAPE";

struct Run {
    bool ok = false;
    double firstLineMs = 0;
    long maxRssKib = 0;
    double cpuMs = 0;  // user + system, the whole run
};

// With a null script the program is not the launcher: the figure is the
// time until its output closes (it ended), for the floor of a process start.
Run Spawn(const char* exe, const char* script)
{
    Run run;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "ORVANE_", 7) == 0) continue;
        env.emplace_back(*e);
    }
    env.emplace_back("ORVANE_PRESENTER=headless");
    if (script) env.emplace_back(std::string("ORVANE_HEADLESS_SCRIPT=") + script);
    std::vector<char*> envp;
    for (auto& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    char* argv[] = {const_cast<char*>(exe), nullptr};

    const auto t0 = Clock::now();
    pid_t pid;
    const int rc = posix_spawn(&pid, exe, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        std::fprintf(stderr, "session_figures: cannot start %s: %s\n", exe, std::strerror(rc));
        return run;
    }

    bool seenLine = false;
    std::string firstLine;
    char buf[4096];
    for (;;) {
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n <= 0) break;
        for (ssize_t i = 0; i < n && !seenLine; ++i) {
            if (buf[i] == '\n') {
                seenLine = true;
                run.firstLineMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
            } else {
                firstLine.push_back(buf[i]);
            }
        }
    }
    if (!script) run.firstLineMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    close(out[0]);

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.maxRssKib = usage.ru_maxrss;
    run.cpuMs =
        (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    if (!script) {
        run.ok = WIFEXITED(status);
        return run;
    }
    // The exit code is the base ExitInstance's (the last message's wParam);
    // 124 is a session that never ended, 2 a script that did not parse.
    run.ok = seenLine && WIFEXITED(status) && WEXITSTATUS(status) != 124 && WEXITSTATUS(status) != 2 &&
             firstLine.rfind("window ", 0) == 0 && firstLine != "window none";
    if (!run.ok)
        std::fprintf(stderr, "session_figures: run failed (status %d, first line \"%s\")\n", status, firstLine.c_str());
    return run;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: session_figures EXE [RUNS]\n");
        return 2;
    }
    const char* exe = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    Spawn(exe, kFirstFrameScript);  // warm the page cache once; not counted

    std::vector<double> floorMs, firstFrame, firstFrameRss, firstFrameCpu, sessionRss;
    for (int i = 0; i < runs; ++i) {
        const Run a = Spawn(exe, kFirstFrameScript);
        const Run b = Spawn(exe, kSessionScript);
        const Run c = Spawn("/bin/true", nullptr);
        if (!a.ok || !b.ok || !c.ok) return 1;
        floorMs.push_back(c.firstLineMs);
        firstFrame.push_back(a.firstLineMs);
        firstFrameRss.push_back(static_cast<double>(a.maxRssKib));
        firstFrameCpu.push_back(a.cpuMs);
        sessionRss.push_back(static_cast<double>(b.maxRssKib));
    }
    auto [ffMin, ffMax] = std::minmax_element(firstFrame.begin(), firstFrame.end());
    std::printf("runs %d\n", runs);
    std::printf("first_frame_ms median %.2f min %.2f max %.2f\n", Median(firstFrame), *ffMin, *ffMax);
    std::printf("process_floor_ms median %.2f (/bin/true, spawn to exit)\n", Median(floorMs));
    std::printf("start_and_escape_cpu_ms median %.2f\n", Median(firstFrameCpu));
    std::printf("peak_rss_kib session median %.0f max %.0f; start-and-escape median %.0f\n", Median(sessionRss),
                *std::max_element(sessionRss.begin(), sessionRss.end()), Median(firstFrameRss));
    return 0;
}
