// Windows' path normalisation, done on the name alone.
#include "shell/full_name.h"

#include <vector>

namespace host::shell {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// How the components of a text are trimmed: a base from this system is
// taken as it is; a Windows name within the whole, or at its end.
enum class Trim { None, Within, AtEnd };

// Appends the components of `text` to `parts`, resolving "." and "..".
// A component that trimming empties ("..." at the end, say) names nothing.
void Append(const std::string& text, Trim trim, std::vector<std::string>* parts)
{
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && !IsSeparator(text[end])) ++end;
        std::string part = text.substr(at, end - at);
        while (end < text.size() && IsSeparator(text[end])) ++end;
        at = end;
        if (part == ".") continue;
        if (part == "..") {
            if (!parts->empty()) parts->pop_back();
            continue;
        }
        if (trim == Trim::AtEnd && at == text.size()) {
            while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
        } else if (trim != Trim::None && part.size() > 1 && part.back() == '.' && part[part.size() - 2] != '.') {
            part.pop_back();
        }
        if (!part.empty()) parts->push_back(std::move(part));
    }
}

}  // namespace

bool EndsInSeparator(const std::string& name) { return !name.empty() && IsSeparator(name.back()); }

std::string FullName(const std::string& name, const std::string& base)
{
    std::vector<std::string> parts;
    if (name.empty() || !IsSeparator(name.front())) Append(base, Trim::None, &parts);
    Append(name, EndsInSeparator(name) ? Trim::Within : Trim::AtEnd, &parts);
    std::string out;
    for (const std::string& p : parts) out += "/" + p;
    return out.empty() ? "/" : out;
}

}  // namespace host::shell
