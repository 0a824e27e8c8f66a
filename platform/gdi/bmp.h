// The BMP reader: every depth the device's pictures come in (1, 4 and 8 bits
// with palettes, 16 bits 555 or with bit fields, 24, 32; bottom-up and
// top-down; RLE8 and RLE4). Works on bytes; damaged input is refused, never
// read past.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gdi/surface.h"

namespace gdi {

struct BmpInfo {
    int bitsPerPixel = 0;
    bool monochrome = false;  // 1 bit with a black and white palette
};

// Decodes a whole .bmp file (with its BITMAPFILEHEADER). False, with `out`
// untouched, for anything that is not a complete, sane BMP.
bool decodeBmp(const uint8_t* data, size_t size, Surface& out, BmpInfo* info = nullptr);

}  // namespace gdi
