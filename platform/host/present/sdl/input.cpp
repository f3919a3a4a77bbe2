// The desktop's events as host input: pointer and keys through the same
// delivery as the headless presenter's (screen coordinates, the window under
// the pointer or the capture), and the window manager's commands as the
// system commands and state changes that Windows would make of them.
#include "present/sdl/sdl_presenter.h"

#include "present/sdl/global_pointer.h"
#include "present/sdl/keys.h"
#include "present/sdl/scale.h"
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

bool Traced() { return std::getenv("ORVANE_TRACE") != nullptr; }

// A test path, never taken otherwise: with ORVANE_TEST_MOVE_AFTER_RELEASE=1
// a caption press asks the window manager for its move only once the
// release has come to us, which is the race that a window manager slow to
// take the pointer loses (too rare to bring about from outside).
bool MoveAfterReleaseForTests()
{
    const char* value = std::getenv("ORVANE_TEST_MOVE_AFTER_RELEASE");
    return value && std::strcmp(value, "1") == 0;
}

// When the pointer leaves a window SDL reports a motion to where it left,
// held to the window's edge, and then the leave: no motion inside the
// window, which would end a highlight that Windows keeps until the pointer
// comes back.
bool LeavingMotion(const SDL_MouseMotionEvent& motion)
{
    SDL_Event next;
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) return false;
    return next.type == SDL_WINDOWEVENT && next.window.event == SDL_WINDOWEVENT_LEAVE &&
           next.window.windowID == motion.windowID;
}

}  // namespace

// Waits for the desktop's events until one brings input, or `wakeAfterMs`
// passes. During a drag the desktop is polled for the pointer, which may
// move without an event reaching us.
bool SdlPresenter::Idle(int wakeAfterMs)
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

[[noreturn]] void SdlPresenter::Starved() { EndStarved("OrvaneCD: no window is left to take input\n"); }

// Inside a window the event's own coordinates count, taken against where the
// host has the window, so the client point is the one the user pointed at.
// Under a capture the window may be moving under the pointer (the move loop
// moves it): then only the desktop's own idea of the pointer is free of that
// motion.
POINT SdlPresenter::PointerAt(Uint32 windowId, int x, int y)
{
    HWND h = HandleOf(windowId);
    RECT r;
    const int n = Scale();
    if (user::PointerCaptured() || !GetWindowRect(h, &r)) {
        GlobalPointer p = QueryGlobalPointer(AnyWindow());
        return ToLogical(POINT{p.x, p.y}, n);
    }
    return POINT{r.left + ToLogical(x, n), r.top + ToLogical(y, n)};
}

// Where a press was on the desktop, for the window manager's move: the
// window's place when the event came, and the event's place in it.
void SdlPresenter::NotePress(Uint32 windowId, int x, int y)
{
    int left = 0, top = 0;
    if (SDL_Window* window = SDL_GetWindowFromID(windowId)) {
        SDL_GetWindowPosition(window, &left, &top);
        m_pressAt = POINT{left + x, top + y};
        return;
    }
    GlobalPointer p = QueryGlobalPointer(AnyWindow());
    m_pressAt = POINT{p.x, p.y};
}

// With the button up already there is no move to hand over, nor one to
// call off: the launcher's own loop ends at the release.
bool SdlPresenter::BeginWindowMove(HWND h)
{
    Shown* s = Of(h);
    if (!s || !s->window) return false;
    bool byManager = false;
    m_managerMove = nullptr;
    if (MoveAfterReleaseForTests()) {
        m_moveAfterRelease = h;
        byManager = true;
    } else {
        GlobalPointer p = QueryGlobalPointer(s->window);
        byManager = p.left && StartWindowManagerMove(s->window, m_pressAt.x, m_pressAt.y);
        m_managerMove = byManager ? h : nullptr;
    }
    if (Traced())
        std::fprintf(stderr, "desktop: the %s moves the window from (%ld,%ld)\n",
                     byManager ? "window manager" : "launcher", static_cast<long>(m_pressAt.x),
                     static_cast<long>(m_pressAt.y));
    return byManager;
}

