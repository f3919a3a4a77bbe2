// The window table: handles, classes, creation and destruction, window
// words and text, and the parent/child tree.
#include "user/internal.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <unordered_map>

namespace host::user {
namespace {

// A dialog's template font is its own; a font given by WM_SETFONT is not.
void FreeDialogFont(const Window& w)
{
    if (w.dialog && w.dialog->ownsFont && w.dialog->font) DeleteObject(w.dialog->font);
}

struct Table {
    // Handle values are never reused, so a stale handle can never name a
    // newer window.
    std::uintptr_t next = 0x10010;
    std::unordered_map<std::uintptr_t, std::shared_ptr<Window>> windows;
    std::vector<HWND> topLevels;  // creation order
    std::vector<HWND> zOrder;     // top-level windows, topmost first
};

Table& T()
{
    static Table table;
    return table;
}

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

void Unlink(Window* w)
{
    Table& t = T();
    if (w->parent) {
        if (Window* p = Find(w->parent)) std::erase(p->children, w->handle);
    } else {
        std::erase(t.topLevels, w->handle);
        std::erase(t.zOrder, w->handle);
    }
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
    Unlink(w);
    DropMessagesFor(h);
    ForgetWindowInput(h);
    std::uintptr_t key = reinterpret_cast<std::uintptr_t>(h);
    std::shared_ptr<Window> keep = T().windows[key];  // lives until the end of this scope
    T().windows.erase(key);
    if (top) host::CurrentPresenter().WindowDestroyed(h);
}

}  // namespace

Window* Find(HWND h)
{
    auto& m = T().windows;
    auto it = m.find(reinterpret_cast<std::uintptr_t>(h));
    return it == m.end() ? nullptr : it->second.get();
}

Window* FindOrFail(HWND h)
{
    Window* w = Find(h);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

const std::vector<HWND>& TopLevels() { return T().topLevels; }

std::vector<HWND> TopLevelsByZ() { return T().zOrder; }

void BringToTop(HWND top)
{
    auto& z = T().zOrder;
    auto it = std::find(z.begin(), z.end(), top);
    if (it == z.end()) return;
    z.erase(it);
    z.insert(z.begin(), top);
}

HWND RootOf(HWND h)
{
    Window* w = Find(h);
    while (w && w->parent) {
        Window* p = Find(w->parent);
        if (!p) break;
        w = p;
    }
    return w ? w->handle : nullptr;
}

bool IsAncestor(HWND ancestor, HWND h)
{
    for (Window* w = Find(h); w; w = w->parent ? Find(w->parent) : nullptr)
        if (w->handle == ancestor) return true;
    return false;
}

bool VisibleChain(const Window* w)
{
    while (w) {
        if (!(w->style & WS_VISIBLE)) return false;
        w = w->parent ? Find(w->parent) : nullptr;
    }
    return true;
}

POINT ClientOriginInTop(const Window* w)
{
    POINT p{0, 0};
    while (w && w->parent) {
        p.x += w->rect.left;
        p.y += w->rect.top;
        w = Find(w->parent);
    }
    return p;
}

POINT ClientOriginOnScreen(const Window* w)
{
    POINT p = ClientOriginInTop(w);
    if (Window* top = Find(RootOf(w->handle))) {
        p.x += top->rect.left;
        p.y += top->rect.top;
    }
    return p;
}

RECT VisibleClipInTop(const Window* w)
{
    POINT o = ClientOriginInTop(w);
    RECT clip{o.x, o.y, o.x + w->Width(), o.y + w->Height()};
    for (const Window* a = w->parent ? Find(w->parent) : nullptr; a; a = a->parent ? Find(a->parent) : nullptr) {
        POINT ao = ClientOriginInTop(a);
        RECT ar{ao.x, ao.y, ao.x + a->Width(), ao.y + a->Height()};
        if (!IntersectRect(&clip, &clip, &ar)) return RECT{};
    }
    return clip;
}

std::shared_ptr<Surface> SurfaceOf(const Window* w)
{
    Window* top = Find(RootOf(w->handle));
    return top ? top->surface : nullptr;
}

bool ResizeSurface(Window* top)
{
    long long pixels = static_cast<long long>(top->Width()) * top->Height();
    if (pixels > kMaxSurfacePixels) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    if (top->surface && top->surface->width == top->Width() && top->surface->height == top->Height()) return true;
    try {
        top->surface = std::make_shared<Surface>(top->Width(), top->Height());
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    return true;
}

void ForgetAllWindows()
{
    Table& t = T();
    for (auto& [key, w] : t.windows) FreeDialogFont(*w);
    t.windows.clear();
    t.topLevels.clear();
    t.zOrder.clear();
}

namespace {

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
    Table& t = T();
    w->handle = reinterpret_cast<HWND>(t.next);
    t.next += 2;
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

// Into the table, the parent's children or the top-level z-order, and the
// presenter's knowledge.
void Enter(const std::shared_ptr<Window>& w, Window* parent)
{
    Table& t = T();
    HWND h = w->handle;
    t.windows[reinterpret_cast<std::uintptr_t>(h)] = w;
    if (parent && w->IsChild()) {
        parent->children.push_back(h);
    } else {
        t.topLevels.push_back(h);
        t.zOrder.insert(t.zOrder.begin(), h);
        host::CurrentPresenter().WindowCreated(h);
    }
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

namespace {

bool ExtraHolds(const Window* w, std::int64_t index)
{
    return index >= 0 && static_cast<std::uint64_t>(index) + sizeof(LONG_PTR) <= w->extra.size();
}

}  // namespace

bool ReadExtra(const Window* w, std::int64_t index, LONG_PTR* value)
{
    if (!ExtraHolds(w, index)) return false;
    std::memcpy(value, w->extra.data() + index, sizeof *value);
    return true;
}

bool WriteExtra(Window* w, std::int64_t index, LONG_PTR value)
{
    if (!ExtraHolds(w, index)) return false;
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return true;
}

HWND ChildWithId(const Window* w, int id)
{
    for (HWND c : w->children)
        if (Window* cw = Find(c); cw && static_cast<int>(cw->id) == id) return c;
    return nullptr;
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

BOOL IsWindow(HWND hwnd) { return Find(hwnd) != nullptr; }

HWND GetParent(HWND hwnd)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return nullptr;
    if (w->parent) return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return nullptr;
    const std::vector<HWND>* siblings = &TopLevels();
    std::vector<HWND> z;
    if (w->parent) {
        siblings = &Find(w->parent)->children;
    } else {
        z = TopLevelsByZ();
        siblings = &z;
    }
    auto it = std::find(siblings->begin(), siblings->end(), hwnd);
    switch (cmd) {
    case GW_HWNDFIRST: return siblings->empty() ? nullptr : siblings->front();
    case GW_HWNDLAST: return siblings->empty() ? nullptr : siblings->back();
    case GW_HWNDNEXT: return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == siblings->end() || it == siblings->begin()) ? nullptr : *(it - 1);
    case GW_OWNER: return w->owner;
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front();
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
    }
}

// One handle stands for the desktop; it is not a window of the table.
HWND GetDesktopWindow() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10000)); }

HWND GetDlgItem(HWND dlg, int id)
{
    Window* w = FindOrFail(dlg);
    if (!w) return nullptr;
    if (HWND c = ChildWithId(w, id)) return c;
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    Window* w = FindOrFail(hwnd);
    if (!w || !w->parent) return 0;
    return static_cast<int>(w->id);
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text)
{
    if (!FindOrFail(hwnd)) return FALSE;
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount)
{
    if (!FindOrFail(hwnd)) return 0;
    if (!buffer || maxCount <= 0) return 0;
    buffer[0] = 0;
    return static_cast<int>(
        SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd)
{
    if (!FindOrFail(hwnd)) return 0;
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG32>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG32>(w->exStyle));
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    case GWLP_USERDATA: return w->userData;
    case GWLP_ID: return w->id;
    default: break;
    }
    LONG_PTR v = 0;
    if (!ReadExtra(w, index, &v)) SetLastError(kErrorInvalidIndex);
    return v;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return 0;
    LONG_PTR old = 0;
    switch (index) {
    case GWL_STYLE:
        old = static_cast<LONG32>(w->style);
        w->style = static_cast<DWORD>(value);
        return old;
    case GWL_EXSTYLE:
        old = static_cast<LONG32>(w->exStyle);
        w->exStyle = static_cast<DWORD>(value);
        return old;
    case GWLP_WNDPROC:
        if (!value) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        return old;
    case GWLP_ID:
        old = w->id;
        w->id = value;
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    default: break;
    }
    if (!ReadExtra(w, index, &old)) {
        SetLastError(kErrorInvalidIndex);
        return 0;
    }
    WriteExtra(w, index, value);
    return old;
}

LONG GetWindowLongW(HWND hwnd, int index)
{
    return static_cast<LONG>(static_cast<LONG32>(GetWindowLongPtrW(hwnd, index)));
}
