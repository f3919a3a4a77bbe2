// The SDL presenter torn down while an X protocol error is still on its
// way back. SDL closes its second connection last, and an error that comes
// back on it then (its wake-up message to a window that the closing of the
// first has just destroyed) is one like this, on a connection of our own
// closed after the teardown. Run on a display by teardown_test.sh: the error
// is reported on stderr, and the process goes on ("torn down", status 0).
#include "present/sdl/entry.h"

#include <X11/Xlib.h>

#include <cstdio>

int main()
{
    std::string error;
    std::unique_ptr<host::Presenter> presenter = host::sdl::MakePresenter(&error);
    Display* display = XOpenDisplay(nullptr);
    if (!presenter || !display) {
        std::fprintf(stderr, "no presenter or no display: %s\n", error.c_str());
        return 2;
    }
    // A request about a window that is gone, left in the connection's
    // buffer: closing the connection sends it and reads its error.
    Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, gone);
    XMapWindow(display, gone);
    presenter.reset();
    XCloseDisplay(display);
    std::puts("torn down");
    return 0;
}
