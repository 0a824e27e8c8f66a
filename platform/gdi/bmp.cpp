// BMP decoding. Every field read is bounds-checked against the buffer, and
// the image size is limited before anything is allocated.
#include "platform/gdi/bmp.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/pixel_format.h"

namespace gdi {
namespace {

constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = 64ll * 1024 * 1024;

uint16_t u16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t u32(const uint8_t* p) { return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24); }
int32_t s32(const uint8_t* p) { return (int32_t)u32(p); }

// Run-length data, bottom row first. False if the stream ends before its
// end-of-bitmap mark or tries to write outside the image.
bool decodeRle(const uint8_t* p, size_t n, bool four, const std::vector<uint32_t>& pal, Surface& s) {
    auto color = [&](unsigned idx) { return idx < pal.size() ? pal[idx] : 0u; };
    int x = 0, y = 0;  // y counts from the bottom
    size_t i = 0;
    auto put = [&](unsigned idx) {
        if (x < s.width && y < s.height) s.row(s.height - 1 - y)[x] = color(idx);
        if (x <= s.width) ++x;
    };
    while (i + 1 < n) {
        unsigned count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count; ++k) put(four ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // move
            if (i + 1 >= n) return false;
            x = std::min(x + p[i], s.width);
            y += p[i + 1];
            i += 2;
        } else {  // a run of literal pixels, padded to a 16-bit boundary
            size_t bytes = four ? (value + 1) / 2 : value;
            if (i + bytes > n) return false;
            for (unsigned k = 0; k < value; ++k) {
                unsigned b = p[i + (four ? k / 2 : k)];
                put(four ? ((k & 1) ? (b & 0x0F) : (b >> 4)) : b);
            }
            i += (bytes + 1) & ~(size_t)1;
        }
        if (y > s.height) return false;
    }
    return false;
}

}  // namespace

bool decodeBmp(const uint8_t* data, size_t size, Surface& out, BmpInfo* info) {
    if (!data || size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return false;
    uint32_t offBits = u32(data + 10);
    const uint8_t* h = data + 14;
    size_t avail = size - 14;
    uint32_t hsize = u32(h);
    if (hsize < 12 || hsize > avail) return false;

    int32_t width, height;
    int bpp, planes;
    uint32_t compression = 0, clrUsed = 0;
    bool core = hsize < 40;
    if (core) {
        if (hsize != 12) return false;
        width = u16(h + 4);
        height = (int16_t)u16(h + 6);
        planes = u16(h + 8);
        bpp = u16(h + 10);
    } else {
        width = s32(h + 4);
        height = s32(h + 8);
        planes = u16(h + 12);
        bpp = u16(h + 14);
        compression = u32(h + 16);
        clrUsed = u32(h + 32);
    }
    if (planes != 1) return false;
    bool topDown = height < 0;
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;
    int32_t absH = topDown ? -height : height;
    if (width > kMaxSide || absH > kMaxSide || (int64_t)width * absH > kMaxPixels) return false;

    PixelFormat fmt;
    fmt.bpp = bpp;
    size_t after = 14 + hsize;  // where masks or the palette begin
    switch (compression) {
        case 0:  // BI_RGB
            if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
            break;
        case 1:  // BI_RLE8
            if (bpp != 8 || topDown) return false;
            break;
        case 2:  // BI_RLE4
            if (bpp != 4 || topDown) return false;
            break;
        case 3: {  // BI_BITFIELDS
            if (bpp != 16 && bpp != 32) return false;
            const uint8_t* m;
            if (hsize >= 52) {
                m = h + 40;  // the masks are part of the larger headers
            } else {
                if (after + 12 > size) return false;
                m = data + after;
                after += 12;
            }
            fmt.bitfields = true;
            for (int k = 0; k < 3; ++k) fmt.masks[k] = u32(m + 4 * k);
            if (!fmt.masks[0] || !fmt.masks[1] || !fmt.masks[2]) return false;
            break;
        }
        default: return false;
    }

    if (bpp <= 8) {
        size_t entry = core ? 3 : 4;
        size_t count = clrUsed ? clrUsed : (size_t)1 << bpp;
        if (count > 256) return false;
        if (after + count * entry > size) return false;
        for (size_t k = 0; k < count; ++k) {
            const uint8_t* e = data + after + k * entry;
            fmt.palette.push_back(((uint32_t)e[2] << 16) | ((uint32_t)e[1] << 8) | e[0]);
        }
    }
    if (offBits < after || offBits >= size) return false;

    Surface s(width, absH, 0);
    const uint8_t* bits = data + offBits;
    size_t bitsSize = size - offBits;
    if (compression == 1 || compression == 2) {
        if (!decodeRle(bits, bitsSize, compression == 2, fmt.palette, s)) return false;
    } else {
        size_t stride = (((size_t)width * (size_t)bpp + 31) / 32) * 4;
        // The last row needs only its pixels, not its padding.
        size_t lastRow = ((size_t)width * (size_t)bpp + 7) / 8;
        if ((size_t)(absH - 1) * stride + lastRow > bitsSize) return false;
        for (int y = 0; y < absH; ++y) {
            const uint8_t* src = bits + (size_t)(topDown ? y : absH - 1 - y) * stride;
            decodeRow(fmt, src, s.row(y), width);
        }
    }
    if (info) {
        info->bitsPerPixel = bpp;
        info->monochrome = bpp == 1 && fmt.palette.size() >= 2 && fmt.palette[0] == 0 && fmt.palette[1] == 0xFFFFFF;
    }
    out = std::move(s);
    return true;
}

}  // namespace gdi
