// X protocol errors on the desktop's connection: reported, not fatal.
#pragma once

namespace host::sdl {

// Xlib's own handler ends the process on any protocol error, such as a
// request about a window the window manager has just destroyed (a race
// every X client meets); after this one the launcher reports it on stderr
// and goes on. For the x11 video driver only.
void ReportX11ErrorsInsteadOfExiting();

}  // namespace host::sdl
