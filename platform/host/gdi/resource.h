// The bytes of one of the module's resources, through the kernel's
// FindResourceW / LoadResource / LockResource / SizeofResource.
#pragma once

#include "win32.h"

#include <cstdint>
#include <optional>
#include <span>

namespace host::gdi {

std::optional<std::span<const std::uint8_t>> ResourceBytes(HINSTANCE module, LPCWSTR name, LPCWSTR type);

}  // namespace host::gdi
