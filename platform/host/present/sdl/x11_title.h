// The window title as X11 clients that read only WM_NAME see it.
#pragma once

#include <SDL.h>

namespace host::sdl {

// Writes the window's current SDL title into WM_NAME as ICCCM text:
// STRING when it is all Latin-1, COMPOUND_TEXT otherwise. SDL writes
// WM_NAME in the process's locale encoding, and the host never sets a
// locale, so a title beyond ASCII lands as UTF-8 bytes labelled STRING
// (Latin-1) and reads as mojibake; _NET_WM_NAME is right either way. SDL
// rewrites WM_NAME on every title change, so call this after each one.
// For the x11 video driver only; elsewhere it does nothing.
void WriteX11WindowName(SDL_Window* window);

}  // namespace host::sdl
