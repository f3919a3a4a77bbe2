// The desktop's events as host input: pointer and keys through the same
// delivery as the headless presenter's (screen coordinates, the window under
// the pointer or the capture), and the window manager's commands as the
// system commands and state changes that Windows would make of them.
#include "present/sdl/desktop.h"

#include "present/sdl/global_pointer.h"
#include "present/sdl/keys.h"
#include "present/sdl/wm_move.h"
#include "user/presenting.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace host::sdl {
namespace {

// While a capture holds the pointer (the caption-drag move loop) the
// desktop is asked where the pointer is this often, even without events.
constexpr Uint32 kTrackPollMs = 15;
// A release that the desktop shows but never sent us (the button went up
// while another client held the pointer) counts after this long.
constexpr Uint32 kLostReleaseMs = 300;

bool LeftDown() { return GetAsyncKeyState(VK_LBUTTON) < 0; }

bool Tracking() { return user::PointerCaptured() && LeftDown(); }

// Applies a change the desktop made to a host window without sending it back.
class FromDesktop {
public:
    explicit FromDesktop(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~FromDesktop() { m_flag = m_old; }
    FromDesktop(const FromDesktop&) = delete;
    FromDesktop& operator=(const FromDesktop&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

}  // namespace

// Waits for the desktop's events until one brings input, or `wakeAfterMs`
// passes. During a drag the desktop is polled for the pointer, which may
// move without an event reaching us.
bool Desktop::Idle(int wakeAfterMs)
{
    PresentDirty();
    const Uint32 start = SDL_GetTicks();
    // Without a visible window no input can come.
    while (AnyWindowVisible() && !user::HasPendingWork()) {
        int wait = wakeAfterMs;
        if (wakeAfterMs != kNoWake) {
            Uint32 spent = SDL_GetTicks() - start;
            if (spent >= static_cast<Uint32>(wakeAfterMs)) return true;
            wait = wakeAfterMs - static_cast<int>(spent);
        }
        const bool tracking = Tracking();
        if (tracking)
            wait = wait == kNoWake ? static_cast<int>(kTrackPollMs) : std::min(wait, static_cast<int>(kTrackPollMs));
        SDL_Event e;
        int got = wait == kNoWake ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, wait);
        if (got) {
            Handle(e);
            while (SDL_PollEvent(&e)) Handle(e);
        } else if (wait == kNoWake) {
            std::fprintf(stderr, "OrvaneCD: lost the display: %s\n", SDL_GetError());
            return false;
        }
        if (Tracking()) Track();
        PresentDirty();
    }
    return AnyWindowVisible();
}

[[noreturn]] void Desktop::Starved() { EndStarved("OrvaneCD: no window is left to take input\n"); }

// Inside a window the event's own coordinates count, taken against where the
// host has the window, so the client point is the one the user pointed at.
// Under a capture the window may be moving under the pointer (the move loop
// moves it): then only the desktop's own idea of the pointer is free of that
// motion.
POINT Desktop::PointerAt(Uint32 windowId, int x, int y)
{
    HWND h = HandleOf(windowId);
    RECT r;
    if (user::PointerCaptured() || !GetWindowRect(h, &r)) {
        GlobalPointer p = QueryGlobalPointer(AnyWindow());
        return POINT{p.x, p.y};
    }
    return POINT{r.left + x, r.top + y};
}

bool Desktop::BeginWindowMove(HWND h)
{
    Shown* s = Of(h);
    if (!s || !s->window) return false;
    GlobalPointer p = QueryGlobalPointer(s->window);
    const bool byManager = p.left && StartWindowManagerMove(s->window, p.x, p.y);
    m_managerMove = byManager ? h : nullptr;
    if (std::getenv("ORVANE_TRACE"))
        std::fprintf(stderr, "desktop: the %s moves the window\n", byManager ? "window manager" : "launcher");
    return byManager;
}

// Between events of a drag: follows the pointer, and ends the drag when the
// button has been up for a while without the release reaching us.
void Desktop::Track()
{
    GlobalPointer p = QueryGlobalPointer(AnyWindow());
    POINT cursor = user::PointerPos();
    if (p.x != cursor.x || p.y != cursor.y) user::MovePointer(POINT{p.x, p.y});
    if (p.left) {
        m_releaseSeenAt = 0;
        return;
    }
    // The window manager held the pointer for its move: the release went to
    // it and will never come to us, nor to SDL, which is handed one.
    if (m_managerMove) {
        if (Shown* s = Of(m_managerMove); s && s->window) ReturnRelease(s->window, p.x, p.y);
        m_managerMove = nullptr;
        user::ReleaseLeft();
        return;
    }
    Uint32 now = SDL_GetTicks();
    if (!m_releaseSeenAt) m_releaseSeenAt = now ? now : 1;
    else if (now - m_releaseSeenAt >= kLostReleaseMs) {
        m_releaseSeenAt = 0;
        user::ReleaseLeft();
    }
}

// The desktop may have taken a modifier down or up while another window had
// the keys; the host hears of it before the key that comes with it (Alt+F4
// must arrive with Alt down).
void Desktop::SyncModifiers(Uint16 mod, UINT vk)
{
    struct Modifier {
        UINT vk;
        Uint16 mask;
    };
    static constexpr Modifier kModifiers[] = {{VK_MENU, KMOD_ALT}, {VK_SHIFT, KMOD_SHIFT}, {VK_CONTROL, KMOD_CTRL}};
    for (const Modifier& m : kModifiers) {
        if (m.vk == vk) continue;
        bool down = (mod & m.mask) != 0;
        bool hostDown = GetAsyncKeyState(static_cast<int>(m.vk)) < 0;
        if (down && !hostDown) user::KeyDown(m.vk);
        else if (!down && hostDown) user::KeyUp(m.vk);
    }
}

void Desktop::Handle(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_MOUSEMOTION: user::MovePointer(PointerAt(e.motion.windowID, e.motion.x, e.motion.y)); break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button != SDL_BUTTON_LEFT) break;
        user::PlacePointer(PointerAt(e.button.windowID, e.button.x, e.button.y));
        m_releaseSeenAt = 0;
        user::PressLeft();
        break;
    case SDL_MOUSEBUTTONUP:
        m_managerMove = nullptr;
        if (e.button.button != SDL_BUTTON_LEFT || !LeftDown()) break;  // Track may have ended it already
        user::PlacePointer(PointerAt(e.button.windowID, e.button.x, e.button.y));
        user::ReleaseLeft();
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (UINT vk = VirtualKeyFromSdl(e.key.keysym.sym)) {
            SyncModifiers(e.key.keysym.mod, vk);
            if (e.type == SDL_KEYDOWN) user::KeyDown(vk);
            else user::KeyUp(vk);
        }
        break;
    case SDL_WINDOWEVENT: HandleWindowEvent(e.window); break;
    default:
        // SDL_QUIT follows the last window's own close event, which did the work.
        break;
    }
}

