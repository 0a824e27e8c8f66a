// Rows of packed pixels (1 to 32 bits, palettes, bit-field masks) to and
// from surface pixels. Used by DIB sections, CreateBitmap and the BMP reader.
#pragma once

#include <cstdint>
#include <vector>

namespace gdi {

struct PixelFormat {
    int bpp = 32;
    bool bitfields = false;      // masks given explicitly (else 555 for 16 bpp)
    uint32_t masks[3] = {0, 0, 0};
    std::vector<uint32_t> palette;  // surface pixels, for 1, 4 and 8 bpp
};

// `src` holds at least (width * bpp + 7) / 8 bytes.
void decodeRow(const PixelFormat& f, const uint8_t* src, uint32_t* dst, int width);
// Only for 16, 24 and 32 bpp.
void encodeRow(const PixelFormat& f, const uint32_t* src, uint8_t* dst, int width);

}  // namespace gdi
