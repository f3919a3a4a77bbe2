// The desktop's integer scale. On a high-density screen every pixel of a
// host window shows as an n x n block, and what the desktop reports comes
// back divided by n: the host (USER, GDI) only ever sees logical pixels, a
// screen n times smaller than the device's. Logical position p shows at
// device position p * n; a device position maps back to the logical pixel
// it lies in (rounding down), so centring on the logical screen centres
// the scaled window within n - 1 device pixels.
#pragma once

#include "win32.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host::sdl {

constexpr int kMaxScale = 8;
constexpr int kBaseDpi = 96;  // the density at which the scale is 1

// What the desktop says about its density, the most binding first. A value
// that is absent (or empty) says nothing.
struct ScaleSources {
    std::optional<std::string> orvaneScale;  // ORVANE_SCALE: ours, above all
    std::optional<std::string> gdkScale;     // GDK_SCALE: the desktop session's
    std::optional<std::string> resources;    // the X resource database's text, for Xft.dpi
};

// The factor the first source that has a valid one asks for; 1 when none
// does. A value that gives no whole factor from 1 to kMaxScale is skipped,
// with one line for stderr (no newline) added to `complaints`.
int WishedScale(const ScaleSources& sources, std::vector<std::string>* complaints);

// The value of resource `name` in a resource database's text ("name:
// value" lines, as RESOURCE_MANAGER holds them); nullopt when absent.
std::optional<std::string> ResourceValue(std::string_view database, std::string_view name);

// A density in dots per inch as a factor: dpi / 96 rounded to the nearest
// whole number, halves down (144 dpi stays 1), never below 1; 0 for text
// that is not a positive number.
int ScaleFromDpi(std::string_view dpi);

// The largest factor up to `wished` at which a window of `window` logical
// pixels fits on a screen of `screen` device pixels; 1 when none does.
int FittingScale(int wished, SIZE window, SIZE screen);

// Device pixels to logical ones: the logical pixel `v` lies in.
inline int ToLogical(int v, int scale) { return v >= 0 ? v / scale : -((-v + scale - 1) / scale); }
inline POINT ToLogical(POINT p, int scale) { return POINT{ToLogical(p.x, scale), ToLogical(p.y, scale)}; }
inline RECT ToLogical(const RECT& r, int scale)
{
    return RECT{ToLogical(r.left, scale), ToLogical(r.top, scale), ToLogical(r.right, scale),
                ToLogical(r.bottom, scale)};
}

// `width` x `height` pixels (top-down, no padding) each as a `scale` x
// `scale` block: `out` becomes width*scale x height*scale pixels.
void ScaleBlocks(const std::uint32_t* pixels, int width, int height, int scale, std::vector<std::uint32_t>* out);

}  // namespace host::sdl
