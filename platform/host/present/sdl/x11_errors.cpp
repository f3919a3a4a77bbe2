#include "present/sdl/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace host::sdl {
namespace {

int ReportError(Display* display, XErrorEvent* e)
{
    char text[128] = {};
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr, "OrvaneCD: X error ignored: %s (request %d, resource 0x%lx)\n", text,
                 static_cast<int>(e->request_code), static_cast<unsigned long>(e->resourceid));
    return 0;
}

// The connection is gone. Xlib's own handler calls exit(), whose handlers
// then tear the presenter down through SDL, which waits on the dead
// connection for an answer that never comes, at full CPU. Nothing of the
// launcher's needs saving: it ends here, without the exit handlers.
int EndOnLostConnection(Display* display)
{
    std::fprintf(stderr, "OrvaneCD: the connection to the X display %s is lost\n",
                 display ? DisplayString(display) : "");
    std::fflush(nullptr);
    std::_Exit(kDisplayLostStatus);
}

}  // namespace

void ReportX11ErrorsInsteadOfExiting()
{
    XSetErrorHandler(&ReportError);
    XSetIOErrorHandler(&EndOnLostConnection);
}

}  // namespace host::sdl
