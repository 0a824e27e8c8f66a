// Bit block transfers: BitBlt, PatBlt, StretchBlt and TransparentBlt, with
// every ternary raster operation, nearest-neighbour stretching and the
// device's colour <-> monochrome conversions.
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/gdi/canvas.h"

using namespace gdi;

namespace {

// The result of raster operation `code` (the high byte's index: bit
// P*4 + S*2 + D says the outcome for those input bits), for 24 bits at once.
inline uint32_t rop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
    switch (code) {
        case 0xCC: return s;
        case 0xF0: return p;
        case 0x88: return s & d;
        case 0xEE: return s | d;
        case 0x66: return s ^ d;
        case 0x55: return ~d & 0xFFFFFF;
        case 0x00: return 0;
        case 0xFF: return 0xFFFFFF;
        default: break;
    }
    uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((code >> i) & 1)) continue;
        r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return r & 0xFFFFFF;
}

bool usesSource(uint8_t code) { return (((code >> 2) ^ code) & 0x33) != 0; }
bool usesPattern(uint8_t code) { return (((code >> 4) ^ code) & 0x0F) != 0; }

// A copy of the part of the source that lies on its surface (so a DC may
// blit onto itself), already converted for the destination.
struct Source {
    std::vector<uint32_t> px;
    int left = 0, top = 0, w = 0, h = 0;  // within the requested rectangle
    // Pixel (i, j) of the requested rectangle, or kSkip.
    uint32_t at(int i, int j) const {
        i -= left;
        j -= top;
        if (i < 0 || j < 0 || i >= w || j >= h) return kSkip;
        return px[(size_t)j * (size_t)w + (size_t)i];
    }
    static constexpr uint32_t kSkip = 0xFF000000;  // outside the source, or transparent
};

std::optional<Source> grabSource(HDC hdcSrc, int x, int y, int w, int h, bool toMono, COLORREF dstText,
                                 COLORREF dstBk, bool transparent, COLORREF key) {
    Canvas c(hdcSrc, false);
    if (!c.ok()) return std::nullopt;
    const Surface& sf = c.surface();
    int sx0 = c.sx(x), sy0 = c.sy(y);
    Source s;
    int l = std::max(sx0, 0), t = std::max(sy0, 0);
    int r = (int)std::min<int64_t>((int64_t)sx0 + w, sf.width), b = (int)std::min<int64_t>((int64_t)sy0 + h, sf.height);
    if (l >= r || t >= b) return s;
    s.left = l - sx0;
    s.top = t - sy0;
    s.w = r - l;
    s.h = b - t;
    s.px.resize((size_t)s.w * (size_t)s.h);
    bool fromMono = c.mono();
    uint32_t srcBk = c.pixel(c.dc()->st.bkColor);
    uint32_t keyPx = pixelFromColorref(key & 0xFFFFFF);
    for (int j = 0; j < s.h; ++j) {
        const uint32_t* in = sf.row(t + j) + l;
        uint32_t* out = s.px.data() + (size_t)j * (size_t)s.w;
        for (int i = 0; i < s.w; ++i) {
            uint32_t p = in[i] & 0xFFFFFF;
            if (transparent && p == keyPx) p = Source::kSkip;
            else if (fromMono && !toMono) p = p ? pixelFromColorref(dstBk) : pixelFromColorref(dstText);
            else if (!fromMono && toMono) p = p == srcBk ? 0xFFFFFF : 0;
            out[i] = p;
        }
    }
    return s;
}

