// A strict reader of the .bmp files the program carries: uncompressed,
// bottom-up, 8 bits per pixel with a palette or 24 bits per pixel. It checks
// every header field the platform's loader relies on, so a picture that
// passes here is one the loader can take as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace bmptest {

struct BmpView {
    int width = 0, height = 0, bpp = 0;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    const uint8_t* bits = nullptr;  // bottom row first
    size_t stride = 0;

    // The colour at (x, y), counted from the top-left corner, as 0xRRGGBB.
    uint32_t at(int x, int y) const {
        const uint8_t* row = bits + (size_t)(height - 1 - y) * stride;
        if (bpp == 8) return palette[row[x]];
        const uint8_t* p = row + (size_t)x * 3;
        return (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0];
    }
};

inline uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24; }
inline uint16_t le16(const uint8_t* p) { return (uint16_t)(p[0] | p[1] << 8); }

// Parses `size` bytes of a .bmp file; on failure returns false and says why.
inline bool parseBmp(const void* data, size_t size, BmpView* out, std::string* why) {
    const uint8_t* b = static_cast<const uint8_t*>(data);
    auto fail = [why](const char* text) {
        *why = text;
        return false;
    };
    if (!b || size < 54) return fail("shorter than the two headers");
    if (b[0] != 'B' || b[1] != 'M') return fail("no BM signature");
    if (le32(b + 2) != size) return fail("file size field differs from the resource size");
    uint32_t offset = le32(b + 10);
    if (le32(b + 14) != 40) return fail("not a BITMAPINFOHEADER");
    int32_t w = (int32_t)le32(b + 18), h = (int32_t)le32(b + 22);
    if (w <= 0 || h <= 0) return fail("width and height must be positive (bottom-up)");
    if (le16(b + 26) != 1) return fail("planes is not 1");
    int bpp = le16(b + 28);
    if (bpp != 8 && bpp != 24) return fail("depth is neither 8 nor 24 bits");
    if (le32(b + 30) != 0) return fail("compressed");
    BmpView v;
    v.width = w;
    v.height = h;
    v.bpp = bpp;
    v.stride = (((size_t)w * (size_t)bpp + 31) / 32) * 4;
    if (bpp == 8) {
        uint32_t used = le32(b + 46);
        if (used == 0) used = 256;
        if (used > 256 || 54 + (size_t)used * 4 > offset) return fail("palette does not fit before the pixels");
        for (uint32_t i = 0; i < used; ++i) {
            const uint8_t* e = b + 54 + i * 4;
            v.palette.push_back((uint32_t)e[2] << 16 | (uint32_t)e[1] << 8 | e[0]);
        }
    } else if (offset != 54) {
        return fail("24-bit pixels must follow the headers");
    }
    if (offset > size || size - offset < v.stride * (size_t)h) return fail("pixel rows run past the end");
    v.bits = b + offset;
    if (bpp == 8) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (v.bits[(size_t)y * v.stride + (size_t)x] >= v.palette.size()) return fail("index past the palette");
    }
    *out = std::move(v);
    return true;
}

}  // namespace bmptest
