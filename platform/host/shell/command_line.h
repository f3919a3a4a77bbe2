// ShellExecuteW's parameters as the arguments a started program gets.
#pragma once

#include <string>
#include <vector>

namespace host::shell {

// Splits `line` (UTF-8) as a Windows program's C runtime splits its command
// line after the program name:
// - spaces and tabs separate arguments, outside double quotes;
// - a double quote starts or ends a quoted part, which may sit inside an
//   argument (a"b c"d is one argument, ab cd), and "" alone is an empty one;
// - within a quoted part, "" is one literal quote and the part goes on;
// - 2n backslashes before a quote give n backslashes and the quote acts as
//   above; 2n+1 give n backslashes and a literal quote;
// - other backslashes are literal (C:\dir\ stays as it is).
// An unterminated quoted part runs to the end.
std::vector<std::string> SplitCommandLine(const std::string& line);

}  // namespace host::shell
