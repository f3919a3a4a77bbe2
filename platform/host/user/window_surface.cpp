// A top-level window's surface: the pixels it and its children draw on,
// which the presenter shows.
#include "user/internal.h"

#include <new>

namespace host::user {

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

}  // namespace host::user
