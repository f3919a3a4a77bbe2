#include "present/sdl/icon.h"

namespace host::sdl {

std::vector<std::uint32_t> IconArgb(const IconPicture& picture)
{
    if (picture.width <= 0 || picture.height <= 0) return {};
    std::size_t n = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.colors.size() != n || picture.mask.size() != n) return {};
    std::vector<std::uint32_t> out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = picture.mask[i] ? 0u : (0xFF000000u | (picture.colors[i] & 0x00FFFFFFu));
    return out;
}

}  // namespace host::sdl
