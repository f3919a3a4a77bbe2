#include "present/sdl/global_pointer.h"

#include "present/sdl/x11_window.h"

namespace host::sdl {

GlobalPointer QueryGlobalPointer(SDL_Window* window)
{
    GlobalPointer p;
#if defined(SDL_VIDEO_DRIVER_X11)
    X11Window x11;
    if (GetX11Window(window, &x11)) {
        Display* display = x11.display;
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned int mask = 0;
        if (XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX, &winY, &mask)) {
            p.x = rootX;
            p.y = rootY;
            p.left = (mask & Button1Mask) != 0;
            return p;
        }
    }
#endif
    Uint32 buttons = SDL_GetGlobalMouseState(&p.x, &p.y);
    p.left = (buttons & SDL_BUTTON_LMASK) != 0;
    return p;
}

}  // namespace host::sdl
