// The X11 side of an SDL window, for the few things SDL does not do itself
// (the desktop's pointer, the window manager's move, the legacy title).
#pragma once

#include <SDL.h>
#include <SDL_syswm.h>

namespace host::sdl {

#if defined(SDL_VIDEO_DRIVER_X11)
struct X11Window {
    Display* display = nullptr;
    Window window = 0;
};

// False for a null window or one on a desktop other than X11.
inline bool GetX11Window(SDL_Window* window, X11Window* out)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    *out = X11Window{info.info.x11.display, info.info.x11.window};
    return true;
}
#endif

}  // namespace host::sdl
