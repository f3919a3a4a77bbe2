// The dialog manager's keyboard interface: Enter, Escape, Tab and the arrow
// keys for a dialog's messages; everything else it translates and
// dispatches itself.
#include "user/internal.h"

#include <algorithm>

namespace host::user {
namespace {

bool Focusable(HWND h)
{
    Window* w = Find(h);
    return w && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

void SendCommand(HWND dlg, int id)
{
    Window* w = Find(dlg);
    HWND control = w ? ChildWithId(w, id) : nullptr;
    SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, 0 /* BN_CLICKED */), reinterpret_cast<LPARAM>(control));
}

}  // namespace

HWND NextDialogControl(HWND dlg, HWND from, bool previous, bool group)
{
    Window* d = Find(dlg);
    if (!d || d->children.empty()) return nullptr;
    const std::vector<HWND>& kids = d->children;
    auto it = std::find(kids.begin(), kids.end(), from);
    std::size_t n = kids.size();
    std::size_t start = it == kids.end() ? (previous ? 0 : n - 1) : static_cast<std::size_t>(it - kids.begin());
    if (group) {
        // The group runs from a WS_GROUP control to the one before the next.
        std::size_t first = start;
        while (first > 0 && !(Find(kids[first])->style & WS_GROUP)) --first;
        std::size_t last = start;
        while (last + 1 < n && !(Find(kids[last + 1])->style & WS_GROUP)) ++last;
        std::size_t size = last - first + 1;
        for (std::size_t step = 1; step <= size; ++step) {
            std::size_t i = first + (previous ? (start - first + size - step) % size : (start - first + step) % size);
            if (Focusable(kids[i])) return kids[i];
        }
        return nullptr;
    }
    for (std::size_t step = 1; step <= n; ++step) {
        std::size_t i = previous ? (start + n - step) % n : (start + step) % n;
        Window* cw = Find(kids[i]);
        if (cw && (cw->style & WS_TABSTOP) && Focusable(kids[i])) return kids[i];
    }
    return nullptr;
}

}  // namespace host::user

using namespace host::user;

BOOL IsDialogMessageW(HWND dlg, LPMSG msg)
{
    if (!msg) return FALSE;
    Window* d = Find(dlg);
    if (!d || !msg->hwnd || !IsAncestor(dlg, msg->hwnd)) return FALSE;

    if (msg->message == WM_KEYDOWN) {
        LRESULT code =
            msg->hwnd != dlg ? SendMessageW(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)) : 0;
        if (!IsWindow(dlg)) return TRUE;
        bool wantsAll = (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
        switch (wantsAll ? 0 : msg->wParam) {
        case VK_RETURN: SendCommand(dlg, IDOK); return TRUE;
        case VK_ESCAPE: SendCommand(dlg, IDCANCEL); return TRUE;
        case VK_TAB:
            if (code & DLGC_WANTTAB) break;
            if (HWND next = NextDialogControl(dlg, GetFocus(), (GetKeyState(VK_SHIFT) & 0x8000) != 0, false))
                SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
            return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS) break;
            if (HWND next = NextDialogControl(dlg, GetFocus(), msg->wParam == VK_LEFT || msg->wParam == VK_UP, true))
                SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
            return TRUE;
        default: break;
        }
    }
    TranslateMessage(msg);
    DispatchMessageW(msg);
    return TRUE;
}
