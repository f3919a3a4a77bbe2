// SDL key codes as the virtual-key codes that key messages carry.
#pragma once

#include "win32.h"

#include <SDL_keycode.h>

namespace host::sdl {

// 0 for a key the launcher's world has no virtual-key code for.
UINT VirtualKeyFromSdl(SDL_Keycode key);

}  // namespace host::sdl
