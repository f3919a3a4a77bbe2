#include "present/sdl/wm_move.h"

#include "present/sdl/x11_window.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

namespace host::sdl {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

// _NET_WM_MOVERESIZE's directions for a move with the pointer and for
// calling one off, and the source indication of a normal application.
constexpr long kMoveWithPointer = 8;
constexpr long kCancel = 11;
constexpr long kSourceApplication = 1;

void SendMoveResize(const X11Window& x11, long rootX, long rootY, long direction)
{
    Display* display = x11.display;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = x11.window;
    e.xclient.message_type = XInternAtom(display, "_NET_WM_MOVERESIZE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = rootX;
    e.xclient.data.l[1] = rootY;
    e.xclient.data.l[2] = direction;
    e.xclient.data.l[3] = Button1;
    e.xclient.data.l[4] = kSourceApplication;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(display);
}

// Whether the root window's _NET_SUPPORTED lists `atom`.
bool Supported(Display* display, Atom atom)
{
    Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False, XA_ATOM, &type, &format,
                           &count, &after, &data) != Success)
        return false;
    bool found = false;
    if (type == XA_ATOM && format == 32 && data) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);  // format 32 arrives as longs
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == atom;
    }
    if (data) XFree(data);
    return found;
}

}  // namespace
#endif

bool StartWindowManagerMove(SDL_Window* window, int rootX, int rootY)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x11;
    if (!GetX11Window(window, &x11)) return false;
    Display* display = x11.display;
    Atom moveResize = XInternAtom(display, "_NET_WM_MOVERESIZE", False);
    if (!Supported(display, moveResize)) return false;
    // The press gave us the pointer's implicit grab; the window manager can
    // take the pointer only once we let it go.
    XUngrabPointer(display, CurrentTime);
    SendMoveResize(x11, rootX, rootY, kMoveWithPointer);
    return true;
#else
    (void)window;
    (void)rootX;
    (void)rootY;
    return false;
#endif
}

void CancelWindowManagerMove(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x11;
    if (GetX11Window(window, &x11)) SendMoveResize(x11, 0, 0, kCancel);
#else
    (void)window;
#endif
}

void ReturnRelease(SDL_Window* window, int rootX, int rootY)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x11;
    if (!GetX11Window(window, &x11)) return;
    Display* display = x11.display;
    const Window root = DefaultRootWindow(display);
    Window child = None;
    int x = 0, y = 0;
    XTranslateCoordinates(display, root, x11.window, rootX, rootY, &x, &y, &child);
    XEvent e{};
    e.xbutton.type = ButtonRelease;
    e.xbutton.display = display;
    e.xbutton.window = x11.window;
    e.xbutton.root = root;
    e.xbutton.time = CurrentTime;
    e.xbutton.x = x;
    e.xbutton.y = y;
    e.xbutton.x_root = rootX;
    e.xbutton.y_root = rootY;
    e.xbutton.state = Button1Mask;
    e.xbutton.button = Button1;
    e.xbutton.same_screen = True;
    XSendEvent(display, x11.window, False, ButtonReleaseMask, &e);
    XFlush(display);
#else
    (void)window;
    (void)rootX;
    (void)rootY;
#endif
}

}  // namespace host::sdl
