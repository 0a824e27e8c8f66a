// A device context made ready for one drawing call: the surface, the clip
// rectangles in surface coordinates and the logical-to-surface offset.
// Making a Canvas brings a DIB section's bits into its surface; when the
// Canvas ends, what was drawn goes back to the bits.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/objects.h"

namespace gdi {

enum class Mix { Copy, Xor, Invert };

class Canvas {
public:
    explicit Canvas(HDC hdc, bool writes = true);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ok() const { return dc_ != nullptr && surf_ != nullptr; }
    DCObj* dc() const { return dc_; }
    Surface& surface() const { return *surf_; }
    const std::vector<RECT>& clip() const { return *clip_; }
    int ox() const { return ox_; }  // surface x = logical x + ox()
    int oy() const { return oy_; }
    bool mono() const { return mono_; }
    // Logical to surface coordinates, kept within +-2^30 so that no sum
    // overflows; anything that far out is off every surface anyway.
    int sx(int64_t x) const { return clampCoord(x + ox_); }
    int sy(int64_t y) const { return clampCoord(y + oy_); }
    RECT toSurface(const RECT& r) const { return RECT{sx(r.left), sy(r.top), sx(r.right), sy(r.bottom)}; }
    static int clampCoord(int64_t v) {
        constexpr int64_t kFar = (int64_t)1 << 30;
        return (int)(v < -kFar ? -kFar : v > kFar ? kFar : v);
    }

    // Pixel value for a COLORREF on this surface (snapped to black or white
    // on a monochrome bitmap).
    uint32_t pixel(COLORREF cr) const;

    // All in surface coordinates, clipped.
    void fillRect(RECT r, uint32_t px, Mix mix = Mix::Copy);
    void span(int y, int x0, int x1, uint32_t px, Mix mix = Mix::Copy);
    void plot(int x, int y, uint32_t px, Mix mix = Mix::Copy);
    bool visible(int x, int y) const;
    // Blends `px` over the pixel with coverage 0..255.
    void blend(int x, int y, uint32_t px, int coverage);
    // Narrows the clip to a rectangle (surface coordinates) for the rest of
    // this call; the DC's own clip is unchanged.
    void restrict(const RECT& r);

private:
    DCObj* dc_ = nullptr;
    Surface* surf_ = nullptr;
    const std::vector<RECT>* clip_ = nullptr;
    std::vector<RECT> narrowed_;
    BitmapObj* dib_ = nullptr;
    int ox_ = 0, oy_ = 0;
    bool mono_ = false;
    bool writes_ = true;
};

inline uint32_t mixPixel(uint32_t dst, uint32_t px, Mix mix) {
    switch (mix) {
        case Mix::Copy: return px;
        case Mix::Xor: return (dst ^ px) & 0xFFFFFF;
        case Mix::Invert: return ~dst & 0xFFFFFF;
    }
    return px;
}

}  // namespace gdi

namespace gdi {

enum class BrushKind { Invalid, Hollow, Solid };
// What a brush handle paints with. Besides real brushes this accepts the
// system colour numbers + 1 that window classes and FillRect callers use in
// place of a brush.
BrushKind resolveBrush(HBRUSH h, COLORREF* color);

}  // namespace gdi
