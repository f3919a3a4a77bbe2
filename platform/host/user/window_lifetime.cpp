// Creating and destroying windows: the classes this host knows, the
// creation messages, and the destruction order Windows documents.
#include "user/internal.h"

#include <cstring>
#include <cwctype>

namespace host::user {

// A dialog's template font is its own; a font given by WM_SETFONT is not.
void FreeDialogFont(const Window& w)
{
    if (w.dialog && w.dialog->ownsFont && w.dialog->font) DeleteObject(w.dialog->font);
}

namespace {

bool SameClassName(const std::wstring& a, const wchar_t* b)
{
    std::size_t n = std::wcslen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

// The classes this host knows: the dialog class and the static control.
bool ResolveClass(LPCWSTR name, WindowKind* kind, std::wstring* canonical)
{
    if (!name) return false;
    if (IS_INTRESOURCE(name)) {
        auto atom = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
        if (atom == 0x8002) {
            *kind = WindowKind::Dialog;
            *canonical = L"#32770";
            return true;
        }
        if (atom == 0x0082) {
            *kind = WindowKind::Static;
            *canonical = L"Static";
            return true;
        }
        return false;
    }
    std::wstring s(name);
    if (SameClassName(s, L"#32770")) {
        *kind = WindowKind::Dialog;
        *canonical = L"#32770";
        return true;
    }
    if (SameClassName(s, L"Static")) {
        *kind = WindowKind::Static;
        *canonical = L"Static";
        return true;
    }
    return false;
}

void SendDestroy(HWND h)
{
    SendMessageW(h, WM_DESTROY, 0, 0);
    Window* w = Find(h);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (HWND c : kids)
        if (Find(c)) SendDestroy(c);
}

void SendNcDestroyAndFree(HWND h)
{
    Window* w = Find(h);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (HWND c : kids) SendNcDestroyAndFree(c);
    SendMessageW(h, WM_NCDESTROY, 0, 0);
    w = Find(h);
    if (!w) return;
    bool top = !w->parent;
    FreeDialogFont(*w);
    std::shared_ptr<Window> keep = LeaveWindow(h);  // lives until the end of this scope
    DropMessagesFor(h);
    ForgetWindowInput(h);
    if (top) host::CurrentPresenter().WindowDestroyed(h);
}

// The parent a window of that style may have: null for a top-level window
// without owner; false, with the error set, for a stale parent or a child
// without one.
bool CheckParent(const CREATESTRUCTW& cs, Window** parent)
{
    *parent = nullptr;
    if (cs.hwndParent && !(*parent = Find(cs.hwndParent))) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    if ((cs.style & WS_CHILD) && !*parent) {
        SetLastError(kErrorTopLevelChild);
        return false;
    }
    return true;
}

// The window as it is before its first message: hidden, at its place.
std::shared_ptr<Window> NewWindow(const CREATESTRUCTW& cs, WindowKind kind, std::wstring className, DLGPROC dialogProc)
{
    auto w = std::make_shared<Window>();
    w->handle = NewWindowHandle();
    w->kind = kind;
    w->className = std::move(className);
    w->proc = kind == WindowKind::Dialog ? DefDlgProcW : StaticWndProc;
    w->instance = cs.hInstance;
    w->style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;
    w->exStyle = cs.dwExStyle;
    w->rect = RECT{cs.x, cs.y, cs.x + ClampExtent(cs.cx), cs.y + ClampExtent(cs.cy)};
    if (kind == WindowKind::Dialog) {
        w->extra.assign(kDialogExtraBytes, 0);
        WriteExtra(w.get(), DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(dialogProc));
    }
    if (cs.style & WS_CHILD) {
        w->parent = cs.hwndParent;
        w->id = reinterpret_cast<LONG_PTR>(cs.hMenu);
    } else {
        w->owner = cs.hwndParent ? RootOf(cs.hwndParent) : nullptr;
        if (!ResizeSurface(w.get())) return nullptr;
    }
    return w;
}

// Into the table and the presenter's knowledge.
void Enter(const std::shared_ptr<Window>& w, Window* parent)
{
    EnterWindow(w, parent);
    if (!(parent && w->IsChild())) host::CurrentPresenter().WindowCreated(w->handle);
}

// WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, then the window is shown if
// asked. Any handler may destroy the window; false when it is gone.
bool SendCreationMessages(HWND h, CREATESTRUCTW& cs)
{
    if (!SendMessageW(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        if (Find(h)) SendNcDestroyAndFree(h);
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!Find(h)) return false;
    if (SendMessageW(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (Find(h)) DestroyWindow(h);
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    Window* created = Find(h);
    if (!created) return false;
    SendMessageW(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(created->Width(), created->Height()));
    if (!(created = Find(h))) return false;
    SendMessageW(h, WM_MOVE, 0, MAKELPARAM(created->rect.left, created->rect.top));
    if (!Find(h)) return false;
    if (cs.style & WS_VISIBLE) ShowWindow(h, SW_SHOW);
    return Find(h) != nullptr;
}

}  // namespace

HWND CreateWindowInternal(CREATESTRUCTW cs, DLGPROC dialogProc)
{
    WindowKind kind;
    std::wstring canonical;
    if (!ResolveClass(cs.lpszClass, &kind, &canonical)) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    Window* parent;
    if (!CheckParent(cs, &parent)) return nullptr;
    if (cs.x == CW_USEDEFAULT) cs.x = cs.y = 0;
    if (cs.cx == CW_USEDEFAULT) cs.cx = cs.cy = 0;
    std::shared_ptr<Window> w = NewWindow(cs, kind, std::move(canonical), dialogProc);
    if (!w) return nullptr;
    Enter(w, parent);
    HWND h = w->handle;
    return SendCreationMessages(h, cs) ? h : nullptr;
}

}  // namespace host::user

using namespace host::user;

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int cx, int cy,
                     HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    CREATESTRUCTW cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.cy = cy;
    cs.cx = cx;
    cs.y = y;
    cs.x = x;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    return CreateWindowInternal(cs, nullptr);
}

// WM_DESTROY goes to the window and then down to its children, while all of
// them still exist; WM_NCDESTROY comes back up, children first. Owned
// windows go before their owner.
BOOL DestroyWindow(HWND hwnd)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return FALSE;
    if (w->destroying) return FALSE;
    w->destroying = true;

    if (!w->parent) {
        std::vector<HWND> owned;
        for (HWND t : TopLevels())
            if (Window* o = Find(t); o && o->owner == hwnd) owned.push_back(t);
        for (HWND o : owned)
            if (Find(o)) DestroyWindow(o);
    }
    if (!(w = Find(hwnd))) return TRUE;
    if (w->style & WS_VISIBLE) {
        w->style &= ~WS_VISIBLE;
        if (w->parent) InvalidateParentArea(w);
        else host::CurrentPresenter().WindowHidden(hwnd);
    }
    InputState& in = Input();
    if (in.capture && IsAncestor(hwnd, in.capture)) in.capture = nullptr;
    if (in.focus && IsAncestor(hwnd, in.focus)) in.focus = nullptr;
    if (in.active == hwnd) in.active = nullptr;

    SendDestroy(hwnd);
    SendNcDestroyAndFree(hwnd);
    return TRUE;
}
