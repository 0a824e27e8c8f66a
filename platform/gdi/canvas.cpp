#include "platform/gdi/canvas.h"

#include <algorithm>

namespace gdi {

Canvas::Canvas(HDC hdc, bool writes) : writes_(writes) {
    DCObj* dc = dcOf(hdc);
    if (!dc || !dc->surface) return;
    dc_ = dc;
    surf_ = dc->surface;
    if (BitmapObj* b = dc->bitmap()) {
        mono_ = b->mono();
        if (b->dib && !b->dibAliased) {
            b->pullBits();
            dib_ = b;
        }
    }
    clip_ = &dc->effectiveClip().rects();
    ox_ = dc->origin.x + dc->st.viewportOrg.x;
    oy_ = dc->origin.y + dc->st.viewportOrg.y;
}

Canvas::~Canvas() {
    if (dib_ && writes_) dib_->pushBits();
}

uint32_t Canvas::pixel(COLORREF cr) const {
    uint32_t px = pixelFromColorref(cr & 0xFFFFFF);
    if (!mono_) return px;
    // A monochrome bitmap keeps white as white and everything else dark
    // enough as black, by brightness.
    int lum = (int)(((px >> 16) & 0xFF) * 30 + ((px >> 8) & 0xFF) * 59 + (px & 0xFF) * 11) / 100;
    return lum >= 128 ? 0xFFFFFF : 0;
}

void Canvas::span(int y, int x0, int x1, uint32_t px, Mix mix) {
    if (!ok() || x0 >= x1) return;
    for (const RECT& c : *clip_) {
        if (c.top > y) break;
        if (y >= c.bottom) continue;
        int a = std::max<int>(x0, c.left), b = std::min<int>(x1, c.right);
        if (a >= b) continue;
        uint32_t* row = surf_->row(y);
        if (mix == Mix::Copy) std::fill(row + a, row + b, px);
        else
            for (int x = a; x < b; ++x) row[x] = mixPixel(row[x], px, mix);
    }
}

void Canvas::fillRect(RECT r, uint32_t px, Mix mix) {
    if (!ok() || r.left >= r.right || r.top >= r.bottom) return;
    for (const RECT& c : *clip_) {
        RECT q{std::max(r.left, c.left), std::max(r.top, c.top), std::min(r.right, c.right),
               std::min(r.bottom, c.bottom)};
        if (q.left >= q.right || q.top >= q.bottom) continue;
        for (int y = q.top; y < q.bottom; ++y) {
            uint32_t* row = surf_->row(y);
            if (mix == Mix::Copy) std::fill(row + q.left, row + q.right, px);
            else
                for (int x = q.left; x < q.right; ++x) row[x] = mixPixel(row[x], px, mix);
        }
    }
}

bool Canvas::visible(int x, int y) const {
    if (!ok()) return false;
    for (const RECT& c : *clip_) {
        if (c.top > y) break;
        if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) return true;
    }
    return false;
}

void Canvas::plot(int x, int y, uint32_t px, Mix mix) {
    if (!visible(x, y)) return;
    uint32_t& d = surf_->row(y)[x];
    d = mixPixel(d, px, mix);
}

void Canvas::blend(int x, int y, uint32_t px, int coverage) {
    if (coverage <= 0 || !visible(x, y)) return;
    uint32_t& d = surf_->row(y)[x];
    if (coverage >= 255 || mono_) {
        if (coverage >= 128 || !mono_) d = px;
        return;
    }
    int inv = 255 - coverage;
    uint32_t r = (((px >> 16) & 0xFF) * coverage + ((d >> 16) & 0xFF) * inv + 127) / 255;
    uint32_t g = (((px >> 8) & 0xFF) * coverage + ((d >> 8) & 0xFF) * inv + 127) / 255;
    uint32_t b = ((px & 0xFF) * coverage + (d & 0xFF) * inv + 127) / 255;
    d = (r << 16) | (g << 8) | b;
}

void Canvas::restrict(const RECT& r) {
    if (!ok()) return;
    std::vector<RECT> out;
    for (const RECT& c : *clip_) {
        RECT q{std::max(r.left, c.left), std::max(r.top, c.top), std::min(r.right, c.right),
               std::min(r.bottom, c.bottom)};
        if (q.left < q.right && q.top < q.bottom) out.push_back(q);
    }
    narrowed_ = std::move(out);
    clip_ = &narrowed_;
}

}  // namespace gdi
