// A file name made absolute the way Windows does it, as text alone.
#pragma once

#include <string>

namespace host::shell {

// `name` ('\' or '/' between components; relative or absolute) taken
// against `base` (absolute, '/'-separated) and normalised before the file
// system is asked, as Windows normalises a path: runs of separators are one,
// "." goes, ".." takes the component before it (never above the root) even
// where that component does not exist, a component within the name loses a
// trailing period ("Disk1." is "Disk1"), and the last one all its trailing
// periods and spaces, unless a separator ends the name. The result is
// absolute, '/'-separated, and ends in no separator ("/" for the root).
std::string FullName(const std::string& name, const std::string& base);

// Whether `name` ends in a separator, so that it can only name a directory.
bool EndsInSeparator(const std::string& name);

}  // namespace host::shell
