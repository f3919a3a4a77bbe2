// The headless presenter: windows only in memory, input from a test's idle
// hook or a session script (which runs as the hook), message boxes in a log.
#include "present/headless/headless.h"

#include "base/utf.h"
#include "present/headless/script.h"
#include "user/presenting.h"
#include "user/testing.h"

#include <algorithm>
#include <cstdio>

namespace host::headless {
namespace {

struct State {
    IdleHook hook;
    std::vector<std::wstring> messageBoxes;
    bool scriptChecked = false;
    bool scripted = false;  // the hook is the session script
};

State& S()
{
    static State s;
    return s;
}

class HeadlessPresenter final : public Presenter {
public:
    RECT ScreenRect() override { return RECT{0, 0, kScreenWidth, kScreenHeight}; }

    // Input comes only from the hook, at once; there is nothing to wait for.
    bool Idle(int) override
    {
        State& s = S();
        if (!s.hook && !s.scriptChecked) {
            s.scriptChecked = true;
            if (StartScriptFromEnvironment()) {
                s.hook = [] { StepScript(); };
                s.scripted = true;
            }
        }
        if (!s.hook) return false;
        IdleHook hook = s.hook;  // the hook may replace itself
        hook();
        return false;
    }

    [[noreturn]] void Starved() override
    {
        const char* text = S().scripted ? "headless: script ended with the window still open\n"
                                        : "headless: no input left; the window is still open\n";
        EndStarved(text);
    }

    int ShowMessageBox(HWND, LPCWSTR text, LPCWSTR caption, UINT) override
    {
        S().messageBoxes.emplace_back(text);
        std::fprintf(stderr, "headless: message box \"%s\": %s\n", Utf8FromWide(caption).c_str(),
                     Utf8FromWide(text).c_str());
        return IDOK;
    }
};

}  // namespace

std::unique_ptr<Presenter> MakePresenter() { return std::make_unique<HeadlessPresenter>(); }

void SetIdleHook(IdleHook hook)
{
    S().hook = std::move(hook);
    S().scripted = false;
}

void MovePointer(int screenX, int screenY)
{
    user::MovePointer(POINT{std::clamp(screenX, 0, kScreenWidth - 1), std::clamp(screenY, 0, kScreenHeight - 1)});
}

void Key(UINT vk)
{
    user::KeyDown(vk);
    user::KeyUp(vk);
}

void KeyWithAlt(UINT vk)
{
    user::KeyDown(VK_MENU);
    user::KeyDown(vk);
    user::KeyUp(vk);
    user::KeyUp(VK_MENU);
}

Picture Snapshot(HWND top)
{
    Picture p;
    user::Frame f = user::FrameOf(top);
    if (!f.pixels) return p;
    p.width = f.width;
    p.height = f.height;
    p.pixels.assign(f.pixels, f.pixels + static_cast<std::size_t>(f.width) * f.height);
    return p;
}

const std::vector<std::wstring>& MessageBoxLog() { return S().messageBoxes; }

void Reset()
{
    // Tests that drive windows through this API mean this presenter,
    // whatever ORVANE_PRESENTER says.
    if (!HasPresenter() || !dynamic_cast<HeadlessPresenter*>(&CurrentPresenter())) UsePresenter(MakePresenter());
    user::ForgetEverything();
    S() = State{};
    ResetScript();
}

}  // namespace host::headless
