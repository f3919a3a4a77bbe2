// Where windows are and whether they show: positions and sizes, showing,
// minimizing and restoring, enabling, coordinate mapping.
//
// Windows here have no non-client frame: the client area is the whole
// window, whatever the style. A minimized top-level window keeps its
// position and shrinks to SM_CXICON x SM_CYICON (32 x 32), which is also its
// client area while it is iconic; its WM_PAINT draws the icon there.
#include "user/internal.h"

#include <algorithm>

namespace host::user {
namespace {

// Whether the presenter hears of a change: not when the desktop made it.
enum class ETell { Presenter, Nobody };

// Applies a new rectangle with the documented notifications. `flags` as for
// SetWindowPos (only SWP_NOMOVE/NOSIZE/NOREDRAW/NOACTIVATE matter here).
BOOL Reposition(HWND hwnd, int x, int y, int cx, int cy, UINT flags, ETell tell = ETell::Presenter)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return FALSE;
    if (flags & SWP_NOMOVE) {
        x = w->rect.left;
        y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        cx = w->Width();
        cy = w->Height();
    }
    cx = ClampExtent(cx);
    cy = ClampExtent(cy);
    if (!w->parent && static_cast<long long>(cx) * cy > kMaxSurfacePixels) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }

    WINDOWPOS pos{hwnd, nullptr, x, y, cx, cy, flags};
    SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = Find(hwnd))) return FALSE;
    pos.cx = ClampExtent(pos.cx);
    pos.cy = ClampExtent(pos.cy);
    bool moved = pos.x != w->rect.left || pos.y != w->rect.top;
    bool sized = pos.cx != w->Width() || pos.cy != w->Height();
    if (!moved && !sized) return TRUE;

    bool redraw = !(flags & SWP_NOREDRAW) && VisibleChain(w);
    if (w->parent && redraw) InvalidateParentArea(w);
    RECT old = w->rect;
    w->rect = RECT{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    if (!w->parent && sized && !ResizeSurface(w)) {
        w->rect = old;
        return FALSE;
    }
    // A child repaints where it now is (when it is shown); a top-level
    // window repaints when its size, and so its surface, changed.
    if (w->parent ? redraw : sized) InvalidateAll(w, true);
    if (w->parent && redraw) InvalidateParentArea(w);
    if (!w->parent && tell == ETell::Presenter) host::CurrentPresenter().WindowMoved(hwnd, w->rect);

    pos.flags = flags | (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
    SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}

void SetVisible(Window* w, bool visible)
{
    HWND h = w->handle;
    SendMessageW(h, WM_SHOWWINDOW, visible ? TRUE : FALSE, 0);
    if (!(w = Find(h))) return;
    if (visible) {
        w->style |= WS_VISIBLE;
        InvalidateAll(w, true);
        if (!w->parent) host::CurrentPresenter().WindowShown(h);
    } else {
        w->style &= ~WS_VISIBLE;
        if (w->parent) InvalidateParentArea(w);
        else host::CurrentPresenter().WindowHidden(h);
        InputState& in = Input();
        if (in.focus && IsAncestor(h, in.focus)) SetFocus(w->parent ? RootOf(h) : nullptr);
        if (in.active == h) SetActiveWindow(nullptr);
    }
}

void Minimize(Window* w, ETell tell = ETell::Presenter)
{
    HWND h = w->handle;
    if (w->style & WS_MINIMIZE) return;
    w->restoreRect = w->rect;
    // Iconic before the resize, so that the WM_SIZE it brings says SIZE_MINIMIZED.
    w->style |= WS_MINIMIZE;
    int iconX = GetSystemMetrics(SM_CXICON), iconY = GetSystemMetrics(SM_CYICON);
    if (!Reposition(h, 0, 0, iconX, iconY, SWP_NOMOVE | SWP_NOACTIVATE, tell)) {
        if ((w = Find(h))) w->style &= ~WS_MINIMIZE;
        return;
    }
    if (!(w = Find(h))) return;
    InvalidateAll(w, true);
    if (!w->parent && tell == ETell::Presenter) host::CurrentPresenter().WindowMinimized(h);
    InputState& in = Input();
    if (in.active == h) SetActiveWindow(nullptr);
    if (in.focus && IsAncestor(h, in.focus)) SetFocus(nullptr);
}

void Restore(Window* w, ETell tell = ETell::Presenter)
{
    HWND h = w->handle;
    if (!(w->style & WS_MINIMIZE)) return;
    RECT r = w->restoreRect;
    w->style &= ~WS_MINIMIZE;
    if (!Reposition(h, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE, tell)) return;
    if (!(w = Find(h))) return;
    InvalidateAll(w, true);  // the whole window repaints, children too
    if (!w->parent && tell == ETell::Presenter) host::CurrentPresenter().WindowRestored(h);
}

// A top-level window the desktop may act on, or null.
Window* DesktopsWindow(HWND top)
{
    Window* w = Find(top);
    return w && !w->parent ? w : nullptr;
}

}  // namespace

