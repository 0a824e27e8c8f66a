// A software framebuffer: the screen, and every memory bitmap, is one.
// Pixels are 0x00RRGGBB (XRGB8888), row after row, no padding.
#pragma once

#include <cstdint>
#include <vector>

namespace gdi {

struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Surface() = default;
    Surface(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels((size_t)w * h, fill) {}
    uint32_t* row(int y) { return pixels.data() + (size_t)y * width; }
    const uint32_t* row(int y) const { return pixels.data() + (size_t)y * width; }
};

// COLORREF (0x00BBGGRR) to a surface pixel (0x00RRGGBB) and back.
inline uint32_t pixelFromColorref(uint32_t cr) {
    return ((cr & 0xFF) << 16) | (cr & 0xFF00) | ((cr >> 16) & 0xFF);
}
inline uint32_t colorrefFromPixel(uint32_t px) {
    return ((px & 0xFF) << 16) | (px & 0xFF00) | ((px >> 16) & 0xFF);
}

}  // namespace gdi
