// Session scripts for the headless presenter (grammar in script.h).
#include "present/headless/script.h"

#include "base/utf.h"
#include "present/headless/headless.h"
#include "user/presenting.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <span>
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
    static const struct {
        const char* name;
        int vk;
    } kKeys[] = {
        {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN}, {"ESCAPE", VK_ESCAPE},   {"ESC", VK_ESCAPE}, {"TAB", VK_TAB},
        {"SPACE", VK_SPACE},   {"BACK", VK_BACK},    {"LEFT", VK_LEFT},       {"UP", VK_UP},      {"RIGHT", VK_RIGHT},
        {"DOWN", VK_DOWN},     {"SHIFT", VK_SHIFT},  {"CONTROL", VK_CONTROL}, {"ALT", VK_MENU},
    };
    for (const auto& k : kKeys)
        if (name == k.name) return k.vk;
    if (name.size() >= 2 && name[0] == 'F') {
        int n;
        if (Int(name.substr(1), &n) && n >= 1 && n <= 12) return VK_F1 + n - 1;
    }
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) return name[0];
    return 0;
}

// The words of one command after its verb, already counted. Each parser
// fills the command's operands and returns an error text, empty when good.
using Operands = std::span<const std::string_view>;
using OperandParser = std::string (*)(std::string_view verb, Operands args, ScriptCommand* c);

std::string NoOperands(std::string_view, Operands, ScriptCommand*) { return {}; }

std::string Point(std::string_view verb, Operands args, ScriptCommand* c)
{
    if (Int(args[0], &c->x) && Int(args[1], &c->y)) return {};
    return "'" + std::string(verb) + "' needs integer coordinates, got '" + std::string(args[0]) + "' '" +
           std::string(args[1]) + "'";
}

std::string KeyName(std::string_view, Operands args, ScriptCommand* c)
{
    c->vk = KeyCode(args[0]);
    return c->vk ? std::string() : "unknown key '" + std::string(args[0]) + "'";
}

std::string Path(std::string_view, Operands args, ScriptCommand* c)
{
    c->path = std::string(args[0]);
    return {};
}

std::string Area(std::string_view, Operands args, ScriptCommand* c)
{
    if (Int(args[0], &c->x) && Int(args[1], &c->y) && Int(args[2], &c->width) && Int(args[3], &c->height) &&
        c->width >= 0 && c->height >= 0)
        return {};
    return "'invalidate' needs integers X Y and sizes W H >= 0";
}

std::string Milliseconds(std::string_view, Operands args, ScriptCommand* c)
{
    if (Int(args[0], &c->milliseconds) && c->milliseconds >= 0 && c->milliseconds <= 60000) return {};
    return "'sleep' needs milliseconds from 0 to 60000, got '" + std::string(args[0]) + "'";
}

struct VerbRule {
    std::string_view name;
    Verb verb;
    std::size_t operands;
    OperandParser parse;
};

constexpr VerbRule kVerbs[] = {
    {"move", Verb::Move, 2, Point},
    {"smove", Verb::ScreenMove, 2, Point},
    {"click", Verb::Click, 2, Point},
    {"press", Verb::Press, 0, NoOperands},
    {"release", Verb::Release, 0, NoOperands},
    {"altf4", Verb::AltF4, 0, NoOperands},
    {"close", Verb::Close, 0, NoOperands},
    {"minimize", Verb::Minimize, 0, NoOperands},
    {"restore", Verb::Restore, 0, NoOperands},
    {"report", Verb::Report, 0, NoOperands},
    {"key", Verb::Key, 1, KeyName},
    {"snapshot", Verb::Snapshot, 1, Path},
    {"invalidate", Verb::Invalidate, 4, Area},
    {"sleep", Verb::Sleep, 1, Milliseconds},
};

std::string ParseWords(const std::vector<std::string_view>& w, std::size_t at, std::vector<ScriptCommand>* out);

// repeat N CMD: the command N times, each its own command.
std::string ParseRepeat(const std::vector<std::string_view>& w, std::size_t at, std::vector<ScriptCommand>* out)
{
    int n;
    if (w.size() - at - 1 < 2) return "'repeat' takes a count and a command";
    if (!Int(w[at + 1], &n) || n < 1 || n > 100000)
        return "'repeat' needs a count from 1 to 100000, got '" + std::string(w[at + 1]) + "'";
    std::vector<ScriptCommand> once;
    if (auto e = ParseWords(w, at + 2, &once); !e.empty()) return e;
    if (once.size() * static_cast<std::size_t>(n) > 1000000) return "'repeat' expands to more than 1000000 commands";
    for (int i = 0; i < n; ++i) out->insert(out->end(), once.begin(), once.end());
    return {};
}

// Parses the words of one command into `out` (repeat expands). Returns an
// error text, empty on success.
std::string ParseWords(const std::vector<std::string_view>& w, std::size_t at, std::vector<ScriptCommand>* out)
{
    std::string_view verb = w[at];
    if (verb == "repeat") return ParseRepeat(w, at, out);
    const Operands args = Operands(w).subspan(at + 1);
    for (const VerbRule& rule : kVerbs) {
        if (verb != rule.name) continue;
        if (args.size() != rule.operands)
            return "'" + std::string(verb) + "' takes " + std::to_string(rule.operands) + " argument" +
                   (rule.operands == 1 ? "" : "s") + ", got " + std::to_string(args.size());
        ScriptCommand c;
        c.verb = rule.verb;
        if (auto e = rule.parse(verb, args, &c); !e.empty()) return e;
        out->push_back(c);
        return {};
    }
    return "unknown command '" + std::string(verb) + "'";
}

HWND FirstTop()
{
    auto tops = user::TopLevelWindows();
    return tops.empty() ? nullptr : tops.front();
}

HWND FirstVisibleTop()
{
    for (HWND h : user::TopLevelWindows())
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
    for (char c : Utf8FromWide(title)) {
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
            user::PressLeft();
            user::ReleaseLeft();
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
            const RECT r{c.x, c.y, edge(c.x, c.width), edge(c.y, c.height)};
            InvalidateRect(top, &r, FALSE);
        }
        break;
    case Verb::Press: user::PressLeft(); break;
    case Verb::Release: user::ReleaseLeft(); break;
    case Verb::Key: Key(static_cast<UINT>(c.vk)); break;
    case Verb::AltF4: KeyWithAlt(VK_F4); break;
    case Verb::Close:
        if (HWND top = FirstTop()) user::CloseRequest(top);
        break;
    case Verb::Minimize:
        if (HWND top = FirstTop()) user::DesktopMinimized(top);
        break;
    case Verb::Restore:
        if (HWND top = FirstTop()) user::DesktopRestored(top);
        break;
    case Verb::Report:
        std::printf("%s\n", ReportLine().c_str());
        std::fflush(stdout);
        return false;
    case Verb::Snapshot: WriteSnapshot(c.path); return false;
    case Verb::Sleep: std::this_thread::sleep_for(std::chrono::milliseconds(c.milliseconds)); return false;
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
