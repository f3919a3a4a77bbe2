// Keyboard focus, activation, mouse capture, key state, and the routing of
// pointer and key input that a presenter delivers.
//
// GetAsyncKeyState follows input as it is delivered; GetKeyState follows it
// as the thread retrieves it (so a handler sees the state that went with its
// message).
#include "user/internal.h"

#include <algorithm>

namespace host::user {
namespace {

bool Down(const std::uint8_t* keys, int vk) { return (keys[vk] & 0x80) != 0; }

void SetKey(std::uint8_t* keys, int vk, bool down)
{
    if (down) {
        if (!(keys[vk] & 0x80)) keys[vk] ^= 0x01;  // toggles on each press
        keys[vk] |= 0x80;
    } else {
        keys[vk] &= static_cast<std::uint8_t>(~0x80);
    }
}

WPARAM MouseKeyFlags()
{
    const std::uint8_t* k = Input().async;
    WPARAM f = 0;
    if (Down(k, VK_LBUTTON)) f |= MK_LBUTTON;
    if (Down(k, 0x02)) f |= MK_RBUTTON;
    if (Down(k, VK_SHIFT)) f |= MK_SHIFT;
    if (Down(k, VK_CONTROL)) f |= MK_CONTROL;
    return f;
}

// The deepest visible, enabled window under `pt` in `h`, skipping windows
// that answer HTTRANSPARENT (the point then falls to what lies beneath).
HWND HitIn(HWND h, POINT pt, int* code)
{
    Window* w = Find(h);
    if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_DISABLED)) return nullptr;
    RECT r;
    GetWindowRect(h, &r);
    if (!PtInRect(&r, pt)) return nullptr;
    if (!(w->style & WS_MINIMIZE)) {
        std::vector<HWND> kids = w->children;
        for (HWND c : kids)
            if (HWND hit = HitIn(c, pt, code)) return hit;
    }
    LRESULT ht = SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    if (ht == HTTRANSPARENT || ht == HTNOWHERE) return nullptr;
    *code = static_cast<int>(ht);
    return h;
}

}  // namespace

InputState& Input()
{
    static InputState state;
    return state;
}

void NoteRetrieved(const MSG& msg)
{
    InputState& in = Input();
    in.lastMessagePos = msg.pt;
    int vk = static_cast<int>(msg.wParam & 0xFF);
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: SetKey(in.sync, vk, true); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: SetKey(in.sync, vk, false); break;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN: SetKey(in.sync, VK_LBUTTON, true); break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: SetKey(in.sync, VK_LBUTTON, false); break;
    default: break;
    }
}

void ForgetWindowInput(HWND h)
{
    InputState& in = Input();
    if (in.focus == h) in.focus = nullptr;
    if (in.active == h) in.active = nullptr;
    if (in.capture == h) in.capture = nullptr;
}

HWND HitTest(POINT screen, int* hitCode)
{
    *hitCode = HTNOWHERE;
    for (HWND top : TopLevelsByZ())
        if (HWND hit = HitIn(top, screen, hitCode)) return hit;
    return nullptr;
}

// Mouse messages go to the capture window, else to the window under the
// pointer: client messages with client coordinates, or the non-client form
// with screen coordinates where the window reports a non-client part.
void DeliverMouse(UINT clientMsg, UINT ncMsg)
{
    InputState& in = Input();
    int code = HTCLIENT;
    HWND target = in.capture;
    if (!target) target = HitTest(in.cursor, &code);
    if (!target) return;
    if (clientMsg == WM_LBUTTONDOWN && !in.capture) {
        HWND top = RootOf(target);
        if (top && in.active != top) {
            LRESULT ma =
                SendMessageW(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), MAKELPARAM(code, clientMsg));
            if (ma == 1 || ma == 2) SetActiveWindow(top);  // MA_ACTIVATE, MA_ACTIVATEANDEAT
            if (ma == 2 || ma == 4) return;                // ...EAT: the click is swallowed
            if (!Find(target)) return;
        }
    }
    if (code == HTCLIENT || in.capture) {
        POINT p = in.cursor;
        ScreenToClient(target, &p);
        QueueInput(target, clientMsg, MouseKeyFlags(), MAKELPARAM(p.x, p.y));
    } else if (ncMsg) {
        QueueInput(target, ncMsg, static_cast<WPARAM>(code), MAKELPARAM(in.cursor.x, in.cursor.y));
    }
}