// What the desktop did: the same steps as the application's calls for it
// (SetWindowPos, ShowWindow's SW_MINIMIZE and SW_RESTORE, SetActiveWindow),
// without the presenter's part.
void DesktopMoved(HWND top, POINT topLeft)
{
    Window* w = DesktopsWindow(top);
    // A minimized window keeps its place for when it is restored.
    if (!w || (w->style & WS_MINIMIZE)) return;
    Reposition(top, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE, ETell::Nobody);
}

void DesktopMinimized(HWND top)
{
    Window* w = DesktopsWindow(top);
    if (w && VisibleChain(w)) Minimize(w, ETell::Nobody);
}

void DesktopRestored(HWND top)
{
    Window* w = DesktopsWindow(top);
    if (!w || !(w->style & WS_MINIMIZE)) return;
    Restore(w, ETell::Nobody);
    if ((w = Find(top)) && !(w->style & WS_MINIMIZE)) SetActiveWindow(top);
}

void DesktopActivated(HWND top)
{
    Window* w = DesktopsWindow(top);
    if (w && !(w->style & WS_MINIMIZE) && Input().active != top) SetActiveWindow(top);
}

}  // namespace host::user

using namespace host::user;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return FALSE;
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE) && !Reposition(hwnd, x, y, cx, cy, flags))
        return FALSE;
    if (!(w = Find(hwnd))) return FALSE;
    if (!w->parent && !(flags & SWP_NOZORDER)) BringToTop(hwnd);
    if ((flags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE))
        ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if ((flags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE)) ShowWindow(hwnd, SW_HIDE);
    return Find(hwnd) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    Window* w = FindOrFail(hwnd);
    if (!w || !rect) {
        if (w) SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!w->parent) {
        *rect = w->rect;
        return TRUE;
    }
    POINT o = ClientOriginOnScreen(w);
    *rect = RECT{o.x, o.y, o.x + w->Width(), o.y + w->Height()};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    Window* w = FindOrFail(hwnd);
    if (!w || !rect) {
        if (w) SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *rect = RECT{0, 0, w->Width(), w->Height()};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt)
{
    Window* w = FindOrFail(hwnd);
    if (!w || !pt) return FALSE;
    POINT o = ClientOriginOnScreen(w);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt)
{
    Window* w = FindOrFail(hwnd);
    if (!w || !pt) return FALSE;
    POINT o = ClientOriginOnScreen(w);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

BOOL IsWindowVisible(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && VisibleChain(w);
}

BOOL IsIconic(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

// Returns whether the window was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return FALSE;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        InputState& in = Input();
        if (in.focus && IsAncestor(hwnd, in.focus)) SetFocus(nullptr);
        if (in.capture && IsAncestor(hwnd, in.capture)) ReleaseCapture();
    }
    SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

// Returns whether the window was visible before.
BOOL ShowWindow(HWND hwnd, int cmdShow)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
    bool activate = false;
    switch (cmdShow) {
    case SW_HIDE:
        if (wasVisible) SetVisible(w, false);
        return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (!wasVisible) SetVisible(w, true);
        if ((w = Find(hwnd))) Minimize(w);
        if (cmdShow == SW_SHOWMINIMIZED && (w = Find(hwnd)) && !w->parent) SetActiveWindow(hwnd);
        return wasVisible;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWMAXIMIZED:
        if ((w->style & WS_MINIMIZE)) Restore(w);
        activate = true;
        break;
    case SW_SHOW: activate = true; break;
    case SW_SHOWNOACTIVATE:
        if ((w->style & WS_MINIMIZE)) Restore(w);
        break;
    case SW_SHOWNA: break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return wasVisible;
    }
    if (!(w = Find(hwnd))) return wasVisible;
    if (!(w->style & WS_VISIBLE)) SetVisible(w, true);
    if (activate && (w = Find(hwnd)) && !w->parent && !(w->style & WS_MINIMIZE)) SetActiveWindow(hwnd);
    return wasVisible;
}

HWND WindowFromPoint(POINT pt)
{
    int code = 0;
    return HitTest(pt, &code);
}
