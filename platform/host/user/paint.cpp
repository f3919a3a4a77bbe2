// Update regions and device contexts on window surfaces.
//
// An update region is a few disjoint rectangles in client coordinates, and
// the paint DC changes nothing outside them; rcPaint is their bounding box.
// Invalidating a window without WS_CLIPCHILDREN also invalidates the part of
// each child it covers, so the children repaint after their parent has
// painted over them. With WS_CLIPCHILDREN the children are left alone (but
// the parent's paint DC is not clipped around them).
#include "user/internal.h"

#include <algorithm>
#include <unordered_map>

namespace host::user {
namespace {

struct DcRecord {
    HWND hwnd;
    bool paint;
};

std::unordered_map<HDC, DcRecord>& Dcs()
{
    static std::unordered_map<HDC, DcRecord> dcs;
    return dcs;
}

RECT ClientRectOf(const Window* w) { return RECT{0, 0, w->Width(), w->Height()}; }

// `area` in the window's client coordinates, already clipped to it.
void AddUpdate(Window* w, const RECT& area, bool erase)
{
    if (IsRectEmpty(&area)) return;
    w->update.Add(area);
    w->erase = w->erase || erase;
}

// A DC on the window's client area, limited to `clientClip` when given.
HDC MakeDc(Window* w, const Region* clientClip, bool paint)
{
    std::shared_ptr<Surface> s = SurfaceOf(w);
    if (!s) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    POINT origin = ClientOriginInTop(w);
    RECT clip = VisibleClipInTop(w);
    std::vector<RECT> parts;
    if (clientClip) {
        RECT c = clientClip->Bounds();
        OffsetRect(&c, origin.x, origin.y);
        IntersectRect(&clip, &clip, &c);
        if (clientClip->Parts().size() > 1) {
            Region onSurface = *clientClip;
            onSurface.Offset(origin.x, origin.y);
            parts = onSurface.Parts();
        }
    }
    HDC dc = CreateSurfaceDC(s, origin, clip, std::move(parts));
    if (dc) Dcs()[dc] = DcRecord{w->handle, paint};
    return dc;
}

bool ReleaseTracked(HDC dc, bool paint)
{
    auto it = Dcs().find(dc);
    if (it == Dcs().end() || it->second.paint != paint) return false;
    HWND h = it->second.hwnd;
    Dcs().erase(it);
    ReleaseSurfaceDC(dc);
    if (h == GetDesktopWindow()) return true;
    if (HWND top = RootOf(h)) host::CurrentPresenter().Painted(top);
    return true;
}

std::shared_ptr<Surface>& DesktopSurface()
{
    static std::shared_ptr<Surface> s;
    return s;
}

// The first window at or below `h` (a top-level window or a descendant of
// one) that is visible and has something to paint. A minimized window's
// children are not painted: only the window itself (its icon) is.
HWND FindIn(HWND h, HWND filter)
{
    Window* w = Find(h);
    if (!w || !(w->style & WS_VISIBLE)) return nullptr;
    if (!w->update.Empty() && !PaintRefused(w) && (!filter || IsAncestor(filter, h))) return h;
    if (!w->parent && (w->style & WS_MINIMIZE)) return nullptr;
    for (HWND c : w->children)
        if (HWND p = FindIn(c, filter)) return p;
    return nullptr;
}

}  // namespace

namespace {

// Invalidate below a window whose whole parent chain is visible: a child
// then needs only its own WS_VISIBLE. Nothing here sends a message, so the
// tree does not change on the way down.
void InvalidateVisible(Window* w, const RECT* clientRect, bool erase, bool allChildren)
{
    RECT client = ClientRectOf(w);
    RECT area = client;
    if (clientRect && !IntersectRect(&area, clientRect, &client)) return;
    AddUpdate(w, area, erase);
    if ((w->style & WS_CLIPCHILDREN) && !allChildren) return;
    for (HWND c : w->children) {
        Window* cw = Find(c);
        if (!cw || !(cw->style & WS_VISIBLE)) continue;
        RECT part;
        if (!IntersectRect(&part, &area, &cw->rect)) continue;
        OffsetRect(&part, -cw->rect.left, -cw->rect.top);
        InvalidateVisible(cw, &part, erase, allChildren);
    }
}

}  // namespace

void Invalidate(Window* w, const RECT* clientRect, bool erase, bool allChildren)
{
    if (VisibleChain(w)) InvalidateVisible(w, clientRect, erase, allChildren);
}

void InvalidateAll(Window* w, bool erase) { Invalidate(w, nullptr, erase, true); }

void InvalidateParentArea(Window* child)
{
    if (!child->parent) return;
    if (Window* p = Find(child->parent)) {
        RECT r = child->rect;
        Invalidate(p, &r, true, false);
    }
}

HWND FindWindowToPaint(HWND filter)
{
    for (HWND top : TopLevels())
        if (HWND p = FindIn(top, filter)) return p;
    return nullptr;
}

void ReleaseAllDcs()
{
    for (auto& [dc, rec] : Dcs()) ReleaseSurfaceDC(dc);
    Dcs().clear();
}

}  // namespace host::user

