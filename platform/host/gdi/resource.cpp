#include "gdi/resource.h"

namespace host::gdi {

std::optional<std::span<const std::uint8_t>> ResourceBytes(HINSTANCE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC info = FindResourceW(module, name, type);
    if (!info) return std::nullopt;
    HGLOBAL data = LoadResource(module, info);
    DWORD size = SizeofResource(module, info);
    auto* bytes = static_cast<const std::uint8_t*>(data ? LockResource(data) : nullptr);
    if (!bytes) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(bytes, size);
}

}  // namespace host::gdi
