// File names as Windows finds them on a file system that ignores case.
#pragma once

#include <string>

namespace host::shell {

// The existing file that `path` names: absolute, '/' between components,
// with no "." or ".." (FullName's result). The file is the one `path` names
// when each component is matched without regard to case. A component that
// exists as spelled is kept; otherwise the directory's entries that differ
// from it only in case are the candidates. On the way only a directory
// fits, at the end anything but one (a directory named like a program is
// not that program), and a directory only when nothing else matches. Among
// fitting candidates the exact spelling wins, then the first in byte order.
// Case is compared as Windows compares names: each code point upper-cased
// on its own (Unicode's simple mapping); a name that is not UTF-8 has only
// its ASCII letters folded. From the first component found in no case on,
// the rest is kept as given, so looking the result up fails as before.
// With `directory`, a directory is what fits at the end too.
std::string FindIgnoringCase(const std::string& path, bool directory = false);

}  // namespace host::shell
