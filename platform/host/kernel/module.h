// The running module's resources: the compiled .res that the build embeds
// in every host executable, read through the Win32 resource functions.
#pragma once

#include "res/format.h"
#include "win32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// The embedded resources, parsed on first use. A malformed blob is reported
// once on stderr ("resources: ...") and then holds nothing.
const res::ResFile& ModuleResources();

// For tests, including damaged-build tests: use `bytes` instead of the
// embedded resources (an empty vector means no resources at all; malformed
// bytes are reported like a malformed blob). Handles and references obtained
// before a replace or restore are no longer valid after it.
void ReplaceModuleResources(std::vector<std::uint8_t> bytes);
void RestoreModuleResources();

// A resource designator as the API takes it: MAKEINTRESOURCEW(n), "#n"
// (decimal, up to 65535) or a name. A null pointer is ordinal 0.
res::ResId ResIdFromDesignator(LPCWSTR id);

// The entry FindResourceW would choose, or null. Languages are preferred in
// this order: neutral (0), Korean (1042), English US (1033), then the first
// in file order. The launcher's own resources are Korean and its manifest
// English, so each is found whatever the preference.
const res::ResEntry* FindModuleResource(const res::ResId& type, const res::ResId& name);

// The running executable's path as the system reports it (/proc/self/exe),
// or empty when it cannot say.
std::string ExecutablePath();

}  // namespace host
