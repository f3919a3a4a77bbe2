// Rectangle helpers and MulDiv, as user32 and kernel32 define them.
#include "win32.h"

#include <algorithm>
#include <cstdint>

BOOL SetRect(LPRECT r, int left, int top, int right, int bottom)
{
    if (!r) return FALSE;
    *r = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }

BOOL IsRectEmpty(const RECT* r) { return !r || r->right <= r->left || r->bottom <= r->top; }

BOOL PtInRect(const RECT* r, POINT pt)
{
    return r && pt.x >= r->left && pt.x < r->right && pt.y >= r->top && pt.y < r->bottom;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (!dst || !a || !b) return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        *dst = IsRectEmpty(b) ? RECT{} : *b;
        return !IsRectEmpty(dst);
    }
    if (IsRectEmpty(b)) {
        *dst = *a;
        return TRUE;
    }
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    return TRUE;
}

BOOL OffsetRect(LPRECT r, int dx, int dy)
{
    if (!r) return FALSE;
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return TRUE;
}

// number * numerator / denominator with a 64-bit intermediate, rounded half
// away from zero; -1 when the denominator is 0 or the result overflows.
int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0) return -1;
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t d = denominator;
    if (d < 0) {
        d = -d;
        product = -product;
    }
    std::int64_t half = d / 2;
    std::int64_t q = product >= 0 ? (product + half) / d : -((-product + half) / d);
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return static_cast<int>(q);
}
