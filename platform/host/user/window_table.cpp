// The window table: handles and the windows they name, the parent/child
// tree and the top-level windows' creation and z-order, and the calls that
// walk them.
#include "user/internal.h"

#include <algorithm>
#include <unordered_map>

namespace host::user {
namespace {

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

}  // namespace

HWND NewWindowHandle()
{
    Table& t = T();
    HWND h = reinterpret_cast<HWND>(t.next);
    t.next += 2;
    return h;
}

void EnterWindow(const std::shared_ptr<Window>& w, Window* parent)
{
    Table& t = T();
    HWND h = w->handle;
    t.windows[reinterpret_cast<std::uintptr_t>(h)] = w;
    if (parent && w->IsChild()) {
        parent->children.push_back(h);
    } else {
        t.topLevels.push_back(h);
        t.zOrder.insert(t.zOrder.begin(), h);
    }
}

std::shared_ptr<Window> LeaveWindow(HWND h)
{
    Table& t = T();
    auto it = t.windows.find(reinterpret_cast<std::uintptr_t>(h));
    if (it == t.windows.end()) return nullptr;
    std::shared_ptr<Window> w = it->second;
    if (w->parent) {
        if (Window* p = Find(w->parent)) std::erase(p->children, h);
    } else {
        std::erase(t.topLevels, h);
        std::erase(t.zOrder, h);
    }
    t.windows.erase(it);
    return w;
}

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

void ForgetAllWindows()
{
    Table& t = T();
    for (auto& [key, w] : t.windows) FreeDialogFont(*w);
    t.windows.clear();
    t.topLevels.clear();
    t.zOrder.clear();
}

HWND ChildWithId(const Window* w, int id)
{
    for (HWND c : w->children)
        if (Window* cw = Find(c); cw && static_cast<int>(cw->id) == id) return c;
    return nullptr;
}

}  // namespace host::user

using namespace host::user;

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
