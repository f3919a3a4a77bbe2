// The C runtime's command-line rules, for ShellExecuteW's parameters.
#include "shell/command_line.h"

namespace host::shell {

std::vector<std::string> SplitCommandLine(const std::string& line)
{
    std::vector<std::string> args;
    std::string arg;
    bool inArg = false, quoted = false;
    for (std::size_t i = 0; i < line.size();) {
        const char c = line[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArg) args.push_back(std::move(arg));
            arg.clear();
            inArg = false;
            ++i;
            continue;
        }
        inArg = true;
        if (c == '\\') {
            std::size_t n = 0;
            while (i < line.size() && line[i] == '\\') ++n, ++i;
            const bool beforeQuote = i < line.size() && line[i] == '"';
            arg.append(beforeQuote ? n / 2 : n, '\\');
            if (beforeQuote && n % 2) {
                arg.push_back('"');
                ++i;
            }
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                arg.push_back('"');
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        arg.push_back(c);
        ++i;
    }
    if (inArg) args.push_back(std::move(arg));
    return args;
}

}  // namespace host::shell
