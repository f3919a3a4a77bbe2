#include "shell/names.h"
#include "base/utf.h"

#include <algorithm>
#include <dirent.h>
#include <locale.h>
#include <optional>
#include <sys/stat.h>
#include <tuple>
#include <vector>
#include <wctype.h>

namespace host::shell {
namespace {

// Case mappings independent of the process's locale, which the host never
// sets (in the C locale towupper maps ASCII alone).
locale_t UnicodeCase()
{
    static const locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return loc;
}

wchar_t Upper(wchar_t c)
{
    if (c < 0x80) return c >= L'a' && c <= L'z' ? c - 32 : c;
    return UnicodeCase() ? static_cast<wchar_t>(towupper_l(c, UnicodeCase())) : c;
}

std::wstring Folded(const std::string& name)
{
    const std::u16string utf16 = FromUtf8(name);
    std::wstring out;
    if (ToUtf8(utf16) != name) {
        // Not UTF-8: bytes above ASCII stay apart from every code point.
        for (unsigned char c : name) out.push_back(c < 0x80 ? Upper(c) : 0x110000 + c);
        return out;
    }
    out = ToWide(utf16);
    std::transform(out.begin(), out.end(), out.begin(), Upper);
    return out;
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> Entries(const std::string& dir)
{
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d) return names;
    while (const dirent* e = readdir(d)) names.emplace_back(e->d_name);
    closedir(d);
    return names;
}

// The entry of `dir` that stands for `name`, or none; one of the wanted
// kind (a directory or anything else) goes first.
std::optional<std::string> Match(const std::string& dir, const std::string& name, bool wantDirectory)
{
    const std::string prefix = dir == "/" ? dir : dir + "/";
    auto fits = [&](const std::string& n) { return IsDirectory(prefix + n) == wantDirectory; };
    struct stat st;
    if (lstat((prefix + name).c_str(), &st) == 0 && fits(name)) return name;
    const std::wstring want = Folded(name);
    std::optional<std::string> best;
    std::tuple<bool, bool, std::string> bestRank;
    for (std::string& n : Entries(dir)) {
        if (n == "." || n == ".." || Folded(n) != want) continue;
        std::tuple<bool, bool, std::string> rank{!fits(n), n != name, n};
        if (!best || rank < bestRank) {
            bestRank = rank;
            best = std::move(n);
        }
    }
    return best;
}

}  // namespace

std::string FindIgnoringCase(const std::string& path, bool directory)
{
    std::vector<std::string> parts;
    for (std::size_t at = 0; at <= path.size();) {
        std::size_t end = std::min(path.find('/', at), path.size());
        if (end > at) parts.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        std::optional<std::string> found = Match(out.empty() ? "/" : out, parts[i], !last || directory);
        if (!found) {
            // Found in no case: the rest as given.
            for (; i < parts.size(); ++i) out += "/" + parts[i];
            return out;
        }
        out += "/" + *found;
    }
    return out.empty() ? "/" : out;
}

}  // namespace host::shell
