// The X server's resource database (RESOURCE_MANAGER), where desktop
// settings such as Xft.dpi live for every client to read.
#pragma once

#include <optional>
#include <string>

namespace host::sdl {

// Its text as the root window holds it now; nullopt when the video driver
// is not X11, the display does not answer, or the database is empty.
std::optional<std::string> ReadX11Resources();

}  // namespace host::sdl
