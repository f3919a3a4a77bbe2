// The headless presenter: windows only in memory, input from a test's idle
// hook or a session script, message boxes in a log.
#include "present/headless/headless.h"

#include "present/headless/script.h"
#include "kernel/module.h"
#include "res/format.h"
#include "present/sdl/entry.h"
#include "shell/shell.h"
#include "user/internal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace host::headless {
namespace {

struct State {
    IdleHook hook;
    std::vector<std::wstring> messageBoxes;
    bool scriptChecked = false;
    bool scripted = false;
};

State& S()
{
    static State s;
    return s;
}


class HeadlessPresenter final : public Presenter {
public:
    void Idle() override
    {
        shell::ReapChildren();
        State& s = S();
        if (s.hook) {
            IdleHook hook = s.hook;  // the hook may replace itself
            hook();
            return;
        }
        if (!s.scriptChecked) {
            s.scriptChecked = true;
            s.scripted = StartScriptFromEnvironment();
        }
        if (s.scripted) StepScript();
    }

    [[noreturn]] void Starved() override
    {
        const char* text = S().scripted && !S().hook ? "headless: script ended with the window still open\n"
                                                     : "headless: no input left; the window is still open\n";
        EndStarved(text);
    }

    int ShowMessageBox(HWND, LPCWSTR text, LPCWSTR caption, UINT) override
    {
        S().messageBoxes.emplace_back(text);
        std::fprintf(stderr, "headless: message box \"%s\": %s\n", res::Utf8FromWide(caption).c_str(),
                     res::Utf8FromWide(text).c_str());
        return IDOK;
    }
};

std::unique_ptr<Presenter>& Current()
{
    static std::unique_ptr<Presenter> p;
    return p;
}

}  // namespace

void SetIdleHook(IdleHook hook) { S().hook = std::move(hook); }

void MovePointer(int screenX, int screenY)
{
    auto& in = user::Input();
    in.cursor = POINT{std::clamp(screenX, 0, kScreenWidth - 1), std::clamp(screenY, 0, kScreenHeight - 1)};
    user::DeliverMouse(WM_MOUSEMOVE, WM_NCMOUSEMOVE);
}

void PressLeft()
{
    user::Input().async[VK_LBUTTON] |= 0x80;
    user::DeliverMouse(WM_LBUTTONDOWN, WM_NCLBUTTONDOWN);
}

void ReleaseLeft()
{
    user::Input().async[VK_LBUTTON] &= static_cast<std::uint8_t>(~0x80);
    user::DeliverMouse(WM_LBUTTONUP, WM_NCLBUTTONUP);
}

void KeyDown(UINT vk) { user::DeliverKey(vk, true); }
void KeyUp(UINT vk) { user::DeliverKey(vk, false); }

void Key(UINT vk)
{
    KeyDown(vk);
    KeyUp(vk);
}

void KeyWithAlt(UINT vk)
{
    KeyDown(VK_MENU);
    KeyDown(vk);
    KeyUp(vk);
    KeyUp(VK_MENU);
}

// What the desktop's close button or menu does: the system Close command.
void CloseRequest(HWND top)
{
    if (user::Find(top)) PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
}

POINT PointerPos() { return user::Input().cursor; }

Picture Snapshot(HWND top)
{
    Picture p;
    user::Window* w = user::Find(top);
    if (!w || w->parent || !w->surface) return p;
    p.width = w->surface->width;
    p.height = w->surface->height;
    p.pixels = w->surface->pixels;
    return p;
}

std::vector<HWND> TopLevelWindows() { return user::TopLevels(); }

const std::vector<std::wstring>& MessageBoxLog() { return S().messageBoxes; }

void Reset()
{
    // Tests that drive windows through this API mean this presenter,
    // whatever ORVANE_PRESENTER says.
    if (!dynamic_cast<HeadlessPresenter*>(Current().get())) Current() = std::make_unique<HeadlessPresenter>();
    user::ReleaseAllDcs();
    user::ForgetAllWindows();
    user::ClearQueue();
    user::Input() = user::InputState{};
    S() = State{};
    ResetScript();
}

}  // namespace host::headless

namespace host {

RECT Presenter::ScreenRect() { return RECT{0, 0, headless::kScreenWidth, headless::kScreenHeight}; }

namespace {

// _exit, not exit: the exit handlers (the application object's among them)
// would come back here for a presenter that does not exist.
[[noreturn]] void FailChoice(int status)
{
    std::fflush(nullptr);
    _exit(status);
}

// The desktop presenter's module, beside the executable.
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
    if (name && std::strcmp(name, "headless") == 0) return std::make_unique<headless::HeadlessPresenter>();
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

}  // namespace

Presenter& CurrentPresenter()
{
    auto& p = headless::Current();
    if (!p) p = ChoosePresenter();
    return *p;
}

[[noreturn]] void EndStarved(const char* text)
{
    std::fflush(stdout);
    ssize_t ignored = write(2, text, std::strlen(text));
    (void)ignored;
    _exit(124);
}

}  // namespace host
