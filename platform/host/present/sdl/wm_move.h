// The window manager's own move, as desktop toolkits start it from a press
// in a caption: the window follows the pointer under the window manager's
// rules (snapping, screen edges), and under XWayland it is the only move a
// Wayland compositor honours.
#pragma once

#include <SDL.h>

namespace host::sdl {

// Asks the window manager to move `window` with the pointer, the left button
// down since its press at (rootX, rootY) (EWMH _NET_WM_MOVERESIZE). The
// press's position, not the pointer's now: the window keeps the offset the
// press had even when the pointer moved on before the window manager took
// over. False, with nothing sent, where the window manager does not announce
// the request in _NET_SUPPORTED or the desktop is not X11: the caller moves
// the window.
bool StartWindowManagerMove(SDL_Window* window, int rootX, int rootY);

// Calls off a move asked for with StartWindowManagerMove. The release came
// to us, so the window manager had not taken the pointer yet; one that
// takes it later without looking at the button would move the window with
// a released pointer until the next click. Harmless once its move is over.
void CancelWindowManagerMove(SDL_Window* window);

// The button went up at (rootX, rootY) while the window manager moved
// `window`: the release went to the window manager, so SDL still counts the
// button down and would take the next press for no change. Hands SDL the
// release as an X event of its own window.
void ReturnRelease(SDL_Window* window, int rootX, int rootY);

}  // namespace host::sdl
