// The SDL presenter: each top-level window is a borderless window
// on the user's desktop, and the desktop's pointer, keys and window commands
// are the host's input. ORVANE_PRESENTER=sdl (or unset) picks it.
#pragma once

#include "present/presenter.h"

#include <memory>
#include <string>

namespace host::sdl {

// Opens the display. Null, with SDL's reason in `error`, when it cannot.
std::unique_ptr<Presenter> MakePresenter(std::string* error);

}  // namespace host::sdl

// The SDL presenter lives in its own module (liborvane_sdl.so beside the
// executable), loaded only when it is chosen: a headless run then never
// loads SDL2 and the fifty libraries it brings. The module's entry point,
// found by name: MakePresenter, with ownership passed to the caller.
#define ORVANE_SDL_ENTRY "OrvaneMakeSdlPresenter"
extern "C" host::Presenter* OrvaneMakeSdlPresenter(std::string* error);
