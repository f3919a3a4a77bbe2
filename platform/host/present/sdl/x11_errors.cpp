#include "present/sdl/x11_errors.h"

#include <X11/Xlib.h>

#include <cstdio>

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

}  // namespace

void ReportX11ErrorsInsteadOfExiting() { XSetErrorHandler(&ReportError); }

}  // namespace host::sdl
