// Region arithmetic on disjoint rectangles.
#include "base/region.h"

#include <algorithm>

namespace host {
namespace {

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// What is left of `a` outside `b`, as at most four rectangles appended to `out`.
void Cut(const RECT& a, const RECT& b, std::vector<RECT>* out)
{
    RECT overlap;
    if (!IntersectRect(&overlap, &a, &b)) {
        out->push_back(a);
        return;
    }
    auto keep = [out](LONG l, LONG t, LONG r, LONG bottom) {
        if (l < r && t < bottom) out->push_back(RECT{l, t, r, bottom});
    };
    keep(a.left, a.top, a.right, overlap.top);
    keep(a.left, overlap.top, overlap.left, overlap.bottom);
    keep(overlap.right, overlap.top, a.right, overlap.bottom);
    keep(a.left, overlap.bottom, a.right, a.bottom);
}

// Two rectangles that share a whole edge make one.
bool Join(RECT* a, const RECT& b)
{
    if (a->top == b.top && a->bottom == b.bottom && (a->right == b.left || b.right == a->left)) {
        a->left = std::min(a->left, b.left);
        a->right = std::max(a->right, b.right);
        return true;
    }
    if (a->left == b.left && a->right == b.right && (a->bottom == b.top || b.bottom == a->top)) {
        a->top = std::min(a->top, b.top);
        a->bottom = std::max(a->bottom, b.bottom);
        return true;
    }
    return false;
}

}  // namespace

void Region::Clear()
{
    m_parts.clear();
    m_bounds = RECT{};
}

void Region::Add(const RECT& r)
{
    if (IsRectEmpty(&r)) return;
    if (Empty() || Contains(r, m_bounds)) {
        m_parts.assign(1, r);
        m_bounds = r;
        return;
    }
    for (const RECT& p : m_parts)
        if (Contains(p, r)) return;
    std::vector<RECT> fresh{r}, next;
    for (const RECT& p : m_parts) {
        next.clear();
        for (const RECT& f : fresh) Cut(f, p, &next);
        fresh.swap(next);
    }
    m_parts.insert(m_parts.end(), fresh.begin(), fresh.end());
    Settle();
}

void Region::Subtract(const RECT& r)
{
    if (IsRectEmpty(&r) || Empty()) return;
    RECT overlap;
    if (!IntersectRect(&overlap, &r, &m_bounds)) return;
    std::vector<RECT> rest;
    for (const RECT& p : m_parts) Cut(p, r, &rest);
    m_parts.swap(rest);
    Settle();
}

void Region::Offset(int dx, int dy)
{
    for (RECT& p : m_parts) OffsetRect(&p, dx, dy);
    if (!Empty()) OffsetRect(&m_bounds, dx, dy);
}

void Region::Settle()
{
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < m_parts.size() && !joined; ++i)
            for (std::size_t j = i + 1; j < m_parts.size(); ++j)
                if (Join(&m_parts[i], m_parts[j])) {
                    m_parts.erase(m_parts.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                    break;
                }
    }
    m_bounds = RECT{};
    for (const RECT& p : m_parts) UnionRect(&m_bounds, &m_bounds, &p);
    if (m_parts.size() > kMaxParts) m_parts.assign(1, m_bounds);
}

}  // namespace host
