// The BITMAPINFOHEADER that RT_BITMAP and RT_ICON images begin with, read
// and checked in one place for both decoders.
#pragma once

#include "res/byte_reader.h"
#include "res/format.h"

#include <cstdint>

namespace host::res {

// Larger pictures are refused before any size arithmetic, so that no
// product of dimensions can overflow.
constexpr std::int32_t kMaxDibDimension = 32768;

// Reads the header at the cursor; refuses any header size other than 40
// (the V4/V5 and OS/2 forms are not used by resources we read) and one plane.
InfoHeader ReadInfoHeader(ByteReader& c);

// A pixel as the decoders give it, 0x00RRGGBB.
inline std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

// Bytes per row of `width` pixels at `bitCount`, padded to a DWORD.
inline std::uint64_t DibStride(std::int64_t width, int bitCount)
{
    return ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
}

}  // namespace host::res
