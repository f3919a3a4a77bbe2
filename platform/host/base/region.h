// A set of pixels kept as a few disjoint rectangles: a window's update
// region, and the clip of the DC that paints it. Past kMaxParts rectangles
// it becomes its bounding box: more to repaint, never less.
#pragma once

#include "win32.h"

#include <cstddef>
#include <vector>

namespace host {

class Region {
public:
    static constexpr std::size_t kMaxParts = 16;

    bool Empty() const { return m_parts.empty(); }
    RECT Bounds() const { return m_bounds; }  // all 0 when empty
    const std::vector<RECT>& Parts() const { return m_parts; }

    void Clear();
    void Add(const RECT& r);
    void Subtract(const RECT& r);
    void Offset(int dx, int dy);

private:
    void Settle();  // joins neighbours, applies the cap, recomputes the bound

    std::vector<RECT> m_parts;  // disjoint, none empty
    RECT m_bounds{};
};

}  // namespace host