// The button is up while the window manager was to move a window. A
// release that came to us means the window manager had not taken the
// pointer: the move is called off (a window manager that has ended it
// already ignores that).
void SdlPresenter::EndManagerMove(bool releaseCameToUs)
{
    if (m_moveAfterRelease) {
        Shown* s = Of(m_moveAfterRelease);
        if (s && s->window && StartWindowManagerMove(s->window, m_pressAt.x, m_pressAt.y))
            m_managerMove = m_moveAfterRelease;
        m_moveAfterRelease = nullptr;
    }
    if (!m_managerMove) return;
    if (Shown* s = Of(m_managerMove); s && s->window) CancelWindowManagerMove(s->window);
    if (releaseCameToUs && Traced())
        std::fprintf(stderr, "desktop: the release came before the window manager took the move: called off\n");
    m_managerMove = nullptr;
}

// Between events of a drag: follows the pointer, and ends the drag when the
// button has been up for a while without the release reaching us.
void SdlPresenter::Track()
{
    GlobalPointer p = QueryGlobalPointer(AnyWindow());
    const POINT at = ToLogical(POINT{p.x, p.y}, Scale());
    POINT cursor = user::PointerPos();
    if (at.x != cursor.x || at.y != cursor.y) user::MovePointer(at);
    if (p.left) {
        m_releaseSeenAt = 0;
        return;
    }
    // Mostly the window manager held the pointer for its move: the release
    // went to it and will never come to us, nor to SDL, which is handed one.
    // Else it is on its way to us, still unread: the move is called off here.
    if (m_managerMove) {
        HWND moved = m_managerMove;
        EndManagerMove(false);
        if (Shown* s = Of(moved); s && s->window) ReturnRelease(s->window, p.x, p.y);
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
void SdlPresenter::SyncModifiers(Uint16 mod, UINT vk)
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

void SdlPresenter::Handle(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_MOUSEMOTION:
        if (!LeavingMotion(e.motion)) user::MovePointer(PointerAt(e.motion.windowID, e.motion.x, e.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button != SDL_BUTTON_LEFT) break;
        user::PlacePointer(PointerAt(e.button.windowID, e.button.x, e.button.y));
        NotePress(e.button.windowID, e.button.x, e.button.y);
        m_moveAfterRelease = nullptr;
        m_releaseSeenAt = 0;
        user::PressLeft();
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT) break;
        EndManagerMove(true);
        if (!LeftDown()) break;  // Track may have ended it already
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

void SdlPresenter::HandleWindowEvent(const SDL_WindowEvent& e)
{
    HWND h = HandleOf(e.windowID);
    Shown* s = Of(h);
    RECT r;
    if (!s || !GetWindowRect(h, &r)) return;
    bool iconic = IsIconic(h) != FALSE;
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE: user::CloseRequest(h); break;
    case SDL_WINDOWEVENT_MOVED: {
        if (s->echoes.Consume(POINT{e.data1, e.data2}, SDL_GetTicks()) || iconic) break;
        const POINT at = ToLogical(POINT{e.data1, e.data2}, Scale());
        if (at.x == r.left && at.y == r.top) break;
        s->dirty = true;
        user::DesktopMoved(h, at);
        break;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        // Hiding a window unmaps it, which SDL may report as a minimize too;
        // a window the host hid is not minimized by that.
        s->minimizePending = false;
        if (e.event != SDL_WINDOWEVENT_MINIMIZED || !IsWindowVisible(h)) break;
        s->minimized = true;
        if (!iconic) user::DesktopMinimized(h);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
        // A show or restore still on its way when we asked for the minimize
        // is no restore.
        if (s->minimizePending || !IsWindowVisible(h)) break;
        s->minimized = false;
        s->dirty = true;
        if (iconic) user::DesktopRestored(h);
        break;
    case SDL_WINDOWEVENT_EXPOSED: s->dirty = true; break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (!iconic) user::DesktopActivated(h);
        break;
    default: break;
    }
}

}  // namespace host::sdl
