#include "present/sdl/x11_title.h"

#include <SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#endif

namespace host::sdl {

void WriteX11WindowName(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    // Xlib's UTF-8 conversions work in any locale, the C one included.
    char* title = const_cast<char*>(SDL_GetWindowTitle(window));
    XTextProperty text{};
    if (Xutf8TextListToTextProperty(info.info.x11.display, &title, 1, XStdICCTextStyle, &text) < 0) return;
    XSetWMName(info.info.x11.display, info.info.x11.window, &text);
    XFree(text.value);
    XFlush(info.info.x11.display);
#else
    (void)window;
#endif
}

}  // namespace host::sdl
