// The rectangle painters: FillRect, FrameRect, InvertRect, FillRgn,
// DrawEdge and DrawFocusRect.
#include <algorithm>

#include "platform/gdi/canvas.h"

using namespace gdi;

namespace {

RECT toSurface(const Canvas& c, const RECT& r) { return c.toSurface(r); }

void fillLogical(Canvas& c, int64_t l, int64_t t, int64_t r, int64_t b, uint32_t px, Mix mix = Mix::Copy) {
    c.fillRect(RECT{c.sx(l), c.sy(t), c.sx(r), c.sy(b)}, px, mix);
}

}  // namespace

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    if (!lprc) return 0;
    COLORREF color = 0;
    BrushKind k = resolveBrush(hbr, &color);
    if (k == BrushKind::Invalid) return 0;
    Canvas c(hDC);
    if (!c.ok()) return 0;
    if (k == BrushKind::Solid) c.fillRect(toSurface(c, *lprc), c.pixel(color));
    return 1;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    if (!lprc) return 0;
    COLORREF color = 0;
    BrushKind k = resolveBrush(hbr, &color);
    if (k == BrushKind::Invalid) return 0;
    Canvas c(hDC);
    if (!c.ok()) return 0;
    const RECT& r = *lprc;
    if (k != BrushKind::Solid || r.left >= r.right || r.top >= r.bottom) return 1;
    uint32_t px = c.pixel(color);
    fillLogical(c, r.left, r.top, r.right, r.top + 1, px);
    fillLogical(c, r.left, r.bottom - 1, r.right, r.bottom, px);
    fillLogical(c, r.left, r.top + 1, r.left + 1, r.bottom - 1, px);
    fillLogical(c, r.right - 1, r.top + 1, r.right, r.bottom - 1, px);
    return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
    if (!lprc) return FALSE;
    Canvas c(hDC);
    if (!c.ok()) return FALSE;
    c.fillRect(toSurface(c, *lprc), 0, Mix::Invert);
    return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
    RegionObj* rg = regionOf((HGDIOBJ)hrgn);
    COLORREF color = 0;
    BrushKind k = resolveBrush(hbr, &color);
    if (!rg || k == BrushKind::Invalid) return FALSE;
    Canvas c(hdc);
    if (!c.ok()) return FALSE;
    if (k != BrushKind::Solid) return TRUE;
    uint32_t px = c.pixel(color);
    for (const RECT& r : rg->rgn.rects()) c.fillRect(toSurface(c, r), px);
    return TRUE;
}

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
    if (!qrc) return FALSE;
    Canvas c(hdc);
    if (!c.ok()) return FALSE;
    RECT r = *qrc;
    // Each border is one pixel: the outer one first, then the inner one,
    // each with a top-left and a bottom-right colour.
    struct Border { UINT bit; int lt, rb; };
    const Border outer[2] = {{BDR_RAISEDOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW},
                             {BDR_SUNKENOUTER, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT}};
    const Border inner[2] = {{BDR_RAISEDINNER, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
                             {BDR_SUNKENINNER, COLOR_3DDKSHADOW, COLOR_3DLIGHT}};
    auto band = [&](const Border* pair) {
        const Border* b = (edge & pair[0].bit) ? &pair[0] : (edge & pair[1].bit) ? &pair[1] : nullptr;
        if (!b || r.left >= r.right || r.top >= r.bottom) return;
        uint32_t lt, rb;
        if (grfFlags & BF_MONO) {
            lt = rb = c.pixel(GetSysColor(COLOR_WINDOWFRAME));
        } else if (grfFlags & BF_FLAT) {
            lt = rb = c.pixel(GetSysColor(COLOR_BTNSHADOW));
        } else {
            lt = c.pixel(GetSysColor(b->lt));
            rb = c.pixel(GetSysColor(b->rb));
        }
        if (grfFlags & BF_TOP) fillLogical(c, r.left, r.top, r.right, r.top + 1, lt);
        if (grfFlags & BF_LEFT) fillLogical(c, r.left, r.top, r.left + 1, r.bottom, lt);
        if (grfFlags & BF_BOTTOM) fillLogical(c, r.left, r.bottom - 1, r.right, r.bottom, rb);
        if (grfFlags & BF_RIGHT) fillLogical(c, r.right - 1, r.top, r.right, r.bottom, rb);
        if (grfFlags & BF_LEFT) ++r.left;
        if (grfFlags & BF_TOP) ++r.top;
        if (grfFlags & BF_RIGHT) --r.right;
        if (grfFlags & BF_BOTTOM) --r.bottom;
    };
    band(outer);
    band(inner);
    if ((grfFlags & BF_MIDDLE) && r.left < r.right && r.top < r.bottom)
        fillLogical(c, r.left, r.top, r.right, r.bottom,
                    c.pixel(GetSysColor((grfFlags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE)));
    if (grfFlags & BF_ADJUST) *qrc = r;
    return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
    if (!lprc) return FALSE;
    Canvas c(hDC);
    if (!c.ok()) return FALSE;
    RECT r = toSurface(c, *lprc);
    if (r.left >= r.right || r.top >= r.bottom) return TRUE;
    // Every other pixel of the frame, inverted by XOR: drawing the same
    // rectangle again takes it away. Each frame pixel is visited once, so
    // corners are not inverted twice.
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) c.plot(x, y, 0xFFFFFF, Mix::Xor);
    };
    // Only the part on the surface is walked: pixel parity is absolute, so
    // skipping the rest changes nothing.
    int x0 = std::max<int>(r.left, 0), x1 = std::min<int>(r.right, c.surface().width);
    int y0 = std::max<int>(r.top + 1, 0), y1 = std::min<int>(r.bottom - 1, c.surface().height);
    for (int x = x0; x < x1; ++x) dot(x, r.top);
    if (r.bottom - 1 > r.top)
        for (int x = x0; x < x1; ++x) dot(x, r.bottom - 1);
    for (int y = y0; y < y1; ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left) dot(r.right - 1, y);
    }
    return TRUE;
}
