#include "platform/gdi/pixel_format.h"

namespace gdi {
namespace {

int shiftOf(uint32_t m) {
    int s = 0;
    while (m && !(m & 1)) { m >>= 1; ++s; }
    return s;
}

// Scales a masked channel to 8 bits.
uint32_t channel(uint32_t v, uint32_t mask) {
    if (!mask) return 0;
    int s = shiftOf(mask);
    uint32_t max = mask >> s;
    return (uint32_t)(((uint64_t)((v & mask) >> s) * 255 + max / 2) / max);
}

uint32_t unchannel(uint32_t c8, uint32_t mask) {
    if (!mask) return 0;
    int s = shiftOf(mask);
    uint32_t max = mask >> s;
    return (uint32_t)((((uint64_t)c8 * max + 127) / 255) << s) & mask;
}

void masksFor(const PixelFormat& f, uint32_t m[3]) {
    if (f.bitfields) {
        m[0] = f.masks[0]; m[1] = f.masks[1]; m[2] = f.masks[2];
    } else if (f.bpp == 16) {
        m[0] = 0x7C00; m[1] = 0x03E0; m[2] = 0x001F;
    } else {
        m[0] = 0xFF0000; m[1] = 0x00FF00; m[2] = 0x0000FF;
    }
}

}  // namespace

void decodeRow(const PixelFormat& f, const uint8_t* src, uint32_t* dst, int width) {
    switch (f.bpp) {
        case 1:
        case 4:
        case 8: {
            int perByte = 8 / f.bpp;
            uint32_t valueMask = (1u << f.bpp) - 1;
            for (int x = 0; x < width; ++x) {
                uint8_t byte = src[x / perByte];
                int shift = 8 - f.bpp * (x % perByte + 1);
                uint32_t idx = (byte >> shift) & valueMask;
                dst[x] = idx < f.palette.size() ? f.palette[idx] : 0;
            }
            break;
        }
        case 16:
        case 32: {
            uint32_t m[3];
            masksFor(f, m);
            bool plain32 = f.bpp == 32 && m[0] == 0xFF0000 && m[1] == 0xFF00 && m[2] == 0xFF;
            for (int x = 0; x < width; ++x) {
                uint32_t v;
                if (f.bpp == 16) v = (uint32_t)src[2 * x] | ((uint32_t)src[2 * x + 1] << 8);
                else
                    v = (uint32_t)src[4 * x] | ((uint32_t)src[4 * x + 1] << 8) | ((uint32_t)src[4 * x + 2] << 16) |
                        ((uint32_t)src[4 * x + 3] << 24);
                dst[x] = plain32 ? (v & 0xFFFFFF)
                                 : (channel(v, m[0]) << 16) | (channel(v, m[1]) << 8) | channel(v, m[2]);
            }
            break;
        }
        case 24:
            for (int x = 0; x < width; ++x)
                dst[x] = (uint32_t)src[3 * x] | ((uint32_t)src[3 * x + 1] << 8) | ((uint32_t)src[3 * x + 2] << 16);
            break;
        default:
            for (int x = 0; x < width; ++x) dst[x] = 0;
    }
}

void encodeRow(const PixelFormat& f, const uint32_t* src, uint8_t* dst, int width) {
    switch (f.bpp) {
        case 16:
        case 32: {
            uint32_t m[3];
            masksFor(f, m);
            for (int x = 0; x < width; ++x) {
                uint32_t p = src[x];
                uint32_t v = unchannel((p >> 16) & 0xFF, m[0]) | unchannel((p >> 8) & 0xFF, m[1]) |
                             unchannel(p & 0xFF, m[2]);
                if (f.bpp == 16) {
                    dst[2 * x] = (uint8_t)v;
                    dst[2 * x + 1] = (uint8_t)(v >> 8);
                } else {
                    dst[4 * x] = (uint8_t)v;
                    dst[4 * x + 1] = (uint8_t)(v >> 8);
                    dst[4 * x + 2] = (uint8_t)(v >> 16);
                    dst[4 * x + 3] = (uint8_t)(v >> 24);
                }
            }
            break;
        }
        case 24:
            for (int x = 0; x < width; ++x) {
                dst[3 * x] = (uint8_t)src[x];
                dst[3 * x + 1] = (uint8_t)(src[x] >> 8);
                dst[3 * x + 2] = (uint8_t)(src[x] >> 16);
            }
            break;
        default: break;
    }
}

}  // namespace gdi
