// Where a window lies: its visibility through its ancestors, its client
// origin in its top-level window and on the screen, and what of it its
// ancestors leave visible.
#include "user/internal.h"

namespace host::user {

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

}  // namespace host::user