void Desktop::HandleWindowEvent(const SDL_WindowEvent& e)
{
    HWND h = HandleOf(e.windowID);
    Shown* s = Of(h);
    RECT r;
    if (!s || !GetWindowRect(h, &r)) return;
    bool iconic = IsIconic(h) != FALSE;
    FromDesktop guard(m_fromDesktop);
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE: user::CloseRequest(h); break;
    case SDL_WINDOWEVENT_MOVED:
        if (s->echoes.Consume(POINT{e.data1, e.data2}, SDL_GetTicks()) || iconic) break;
        if (e.data1 != r.left || e.data2 != r.top)
            SetWindowPos(h, nullptr, e.data1, e.data2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        // Hiding a window unmaps it, which SDL may report as a minimize too;
        // a window the host hid is not minimized by that.
        s->minimizePending = false;
        if (e.event != SDL_WINDOWEVENT_MINIMIZED || !IsWindowVisible(h)) break;
        s->minimized = true;
        if (!iconic) ShowWindow(h, SW_MINIMIZE);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
        // A show or restore still on its way when we asked for the minimize
        // is no restore.
        if (s->minimizePending || !IsWindowVisible(h)) break;
        s->minimized = false;
        s->dirty = true;
        if (iconic) ShowWindow(h, SW_RESTORE);
        break;
    case SDL_WINDOWEVENT_EXPOSED: s->dirty = true; break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (!iconic && GetActiveWindow() != h) SetActiveWindow(h);
        break;
    default: break;
    }
}

}  // namespace host::sdl
