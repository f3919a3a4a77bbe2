// Session scripts for the headless presenter (grammar in headless_script.h).
#include "present/headless/script.h"

#include "present/headless/headless.h"
#include "res/format.h"
#include "user/internal.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace host::headless {
namespace {

using Verb = ScriptCommand::Verb;

struct Runner {
    std::vector<ScriptCommand> commands;
    std::size_t next = 0;
};

Runner& R()
{
    static Runner r;
    return r;
}

std::vector<std::string_view> Words(std::string_view s)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r')) ++i;
        std::size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r') ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

bool Int(std::string_view w, int* out)
{
    auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), *out);
    return ec == std::errc{} && end == w.data() + w.size();
}

int KeyCode(std::string_view given)
{
    std::string upper(given);
    for (char& ch : upper)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
    std::string_view name = upper;
    static const struct { const char* name; int vk; } kKeys[] = {
        {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"ESC", VK_ESCAPE},
        {"TAB", VK_TAB}, {"SPACE", VK_SPACE}, {"BACK", VK_BACK}, {"LEFT", VK_LEFT}, {"UP", VK_UP},
        {"RIGHT", VK_RIGHT}, {"DOWN", VK_DOWN}, {"SHIFT", VK_SHIFT}, {"CONTROL", VK_CONTROL},
        {"ALT", VK_MENU},
    };
    for (const auto& k : kKeys)
        if (name == k.name) return k.vk;
    if (name.size() >= 2 && name[0] == 'F') {
        int n;
        if (Int(name.substr(1), &n) && n >= 1 && n <= 12) return VK_F1 + n - 1;
    }
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return name[0];
    return 0;
}

// Parses the words of one command into `out` (repeat expands). Returns an
// error text, empty on success.
std::string ParseWords(const std::vector<std::string_view>& w, std::size_t at, std::vector<ScriptCommand>* out)
{
    std::string_view verb = w[at];
    std::size_t argc = w.size() - at - 1;
    auto need = [&](std::size_t n) -> std::string {
        if (argc == n) return {};
        return "'" + std::string(verb) + "' takes " + std::to_string(n) + " argument" + (n == 1 ? "" : "s") +
               ", got " + std::to_string(argc);
    };
    auto point = [&](Verb v) -> std::string {
        if (auto e = need(2); !e.empty()) return e;
        ScriptCommand c;
        c.verb = v;
        if (!Int(w[at + 1], &c.x) || !Int(w[at + 2], &c.y))
            return "'" + std::string(verb) + "' needs integer coordinates, got '" + std::string(w[at + 1]) +
                   "' '" + std::string(w[at + 2]) + "'";
        out->push_back(c);
        return {};
    };
    auto plain = [&](Verb v) -> std::string {
        if (auto e = need(0); !e.empty()) return e;
        ScriptCommand c;
        c.verb = v;
        out->push_back(c);
        return {};
    };
    if (verb == "move") return point(Verb::Move);
    if (verb == "smove") return point(Verb::ScreenMove);
    if (verb == "click") return point(Verb::Click);
    if (verb == "press") return plain(Verb::Press);
    if (verb == "release") return plain(Verb::Release);
    if (verb == "altf4") return plain(Verb::AltF4);
    if (verb == "close") return plain(Verb::Close);
    if (verb == "minimize") return plain(Verb::Minimize);
    if (verb == "restore") return plain(Verb::Restore);
    if (verb == "report") return plain(Verb::Report);
    if (verb == "key") {
        if (auto e = need(1); !e.empty()) return e;
        ScriptCommand c;
        c.verb = Verb::Key;
        c.x = KeyCode(w[at + 1]);
        if (!c.x) return "unknown key '" + std::string(w[at + 1]) + "'";
        out->push_back(c);
        return {};
    }
    if (verb == "snapshot") {
        if (auto e = need(1); !e.empty()) return e;
        ScriptCommand c;
        c.verb = Verb::Snapshot;
        c.path = std::string(w[at + 1]);
        out->push_back(c);
        return {};
    }
    if (verb == "invalidate") {
        if (auto e = need(4); !e.empty()) return e;
        ScriptCommand c;
        c.verb = Verb::Invalidate;
        if (!Int(w[at + 1], &c.x) || !Int(w[at + 2], &c.y) || !Int(w[at + 3], &c.cx) || !Int(w[at + 4], &c.cy) ||
            c.cx < 0 || c.cy < 0)
            return "'invalidate' needs integers X Y and sizes W H >= 0";
        out->push_back(c);
        return {};
    }
    if (verb == "sleep") {
        if (auto e = need(1); !e.empty()) return e;
        ScriptCommand c;
        c.verb = Verb::Sleep;
        if (!Int(w[at + 1], &c.x) || c.x < 0 || c.x > 60000)
            return "'sleep' needs milliseconds from 0 to 60000, got '" + std::string(w[at + 1]) + "'";
        out->push_back(c);
        return {};
    }
    if (verb == "repeat") {
        int n;
        if (argc < 2) return "'repeat' takes a count and a command";
        if (!Int(w[at + 1], &n) || n < 1 || n > 100000)
            return "'repeat' needs a count from 1 to 100000, got '" + std::string(w[at + 1]) + "'";
        std::vector<ScriptCommand> once;
        if (auto e = ParseWords(w, at + 2, &once); !e.empty()) return e;
        if (once.size() * static_cast<std::size_t>(n) > 1000000) return "'repeat' expands to more than 1000000 commands";
        for (int i = 0; i < n; ++i) out->insert(out->end(), once.begin(), once.end());
        return {};
    }
    return "unknown command '" + std::string(verb) + "'";
}

