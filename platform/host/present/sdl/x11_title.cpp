#include "present/sdl/x11_title.h"

#include "present/sdl/x11_window.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#endif

namespace host::sdl {

void WriteX11WindowName(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x11;
    if (!GetX11Window(window, &x11)) return;
    // Xlib's UTF-8 conversions work in any locale, the C one included.
    char* title = const_cast<char*>(SDL_GetWindowTitle(window));
    XTextProperty text{};
    if (Xutf8TextListToTextProperty(x11.display, &title, 1, XStdICCTextStyle, &text) < 0) return;
    XSetWMName(x11.display, x11.window, &text);
    XFree(text.value);
    XFlush(x11.display);
#else
    (void)window;
#endif
}

}  // namespace host::sdl
