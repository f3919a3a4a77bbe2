// Icons: LoadIconW from the module's icon groups (shared, one handle per
// resource and size), DestroyIcon, DrawIcon and DrawIconEx.
#include "gdi/icon.h"

#include "gdi/canvas.h"
#include "gdi/resource.h"
#include "res/format.h"

#include <cstdlib>
#include <limits>
#include <map>
#include <new>
#include <string>
#include <tuple>

namespace host::gdi {
namespace {

// LoadIconW hands out one icon per module, name and size.
using IconKey = std::tuple<HINSTANCE, std::wstring, int, int>;
std::map<IconKey, HICON>& SharedIcons()
{
    static std::map<IconKey, HICON> icons;
    return icons;
}

std::wstring NameKey(LPCWSTR name)
{
    if (IS_INTRESOURCE(name)) return L"#" + std::to_wstring(static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
    return name;
}

// The entry whose size is nearest the wanted one (exact when there is
// one), the deeper colour breaking ties. A width or height of 0 means 256.
const host::res::IconDirEntry* Pick(const host::res::IconGroup& group, int cx, int cy)
{
    const host::res::IconDirEntry* best = nullptr;
    long bestDistance = std::numeric_limits<long>::max();
    for (const auto& e : group.entries) {
        int w = e.width ? e.width : 256, h = e.height ? e.height : 256;
        long distance = std::labs(long{w} - cx) + std::labs(long{h} - cy);
        if (distance < bestDistance || (distance == bestDistance && best && e.bitCount > best->bitCount)) {
            best = &e;
            bestDistance = distance;
        }
    }
    return best;
}

HICON AddIcon(host::IconPicture picture, bool shared)
{
    std::size_t n = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (!SaneSize(picture.width, picture.height) || picture.colors.size() != n || picture.mask.size() != n) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto icon = std::make_unique<Icon>();
    icon->picture = std::move(picture);
    icon->shared = shared;
    return static_cast<HICON>(Add(std::move(icon)));
}

HICON LoadFromGroup(HINSTANCE instance, LPCWSTR name, int cx, int cy)
{
    auto groupBytes = ResourceBytes(instance, name, RT_GROUP_ICON);
    if (!groupBytes) return nullptr;
    try {
        host::res::IconGroup group = host::res::DecodeIconGroup(*groupBytes);
        const host::res::IconDirEntry* entry = Pick(group, cx, cy);
        if (!entry) {
            SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
            return nullptr;
        }
        auto imageBytes = ResourceBytes(instance, MAKEINTRESOURCEW(entry->id), RT_ICON);
        if (!imageBytes) return nullptr;
        host::res::IconImage image = host::res::DecodeIconImage(*imageBytes);
        host::IconPicture picture;
        picture.width = image.width;
        picture.height = image.height;
        picture.colors = std::move(image.colors);
        picture.mask = std::move(image.mask);
        return AddIcon(std::move(picture), true);
    } catch (const host::res::ResError&) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return nullptr;
}

// Draws the icon scaled (nearest pixel) to cx x cy at logical (x, y).
// DI_NORMAL leaves the pixels under the mask's 1 bits as they were; the
// mask or the image alone are copied as they are.
void Draw(Dc& dc, const IconPicture& icon, int x, int y, int cx, int cy, UINT flags)
{
    Canvas c;
    if (!GetCanvas(dc, &c)) return;
    RECT r = ClipToDevice(c, x, y, std::int64_t{x} + cx, std::int64_t{y} + cy);
    bool image = flags & DI_IMAGE, mask = flags & DI_MASK;
    ForEachPart(c, r, [&](const RECT& p) {
        for (LONG dy = p.top; dy < p.bottom; ++dy) {
            auto iy = static_cast<std::size_t>((std::int64_t{dy} - c.origin.y - y) * icon.height / cy);
            for (LONG dx = p.left; dx < p.right; ++dx) {
                auto ix = static_cast<std::size_t>((std::int64_t{dx} - c.origin.x - x) * icon.width / cx);
                std::size_t i = iy * icon.width + ix;
                bool transparent = icon.mask[i] != 0;
                if (image && mask) {
                    if (!transparent) c.At(dx, dy) = c.Store(icon.colors[i]);
                } else if (image) {
                    c.At(dx, dy) = c.Store(icon.colors[i]);
                } else {
                    c.At(dx, dy) = transparent ? 0x00FFFFFFu : 0u;
                }
            }
        }
    });
}

}  // namespace
}  // namespace host::gdi

using namespace host::gdi;

bool host::GetIconPicture(HICON handle, IconPicture* out)
{
    Icon* icon = GetIcon(handle);
    if (!icon || !out) return false;
    *out = icon->picture;
    return true;
}

SIZE host::IconSize(HICON handle)
{
    Icon* icon = GetIcon(handle);
    return icon ? SIZE{icon->picture.width, icon->picture.height} : SIZE{0, 0};
}

HICON host::CreateIconFromPicture(const IconPicture& picture)
{
    try {
        return AddIcon(picture, false);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name)
{
    // A null instance asks for the system's predefined icons; we carry none.
    if (!instance || !name) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    int cx = host::kIconSize, cy = host::kIconSize;
    IconKey key{instance, NameKey(name), cx, cy};
    auto& shared = SharedIcons();
    if (auto it = shared.find(key); it != shared.end() && GetIcon(it->second)) return it->second;
    HICON icon = LoadFromGroup(instance, name, cx, cy);
    if (icon) shared[key] = icon;
    return icon;
}

BOOL DestroyIcon(HICON handle)
{
    Icon* icon = GetIcon(handle);
    if (!icon) return FALSE;
    if (!icon->shared) Remove(handle);  // shared icons live as long as the process
    return TRUE;
}

BOOL DrawIconEx(HDC dcHandle, int x, int y, HICON iconHandle, int cx, int cy, UINT /*step*/, HBRUSH /*flicker*/,
                UINT flags)
{
    Dc* dc = GetDc(dcHandle);
    if (!dc) return FALSE;
    Icon* icon = GetIcon(iconHandle);
    if (!icon) return FALSE;
    if (cx < 0 || cy < 0 || cx > kMaxSide || cy > kMaxSide || !(flags & DI_NORMAL)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Documented: a zero size means the system icon size with
    // DI_DEFAULTSIZE, else the icon's own.
    if (cx == 0) cx = (flags & DI_DEFAULTSIZE) ? host::kIconSize : icon->picture.width;
    if (cy == 0) cy = (flags & DI_DEFAULTSIZE) ? host::kIconSize : icon->picture.height;
    if (cx <= 0 || cy <= 0) return FALSE;
    Draw(*dc, icon->picture, x, y, cx, cy, flags);
    return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon)
{
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