// Keys go to the focus window; with no focus, to the active window as
// system keys. Alt held (or F10, or Alt itself) makes them system keys.
void DeliverKey(UINT vk, bool down)
{
    InputState& in = Input();
    vk &= 0xFF;
    bool wasDown = Down(in.async, static_cast<int>(vk));
    if (down && vk != VK_MENU) in.altAlone = false;
    if (down && vk == VK_MENU && !wasDown) in.altAlone = true;
    SetKey(in.async, static_cast<int>(vk), down);
    bool alt = Down(in.async, VK_MENU) || (vk == VK_MENU && !down);
    HWND target = in.focus;
    bool sys = alt || vk == 0x79 /* VK_F10 */;
    if (vk == VK_MENU && !down && !in.altAlone) sys = false;  // Alt released after a combination
    if (vk == VK_MENU && !down) in.altAlone = false;
    if (!target) {
        target = in.active;
        sys = true;
    }
    if (!target) return;
    LPARAM lp = 1;
    if (alt && vk != VK_MENU) lp |= 1L << 29;
    if (vk == VK_MENU && down) lp |= 1L << 29;
    if (wasDown) lp |= 1L << 30;
    if (!down) lp |= (1L << 30) | (1L << 31);
    if (vk >= VK_LEFT && vk <= VK_DOWN) lp |= 1L << 24;
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    QueueInput(target, msg, vk, static_cast<LPARAM>(static_cast<DWORD>(lp)));
}

}  // namespace host::user

using namespace host::user;

HWND SetFocus(HWND hwnd)
{
    InputState& in = Input();
    if (hwnd && !FindOrFail(hwnd)) return nullptr;
    HWND old = in.focus;
    if (hwnd == old) return old;
    if (hwnd) {
        Window* w = Find(hwnd);
        if (w->style & WS_DISABLED) return nullptr;
        HWND top = RootOf(hwnd);
        if (in.active != top) {
            SetActiveWindow(top);
            if (!Find(hwnd)) return nullptr;
            if (in.focus == hwnd) return old;
            old = in.focus;
        }
    }
    in.focus = hwnd;
    if (old && Find(old)) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && in.focus == hwnd && Find(hwnd)) SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() { return Input().focus; }

HWND GetActiveWindow() { return Input().active; }

HWND SetActiveWindow(HWND hwnd)
{
    InputState& in = Input();
    if (hwnd) {
        if (!FindOrFail(hwnd)) return nullptr;
        hwnd = RootOf(hwnd);
    }
    HWND old = in.active;
    if (old == hwnd) return old;
    in.active = hwnd;
    if (old && Find(old)) {
        SendMessageW(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
        if (in.focus && IsAncestor(old, in.focus) && in.active != old) {
            HWND f = in.focus;
            in.focus = nullptr;
            if (Find(f)) SendMessageW(f, WM_KILLFOCUS, 0, 0);
        }
    }
    if (hwnd && in.active == hwnd && Find(hwnd)) {
        BringToTop(hwnd);
        SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(hwnd) ? 1 : 0), reinterpret_cast<LPARAM>(old));
    }
    return old;
}

HWND SetCapture(HWND hwnd)
{
    InputState& in = Input();
    if (!FindOrFail(hwnd)) return nullptr;
    HWND old = in.capture;
    if (old == hwnd) return old;
    in.capture = hwnd;
    if (old && Find(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture()
{
    InputState& in = Input();
    HWND old = in.capture;
    in.capture = nullptr;
    if (old && Find(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return Input().capture; }

short GetKeyState(int vk)
{
    if (vk < 0 || vk > 255) return 0;
    std::uint8_t k = Input().sync[vk];
    return static_cast<short>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

short GetAsyncKeyState(int vk)
{
    if (vk < 0 || vk > 255) return 0;
    return static_cast<short>((Input().async[vk] & 0x80) ? 0x8000 : 0);
}
