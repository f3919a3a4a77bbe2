// Default window processing, and the system's move loop that a press on a
// caption starts.
#include "user/internal.h"

#include <algorithm>
#include <cwchar>

namespace host::user {

HBRUSH FaceBrush()
{
    static HBRUSH brush = nullptr;
    if (!brush || GetObjectType(brush) != OBJ_BRUSH) brush = CreateSolidBrush(kFaceColor);
    return brush;
}

// Moves the window with the pointer while the left button stays down, as
// the system's SC_MOVE does. Other messages are dispatched meanwhile, so the
// window keeps painting. Escape puts the window back where it was.
void RunMoveLoop(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w || w->parent || (w->style & WS_MINIMIZE)) return;
    if (!(GetKeyState(VK_LBUTTON) & 0x8000)) return;
    POINT start = Input().lastMessagePos;  // where the press that started it was
    RECT startRect = w->rect;
    SetCapture(hwnd);
    SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    // Where the window manager moves the window, the loop only waits for
    // the release; the presenter reports the places it moves it to.
    const bool desktopMoves = host::CurrentPresenter().BeginWindowMove(hwnd);
    MSG msg;
    bool restore = false;
    while (Find(hwnd) && GetCapture() == hwnd) {
        if (!NextMessageForModalLoop(&msg)) break;  // WM_QUIT stays queued for the caller
        if (msg.message == WM_MOUSEMOVE) {
            if (!desktopMoves)
                SetWindowPos(hwnd, nullptr, startRect.left + msg.pt.x - start.x, startRect.top + msg.pt.y - start.y, 0,
                             0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (msg.message == WM_LBUTTONUP) {
            break;
        } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            restore = true;
            break;
        } else {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (!(GetKeyState(VK_LBUTTON) & 0x8000)) break;
    }
    if (!Find(hwnd)) return;
    if (restore)
        SetWindowPos(hwnd, nullptr, startRect.left, startRect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (GetCapture() == hwnd) ReleaseCapture();
    SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace host::user

using namespace host::user;

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return proc(hwnd, msg, wParam, lParam);
}

namespace {

LRESULT SetText(Window* w, LPCWSTR text)
{
    std::wstring_view now = text ? text : L"";
    // A top-level window's text is its title on the desktop, which hears
    // of changes only (the launcher sets its title on every paint).
    const bool changed = now != w->text;
    w->text = now;
    if (changed && !w->parent) host::CurrentPresenter().TextChanged(w->handle);
    return TRUE;
}

LRESULT GetText(const Window* w, WPARAM size, LPWSTR buf)
{
    if (!buf || size == 0) return 0;
    std::size_t n = std::min<std::size_t>(w->text.size(), size - 1);
    std::wmemcpy(buf, w->text.data(), n);
    buf[n] = 0;
    return static_cast<LRESULT>(n);
}

void SystemCommand(HWND hwnd, WPARAM command)
{
    switch (command & 0xFFF0) {
    case SC_CLOSE: SendMessageW(hwnd, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    case SC_MOVE: RunMoveLoop(hwnd); break;
    default: break;
    }
}

LRESULT HitTestWindow(HWND hwnd, LPARAM screenPoint)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    POINT p{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    return PtInRect(&r, p) ? HTCLIENT : HTNOWHERE;
}

// WM_SIZE and WM_MOVE, as the change of position asks.
void PositionChanged(const Window* w, const WINDOWPOS* pos)
{
    if (!pos) return;
    HWND hwnd = w->handle;
    if (!(pos->flags & SWP_NOSIZE))
        SendMessageW(hwnd, WM_SIZE, (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED,
                     MAKELPARAM(pos->cx, pos->cy));
    if (!(pos->flags & SWP_NOMOVE) && Find(hwnd)) SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(pos->x, pos->y));
}

LRESULT SetIcon(Window* w, WPARAM which, HICON icon)
{
    HICON& slot = which == ICON_BIG ? w->bigIcon : w->smallIcon;
    HICON old = slot;
    slot = icon;
    if (!w->parent) host::CurrentPresenter().IconChanged(w->handle);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT ControlColors(HDC dc)
{
    SetTextColor(dc, kWindowTextColor);
    SetBkColor(dc, kFaceColor);
    return reinterpret_cast<LRESULT>(FaceBrush());
}

bool Held(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// F1 alone asks for help: WM_HELP to the window with the focus.
void AskForHelpOnF1(const Window* w, WPARAM vk)
{
    if (vk != VK_F1 || Held(VK_SHIFT) || Held(VK_CONTROL) || Held(VK_MENU)) return;
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = w->parent ? static_cast<int>(w->id) : 0;
    info.hItemHandle = w->handle;
    info.dwContextId = 0;
    info.MousePos = Input().cursor;
    SendMessageW(w->handle, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

// Up to the parent of a child, or the owner of a top-level window.
LRESULT PassHelpUp(const Window* w, WPARAM wParam, LPARAM lParam)
{
    if (w->parent) return SendMessageW(w->parent, WM_HELP, wParam, lParam);
    if (w->owner) return SendMessageW(w->owner, WM_HELP, wParam, lParam);
    return TRUE;
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    if (IsCtlColorMessage(msg)) return ControlColors(reinterpret_cast<HDC>(wParam));
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT: return SetText(w, reinterpret_cast<LPCWSTR>(lParam));
    case WM_GETTEXT: return GetText(w, wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 0;  // no class brush
    case WM_ICONERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, FaceBrush());
        return 1;
    }
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: SystemCommand(hwnd, wParam); return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && !w->parent) SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
        return 0;
    case WM_NCHITTEST: return HitTestWindow(hwnd, lParam);
    case WM_MOUSEACTIVATE: return 1;  // MA_ACTIVATE
    case WM_WINDOWPOSCHANGED: PositionChanged(w, reinterpret_cast<const WINDOWPOS*>(lParam)); return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(hwnd);
        return 0;
    case WM_SETICON: return SetIcon(w, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->bigIcon : w->smallIcon);
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(w->bigIcon);
    case WM_KEYDOWN: AskForHelpOnF1(w, wParam); return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1L << 29))) SendMessageW(RootOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_HELP: return PassHelpUp(w, wParam, lParam);
    default: return 0;
    }
}
