// Where the pointer is on the desktop, now. A window that moves under the
// pointer (the caption-drag move loop moves it) shifts every window-relative
// position, so the drag must follow the desktop's own coordinates.
#pragma once

#include <SDL.h>

namespace host::sdl {

struct GlobalPointer {
    int x = 0, y = 0;
    bool left = false;  // the left button is down
};

// On X11 the server itself is asked: SDL_GetGlobalMouseState answers from a
// cache that, under XInput2, only raw motion refreshes, and synthetic input
// (XTEST, as remote desktops and test tools give) brings none. Elsewhere
// SDL's answer is used. `window` is any window of ours on the display.
GlobalPointer QueryGlobalPointer(SDL_Window* window);

}  // namespace host::sdl
