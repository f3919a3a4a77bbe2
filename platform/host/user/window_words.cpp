// Window words: the attributes GetWindowLongPtr names, and the extra bytes
// a class asks for (a dialog's DWLP_* slots).
#include "user/internal.h"

#include <cstring>

namespace host::user {
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

}  // namespace host::user

using namespace host::user;

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