HWND FirstTop()
{
    auto tops = TopLevelWindows();
    return tops.empty() ? nullptr : tops.front();
}

HWND FirstVisibleTop()
{
    for (HWND h : TopLevelWindows())
        if (IsWindowVisible(h)) return h;
    return nullptr;
}


bool WriteSnapshot(const std::string& path)
{
    HWND top = FirstTop();
    Picture p = top ? Snapshot(top) : Picture{};
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "headless script: cannot write snapshot '%s'\n", path.c_str());
        return false;
    }
    std::fprintf(f, "P6\n%d %d\n255\n", p.width, p.height);
    std::vector<unsigned char> row(static_cast<std::size_t>(p.width) * 3);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            std::uint32_t c = p.At(x, y);
            row[x * 3] = static_cast<unsigned char>(c >> 16);
            row[x * 3 + 1] = static_cast<unsigned char>(c >> 8);
            row[x * 3 + 2] = static_cast<unsigned char>(c);
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    std::fclose(f);
    return true;
}

}  // namespace

ScriptParse ParseScript(std::string_view text)
{
    ScriptParse result;
    std::size_t number = 0, i = 0;
    while (i <= text.size()) {
        std::size_t end = text.find_first_of(";\n", i);
        if (end == std::string_view::npos) end = text.size();
        std::string_view piece = text.substr(i, end - i);
        i = end + 1;
        auto words = Words(piece);
        if (words.empty() || words[0].starts_with("#")) continue;
        ++number;
        if (std::string e = ParseWords(words, 0, &result.commands); !e.empty()) {
            result.commands.clear();
            result.error = "command " + std::to_string(number) + " \"" + std::string(piece) + "\": " + e;
            return result;
        }
    }
    return result;
}

std::string ReportLine()
{
    HWND top = FirstTop();
    if (!top) return "window none";
    RECT r{};
    GetWindowRect(top, &r);
    int n = GetWindowTextLengthW(top);
    std::wstring title(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(top, title.data(), n + 1);
    title.resize(static_cast<std::size_t>(n));
    std::string quoted;
    for (char c : res::Utf8FromWide(title)) {
        if (c == '"' || c == '\\') quoted.push_back('\\');
        quoted.push_back(c);
    }
    std::ostringstream out;
    out << "window " << r.left << ' ' << r.top << ' ' << (r.right - r.left) << ' ' << (r.bottom - r.top) << ' '
        << (IsWindowVisible(top) ? 1 : 0) << ' ' << (IsIconic(top) ? 1 : 0) << " \"" << quoted << '"';
    return out.str();
}

bool RunScriptCommand(const ScriptCommand& c)
{
    switch (c.verb) {
    case Verb::Move:
    case Verb::Click: {
        POINT p{c.x, c.y};
        if (HWND top = FirstVisibleTop()) ClientToScreen(top, &p);
        MovePointer(p.x, p.y);
        if (c.verb == Verb::Click) {
            PressLeft();
            ReleaseLeft();
        }
        break;
    }
    case Verb::ScreenMove: MovePointer(c.x, c.y); break;
    case Verb::Invalidate:
        if (HWND top = FirstVisibleTop()) {
            // Far edges in 64 bits, then cut to LONG: a huge origin plus a size must not overflow.
            auto edge = [](int at, int size) {
                return static_cast<LONG>(std::min<long long>(static_cast<long long>(at) + size, INT_MAX));
            };
            const RECT r{c.x, c.y, edge(c.x, c.cx), edge(c.y, c.cy)};
            InvalidateRect(top, &r, FALSE);
        }
        break;
    case Verb::Press: PressLeft(); break;
    case Verb::Release: ReleaseLeft(); break;
    case Verb::Key: Key(static_cast<UINT>(c.x)); break;
    case Verb::AltF4: KeyWithAlt(VK_F4); break;
    case Verb::Close:
        if (HWND top = FirstTop()) CloseRequest(top);
        break;
    case Verb::Minimize:
        if (HWND top = FirstTop()) ShowWindow(top, SW_MINIMIZE);
        break;
    case Verb::Restore:
        if (HWND top = FirstTop()) ShowWindow(top, SW_RESTORE);
        break;
    case Verb::Report:
        std::printf("%s\n", ReportLine().c_str());
        std::fflush(stdout);
        return false;
    case Verb::Snapshot: WriteSnapshot(c.path); return false;
    case Verb::Sleep: std::this_thread::sleep_for(std::chrono::milliseconds(c.x)); return false;
    }
    return user::HasPendingWork();
}

bool StartScriptFromEnvironment()
{
    const char* text = std::getenv("ORVANE_HEADLESS_SCRIPT");
    if (!text) return false;
    ScriptParse parsed = ParseScript(text);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "headless script: %s\n", parsed.error.c_str());
        std::fflush(stdout);
        _exit(2);
    }
    R() = Runner{std::move(parsed.commands), 0};
    return true;
}

bool StepScript()
{
    Runner& r = R();
    while (r.next < r.commands.size()) {
        const ScriptCommand& c = r.commands[r.next++];
        if (RunScriptCommand(c)) return true;
        if (user::HasPendingWork()) return true;
    }
    return false;
}

void ResetScript() { R() = Runner{}; }

}  // namespace host::headless
