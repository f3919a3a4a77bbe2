// Writes a canvas as a 24-bit uncompressed .bmp file: BITMAPFILEHEADER,
// 40-byte BITMAPINFOHEADER, bottom-up rows padded to 4 bytes. The resource
// compiler drops the 14-byte file header, which leaves the DIB the launcher
// loads.
#pragma once

#include <filesystem>

#include "byte_writer.h"
#include "canvas.h"

namespace artgen {

CByteWriter EncodeBmp24(const CCanvas& canvas);
void WriteBmp24(const CCanvas& canvas, const std::filesystem::path& path);

}  // namespace artgen
