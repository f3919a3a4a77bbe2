// The window manager's own move, as desktop toolkits start it from a press
// in a caption: the window follows the pointer under the window manager's
// rules (snapping, screen edges), and under XWayland it is the only move a
// Wayland compositor honours.
#pragma once

#include <SDL.h>

namespace host::sdl {

// Asks the window manager to move `window` with the pointer, which is at
// (rootX, rootY) with the left button down (EWMH _NET_WM_MOVERESIZE). False,
// with nothing sent, where the window manager does not announce the request
// in _NET_SUPPORTED or the desktop is not X11: the caller moves the window.
bool StartWindowManagerMove(SDL_Window* window, int rootX, int rootY);

// The button went up at (rootX, rootY) while the window manager moved
// `window`: the release went to the window manager, so SDL still counts the
// button down and would take the next press for no change. Hands SDL the
// release as an X event of its own window.
void ReturnRelease(SDL_Window* window, int rootX, int rootY);

}  // namespace host::sdl