BOOL transfer(HDC hdcDst, int xd, int yd, int wd, int hd, HDC hdcSrc, int xs, int ys, int ws, int hs, DWORD rop,
              bool transparent, COLORREF key) {
    uint8_t code = (uint8_t)((rop >> 16) & 0xFF);
    if (transparent) code = 0xCC;
    bool needSrc = usesSource(code);
    if (needSrc && !dcOf(hdcSrc)) return FALSE;
    if (wd == 0 || hd == 0) return TRUE;
    if (needSrc && (ws == 0 || hs == 0)) return TRUE;
    // Bound the work: sizes beyond any surface are a caller's mistake.
    if (std::abs((long)wd) > 65536 || std::abs((long)hd) > 65536 || std::abs((long)ws) > 65536 ||
        std::abs((long)hs) > 65536)
        return FALSE;

    Canvas c(hdcDst);
    if (!c.ok()) return FALSE;
    // Mirroring: a negative width or height on either side flips the image.
    bool flipX = false, flipY = false;
    if (wd < 0) { xd = Canvas::clampCoord((int64_t)xd + wd); wd = -wd; flipX = !flipX; }
    if (hd < 0) { yd = Canvas::clampCoord((int64_t)yd + hd); hd = -hd; flipY = !flipY; }
    if (ws < 0) { xs = Canvas::clampCoord((int64_t)xs + ws); ws = -ws; flipX = !flipX; }
    if (hs < 0) { ys = Canvas::clampCoord((int64_t)ys + hs); hs = -hs; flipY = !flipY; }

    uint32_t pat = 0;
    bool hollowPattern = false;
    if (usesPattern(code)) {
        COLORREF bc = 0;
        BrushKind k = resolveBrush((HBRUSH)c.dc()->st.brush, &bc);
        if (k == BrushKind::Invalid || k == BrushKind::Hollow) hollowPattern = true;
        else pat = c.pixel(bc);
        if (hollowPattern && code == 0xF0) return TRUE;  // PATCOPY with a hollow brush paints nothing
    }

    std::optional<Source> src;
    if (needSrc) {
        src = grabSource(hdcSrc, xs, ys, ws, hs, c.mono(), c.dc()->st.textColor, c.dc()->st.bkColor,
                         transparent, key);
        if (!src) return FALSE;
    }

    RECT dst{c.sx(xd), c.sy(yd), c.sx((int64_t)xd + wd), c.sy((int64_t)yd + hd)};
    Surface& sf = c.surface();
    // Source column and row for each destination one (nearest neighbour).
    std::vector<int> mapX, mapY;
    if (needSrc) {
        mapX.resize((size_t)wd);
        mapY.resize((size_t)hd);
        for (int i = 0; i < wd; ++i) {
            int u = (int)(((int64_t)i * 2 + 1) * ws / ((int64_t)wd * 2));
            mapX[(size_t)i] = flipX ? ws - 1 - u : u;
        }
        for (int j = 0; j < hd; ++j) {
            int v = (int)(((int64_t)j * 2 + 1) * hs / ((int64_t)hd * 2));
            mapY[(size_t)j] = flipY ? hs - 1 - v : v;
        }
    }
    for (const RECT& cl : c.clip()) {
        RECT q{std::max(dst.left, cl.left), std::max(dst.top, cl.top), std::min(dst.right, cl.right),
               std::min(dst.bottom, cl.bottom)};
        if (q.left >= q.right || q.top >= q.bottom) continue;
        for (int y = q.top; y < q.bottom; ++y) {
            uint32_t* row = sf.row(y);
            int sj = needSrc ? mapY[(size_t)(y - dst.top)] : 0;
            for (int x = q.left; x < q.right; ++x) {
                uint32_t s = 0;
                if (needSrc) {
                    s = src->at(mapX[(size_t)(x - dst.left)], sj);
                    if (s == Source::kSkip) continue;
                }
                row[x] = rop3(code, pat, s, row[x] & 0xFFFFFF);
            }
        }
    }
    return TRUE;
}

}  // namespace

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    return transfer(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop, false, 0);
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    if (usesSource((uint8_t)((rop >> 16) & 0xFF))) return FALSE;
    return transfer(hdc, x, y, w, h, nullptr, 0, 0, w, h, rop, false, 0);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop) {
    return transfer(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop, false, 0);
}

BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc, int xoriginSrc,
                    int yoriginSrc, int wSrc, int hSrc, UINT crTransparent) {
    // The device refuses mirrored transparent blits.
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0) return FALSE;
    return transfer(hdcDest, xoriginDest, yoriginDest, wDest, hDest, hdcSrc, xoriginSrc, yoriginSrc, wSrc, hSrc,
                    SRCCOPY, true, crTransparent);
}
