// Which presenter a process uses: ORVANE_PRESENTER names it ("headless", or
// "sdl" and unset for the desktop). The SDL presenter is a module beside
// the executable, loaded only when chosen, so that a headless run never
// loads SDL2. This file is linked into every host program and registers the
// choice before main runs.
#include "kernel/module.h"
#include "present/headless/headless.h"
#include "present/presenter.h"
#include "present/sdl/entry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace host {
namespace {

// _exit, not exit: the exit handlers (the application object's among them)
// would come back here for a presenter that does not exist.
[[noreturn]] void FailChoice(int status)
{
    std::fflush(nullptr);
    _exit(status);
}

std::unique_ptr<Presenter> LoadDesktopPresenter(std::string* error)
{
    std::string dir = ExecutablePath();
    dir = dir.substr(0, dir.find_last_of('/') + 1);
    const std::string path = dir + "liborvane_sdl.so";
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        *error = dlerror();
        return nullptr;
    }
    auto make = reinterpret_cast<Presenter* (*)(std::string*)>(dlsym(module, ORVANE_SDL_ENTRY));
    if (!make) {
        *error = path + ": no " ORVANE_SDL_ENTRY;
        return nullptr;
    }
    // The module stays loaded for the process's life: its presenter does.
    return std::unique_ptr<Presenter>(make(error));
}

std::unique_ptr<Presenter> ChoosePresenter()
{
    const char* name = std::getenv("ORVANE_PRESENTER");
    if (name && std::strcmp(name, "headless") == 0) return headless::MakePresenter();
    if (name && *name && std::strcmp(name, "sdl") != 0) {
        std::fprintf(stderr, "OrvaneCD: ORVANE_PRESENTER=\"%s\" is not a presenter; use sdl or headless\n", name);
        FailChoice(2);
    }
    std::string error;
    std::unique_ptr<Presenter> p = LoadDesktopPresenter(&error);
    if (!p) {
        std::fprintf(stderr, "OrvaneCD: cannot open a display: %s; set ORVANE_PRESENTER=headless to run without one\n",
                     error.c_str());
        FailChoice(3);
    }
    return p;
}

const bool g_registered = (SetPresenterChooser(&ChoosePresenter), true);

}  // namespace
}  // namespace host
