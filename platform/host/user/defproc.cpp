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
    MSG msg;
    bool restore = false;
    while (Find(hwnd) && GetCapture() == hwnd) {
        if (!NextMessageForModalLoop(&msg)) break;  // WM_QUIT stays queued for the caller
        if (msg.message == WM_MOUSEMOVE) {
            SetWindowPos(hwnd, nullptr, startRect.left + msg.pt.x - start.x,
                         startRect.top + msg.pt.y - start.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
        SetWindowPos(hwnd, nullptr, startRect.left, startRect.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (GetCapture() == hwnd) ReleaseCapture();
    SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace host::user

using namespace host::user;

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!proc) { SetLastError(ERROR_INVALID_PARAMETER); return 0; }
    return proc(hwnd, msg, wParam, lParam);
}

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT: {
        auto* text = reinterpret_cast<LPCWSTR>(lParam);
        std::wstring_view now = text ? text : L"";
        // A top-level window's text is its title on the desktop, which hears
        // of changes only (the launcher sets its title on every paint).
        const bool changed = now != w->text;
        w->text = now;
        if (changed && !w->parent) host::CurrentPresenter().TextChanged(hwnd);
        return TRUE;
    }
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<LPWSTR>(lParam);
        if (!buf || wParam == 0) return 0;
        std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
        std::wmemcpy(buf, w->text.data(), n);
        buf[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 0;  // no class brush
    case WM_ICONERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, FaceBrush());
        return 1;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessageW(hwnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
        case SC_MOVE: RunMoveLoop(hwnd); break;
        default: break;
        }
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && !w->parent)
            SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
        return 0;
    case WM_NCHITTEST: {
        RECT r;
        GetWindowRect(hwnd, &r);
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return PtInRect(&r, p) ? HTCLIENT : HTNOWHERE;
    }
    case WM_MOUSEACTIVATE:
        return 1;  // MA_ACTIVATE
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos) return 0;
        if (!(pos->flags & SWP_NOSIZE))
            SendMessageW(hwnd, WM_SIZE, (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED,
                         MAKELPARAM(pos->cx, pos->cy));
        if (!(pos->flags & SWP_NOMOVE) && Find(hwnd)) SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(pos->x, pos->y));
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(hwnd);
        return 0;
    case WM_SETICON: {
        HICON old = wParam == ICON_BIG ? w->bigIcon : w->smallIcon;
        (wParam == ICON_BIG ? w->bigIcon : w->smallIcon) = reinterpret_cast<HICON>(lParam);
        if (!w->parent) host::CurrentPresenter().IconChanged(hwnd);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->bigIcon : w->smallIcon);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(w->bigIcon);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kWindowTextColor);
        SetBkColor(dc, kFaceColor);
        return reinterpret_cast<LRESULT>(FaceBrush());
    }
    case WM_KEYDOWN:
        // F1 alone asks for help: WM_HELP to the window with the focus.
        if (wParam == VK_F1 && !(GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000) &&
            !(GetKeyState(VK_MENU) & 0x8000)) {
            HELPINFO info{};
            info.cbSize = sizeof info;
            info.iContextType = HELPINFO_WINDOW;
            info.iCtrlId = w->parent ? static_cast<int>(w->id) : 0;
            info.hItemHandle = hwnd;
            info.dwContextId = 0;
            info.MousePos = Input().cursor;
            SendMessageW(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1L << 29)))
            SendMessageW(RootOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_HELP:
        // Up to the parent of a child, or the owner of a top-level window.
        if (w->parent) return SendMessageW(w->parent, WM_HELP, wParam, lParam);
        if (w->owner) return SendMessageW(w->owner, WM_HELP, wParam, lParam);
        return TRUE;
    default:
        return 0;
    }
}
