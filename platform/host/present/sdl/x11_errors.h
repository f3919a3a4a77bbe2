// X protocol errors on the desktop's connection: reported, not fatal; and
// the connection's loss: the end of the session.
#pragma once

namespace host::sdl {

// Xlib's own handler ends the process on any protocol error, such as a
// request about a window the window manager has just destroyed (a race
// every X client meets); after this one the launcher reports it on stderr
// and goes on. To be installed before SDL opens the display: SDL keeps the
// handler it finds and puts it back before it closes its connections, and
// errors still come back then (its wake-up message on its second connection,
// to a window that closing the first has just destroyed). Harmless without X.
void ReportX11ErrorsInsteadOfExiting();

// The status the launcher ends with when the X server goes away under it
// (it was stopped, or crashed): the status of a session without a display.
constexpr int kDisplayLostStatus = 3;

}  // namespace host::sdl