using namespace host::user;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    if (!hwnd) {
        for (HWND top : TopLevels())
            if (Window* w = Find(top)) InvalidateAll(w, true);
        return TRUE;
    }
    Window* w = FindOrFail(hwnd);
    if (!w) return FALSE;
    Invalidate(w, rect, erase != FALSE, false);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    if (!hwnd) return InvalidateRect(nullptr, nullptr, TRUE);
    Window* w = FindOrFail(hwnd);
    if (!w) return FALSE;
    if (rect) w->update.Subtract(*rect);
    else w->update.Clear();
    if (w->update.Empty()) w->erase = false;
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return FALSE;
    bool any = !w->update.Empty();
    if (rect) *rect = w->update.Bounds();
    if (any && erase && w->erase) {
        host::Region u = w->update;
        if (HDC dc = MakeDc(w, &u, false)) {
            w->erase = false;
            SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            ReleaseDC(hwnd, dc);
        }
    }
    return any ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return FALSE;
    if (!w->update.Empty() && VisibleChain(w)) SendMessageW(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags)
{
    (void)region;  // regions are not kept; the rectangle (or the whole window) stands for them
    Window* w = hwnd ? FindOrFail(hwnd) : nullptr;
    if (hwnd && !w) return FALSE;
    std::vector<HWND> targets = hwnd ? std::vector<HWND>{hwnd} : TopLevels();
    for (HWND t : targets) {
        Window* tw = Find(t);
        if (!tw) continue;
        if (flags & RDW_INVALIDATE)
            Invalidate(tw, hwnd ? rect : nullptr, (flags & RDW_ERASE) != 0, (flags & RDW_ALLCHILDREN) != 0);
        if (flags & RDW_UPDATENOW) {
            // Parents first, then their children, as the queue would.
            std::vector<HWND> order{t};
            for (std::size_t i = 0; i < order.size(); ++i) {
                Window* ow = Find(order[i]);
                if (!ow) continue;
                if (flags & RDW_ALLCHILDREN) order.insert(order.end(), ow->children.begin(), ow->children.end());
                UpdateWindow(order[i]);
            }
        }
    }
    return TRUE;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps)
{
    Window* w = FindOrFail(hwnd);
    if (!w) return nullptr;
    if (!ps) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    *ps = PAINTSTRUCT{};
    w->beginPaints++;
    host::Region paint = std::move(w->update);
    bool erase = w->erase;
    w->update.Clear();
    w->erase = false;
    HDC dc = MakeDc(w, &paint, true);
    if (!dc) return nullptr;
    ps->hdc = dc;
    ps->rcPaint = paint.Bounds();
    ps->fErase = FALSE;
    if (erase) ps->fErase = SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    (void)hwnd;
    if (!ps || !ps->hdc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ReleaseTracked(ps->hdc, true) ? TRUE : FALSE;
}

HDC GetDC(HWND hwnd)
{
    if (!hwnd || hwnd == GetDesktopWindow()) {
        auto& s = DesktopSurface();
        if (!s) s = std::make_shared<host::Surface>(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        HDC dc = CreateSurfaceDC(s, POINT{0, 0}, RECT{0, 0, s->width, s->height});
        if (dc) Dcs()[dc] = DcRecord{GetDesktopWindow(), false};
        return dc;
    }
    Window* w = FindOrFail(hwnd);
    if (!w) return nullptr;
    return MakeDc(w, nullptr, false);
}

int ReleaseDC(HWND hwnd, HDC dc)
{
    (void)hwnd;
    return ReleaseTracked(dc, false) ? 1 : 0;
}
