#include "present/sdl/x11_resources.h"

#include <SDL.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#endif

namespace host::sdl {

std::optional<std::string> ReadX11Resources()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || SDL_strcasecmp(driver, "x11") != 0) return std::nullopt;
    // A connection of our own, for a moment: SDL's own is reachable only
    // through a window, and the scale must be known before the first one.
    Display* display = XOpenDisplay(nullptr);
    if (!display) return std::nullopt;
    std::optional<std::string> text;
    if (const char* database = XResourceManagerString(display)) text = std::string(database);
    XCloseDisplay(display);
    return text;
#else
    return std::nullopt;
#endif
}

}  // namespace host::sdl
