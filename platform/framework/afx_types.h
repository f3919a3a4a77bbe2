// Value types of the framework: points, sizes and rectangles over the
// platform's POINT, SIZE and RECT.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/host/win32.h"
#endif

// A signed 32-bit client-area point (x to the right, y downwards).
class CPoint : public tagPOINT {
public:
    constexpr CPoint() noexcept : tagPOINT{0, 0} {}
    constexpr CPoint(int initX, int initY) noexcept : tagPOINT{initX, initY} {}
    constexpr CPoint(POINT pt) noexcept : tagPOINT(pt) {}
    // The point a mouse message carries in its lParam: x in the low word and
    // y in the high word, each sign-extended (client coordinates can be
    // negative while the pointer is captured).
    constexpr explicit CPoint(LPARAM lParam) noexcept
        : tagPOINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}
    {}

    bool operator==(const POINT& other) const noexcept { return x == other.x && y == other.y; }
    bool operator!=(const POINT& other) const noexcept { return !(*this == other); }
};

class CSize : public tagSIZE {
public:
    constexpr CSize() noexcept : tagSIZE{0, 0} {}
    constexpr CSize(int initCX, int initCY) noexcept : tagSIZE{initCX, initCY} {}
};

class CRect : public tagRECT {
public:
    constexpr CRect() noexcept : tagRECT{0, 0, 0, 0} {}
    constexpr CRect(int l, int t, int r, int b) noexcept : tagRECT{l, t, r, b} {}
    constexpr CRect(const RECT& rc) noexcept : tagRECT(rc) {}

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CPoint TopLeft() const noexcept { return CPoint(left, top); }
    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }
};
