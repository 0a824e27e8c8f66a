#include "platform/gdi/lines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gdi {
namespace {

// On/off runs in pixels.
bool dashOn(int style, int phase) {
    switch (style) {
        case PS_DASH: return phase % 24 < 18;
        case PS_DOT: return phase % 6 < 3;
        default: return true;
    }
}

// Cuts the segment to the surface (plus a margin for wide pens), so that
// far-away coordinates cost nothing. False when nothing of it is left; the
// dash phase moves on by the part cut off the start.
bool clipSegment(const Surface& sf, Stroke& s, int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) {
    int m = s.width + 1;
    double lo[2] = {(double)-m, (double)-m}, hi[2] = {(double)sf.width + m, (double)sf.height + m};
    double p0[2] = {(double)x0, (double)y0}, d[2] = {(double)(x1 - x0), (double)(y1 - y0)};
    bool inside = p0[0] >= lo[0] && p0[0] <= hi[0] && p0[1] >= lo[1] && p0[1] <= hi[1] &&
                  (double)x1 >= lo[0] && (double)x1 <= hi[0] && (double)y1 >= lo[1] && (double)y1 <= hi[1];
    if (inside) return true;
    double t0 = 0, t1 = 1;
    for (int k = 0; k < 2; ++k) {
        if (d[k] == 0) {
            if (p0[k] < lo[k] || p0[k] > hi[k]) return false;
            continue;
        }
        double ta = (lo[k] - p0[k]) / d[k], tb = (hi[k] - p0[k]) / d[k];
        if (ta > tb) std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
    }
    int64_t len = std::max(x1 > x0 ? x1 - x0 : x0 - x1, y1 > y0 ? y1 - y0 : y0 - y1);
    if (t0 > t1) {
        s.phase = (int)((s.phase + len) % 24);
        return false;
    }
    s.phase = (int)((s.phase + (int64_t)(t0 * (double)len)) % 24);
    int64_t nx0 = std::llround(p0[0] + t0 * d[0]), ny0 = std::llround(p0[1] + t0 * d[1]);
    int64_t nx1 = std::llround(p0[0] + t1 * d[0]), ny1 = std::llround(p0[1] + t1 * d[1]);
    x0 = nx0; y0 = ny0; x1 = nx1; y1 = ny1;
    return true;
}

}  // namespace

Stroke strokeOf(Canvas& c) {
    Stroke s;
    PenObj* p = penOf(c.dc()->st.pen);
    if (!p || p->style == PS_NULL) return s;
    s.none = false;
    s.px = c.pixel(p->color);
    s.width = p->width;
    // Wide pens are always solid on the device.
    s.style = p->width > 1 ? PS_SOLID : p->style;
    s.fillGaps = c.dc()->st.bkMode == OPAQUE;
    s.gapPx = c.pixel(c.dc()->st.bkColor);
    return s;
}

void strokeLine(Canvas& c, Stroke& s, int64_t ax0, int64_t ay0, int64_t ax1, int64_t ay1) {
    if (s.none) return;
    if (!clipSegment(c.surface(), s, ax0, ay0, ax1, ay1)) return;
    // Within the surface's margin now: plain ints from here on.
    int x0 = (int)ax0, y0 = (int)ay0, x1 = (int)ax1, y1 = (int)ay1;
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    bool wide = s.width > 1;
    int half = s.width / 2;
    // Bresenham, with every step bounded by the longer axis so that absurd
    // coordinates cannot loop for long outside the surface.
    long steps = std::max(dx, -dy);
    for (long i = 0; i <= steps; ++i) {
        bool last = x == x1 && y == y1;
        if (last && !wide) break;
        if (wide) {
            c.fillRect(RECT{x - half, y - half, x - half + s.width, y - half + s.width}, s.px);
        } else if (dashOn(s.style, s.phase)) {
            c.plot(x, y, s.px);
        } else if (s.fillGaps) {
            c.plot(x, y, s.gapPx);
        }
        s.phase = (s.phase + 1) % 24;
        if (last) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
}

}  // namespace gdi
