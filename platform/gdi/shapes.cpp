// Lines and filled shapes: MoveToEx/LineTo, Polyline, Polygon, Rectangle,
// RoundRect, Ellipse, SetPixel/GetPixel.
#include <algorithm>
#include <cmath>

#include "platform/gdi/lines.h"
#include "platform/gdi/shape_rows.h"

using namespace gdi;

namespace {

// Fills and outlines a shape given as one [left, right) run per row
// (surface coordinates, first row at `top`): pixels within the pen width of
// the outside take the pen, the rest the brush.
void paintRows(Canvas& c, int top, const std::vector<std::pair<int, int>>& rows, bool cutTop, bool cutBottom) {
    Stroke pen = strokeOf(c);
    COLORREF brushColor = 0;
    bool fill = resolveBrush((HBRUSH)c.dc()->st.brush, &brushColor) == BrushKind::Solid;
    uint32_t brushPx = c.pixel(brushColor);
    int w = pen.none ? 0 : pen.width;
    int n = (int)rows.size();
    for (int i = 0; i < n; ++i) {
        int l = rows[(size_t)i].first, r = rows[(size_t)i].second;
        if (l >= r) continue;
        int y = top + i;
        if (w == 0) {
            if (fill) c.span(y, l, r, brushPx);
            continue;
        }
        // A pixel is inside the outline when every pixel within the pen
        // width of it (rows above and below included) is in the shape.
        int il = l, ir = r;
        // Rows near the ends of the list are outline rows, unless the list
        // was cut there (the shape goes on beyond the surface).
        bool edgeRow = (i < w && !cutTop) || (i >= n - w && !cutBottom);
        if (!edgeRow && (i < w || i >= n - w)) {
            il = std::max(il, l + w);
            ir = std::min(ir, r - w);
            if (fill && il < ir) {
                c.span(y, l, il, pen.px);
                c.span(y, il, ir, brushPx);
                c.span(y, ir, r, pen.px);
            } else {
                c.span(y, l, r, pen.px);
            }
            continue;
        }
        for (int k = -w; k <= w && !edgeRow; ++k) {
            const auto& q = rows[(size_t)(i + k)];
            il = std::max(il, q.first + w);
            ir = std::min(ir, q.second - w);
        }
        if (edgeRow || il >= ir) {
            c.span(y, l, r, pen.px);
            continue;
        }
        c.span(y, l, il, pen.px);
        if (fill) c.span(y, il, ir, brushPx);
        c.span(y, ir, r, pen.px);
    }
}

BOOL roundShape(HDC hdc, int left, int top, int right, int bottom, int cw, int ch, bool ellipse) {
    Canvas c(hdc);
    if (!c.ok()) return FALSE;
    int64_t l = std::min(left, right), r = std::max(left, right);
    int64_t t = std::min(top, bottom), b = std::max(top, bottom);
    Stroke pen = strokeOf(c);
    // Without a pen the shape is one pixel smaller, as on the device.
    if (pen.none) {
        --r;
        --b;
    }
    int64_t cornerW = ellipse ? r - l : cw, cornerH = ellipse ? b - t : ch;
    // Only the rows that can reach the surface, plus the pen width above
    // and below so the outline test can look at its neighbours.
    int margin = 1 + (pen.none ? 0 : pen.width);
    int yFrom = -margin, yTo = c.surface().height + margin;
    std::vector<std::pair<int, int>> rows;
    int first = 0;
    int64_t sl = l + c.ox(), st = t + c.oy(), sr = r + c.ox(), sb = b + c.oy();
    roundRectRows(sl, st, sr, sb, cornerW, cornerH, yFrom, yTo, rows, &first);
    paintRows(c, first, rows, st < yFrom, sb > yTo);
    return TRUE;
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return FALSE;
    if (lppt) *lppt = dc->st.cur;
    dc->st.cur = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    Canvas c(hdc);
    if (!c.ok()) return FALSE;
    POINT from = c.dc()->st.cur;
    Stroke s = strokeOf(c);
    strokeLine(c, s, (int64_t)from.x + c.ox(), (int64_t)from.y + c.oy(), (int64_t)x + c.ox(), (int64_t)y + c.oy());
    c.dc()->st.cur = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
    if (!apt || cpt < 2) return FALSE;
    Canvas c(hdc);
    if (!c.ok()) return FALSE;
    Stroke s = strokeOf(c);
    for (int i = 1; i < cpt; ++i)
        strokeLine(c, s, (int64_t)apt[i - 1].x + c.ox(), (int64_t)apt[i - 1].y + c.oy(), (int64_t)apt[i].x + c.ox(),
                   (int64_t)apt[i].y + c.oy());
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt) {
    if (!apt || cpt < 2) return FALSE;
    Canvas c(hdc);
    if (!c.ok()) return FALSE;
    COLORREF brushColor = 0;
    if (resolveBrush((HBRUSH)c.dc()->st.brush, &brushColor) == BrushKind::Solid) {
        uint32_t px = c.pixel(brushColor);
        // Scan lines through pixel centres, alternate (even-odd) filling.
        int64_t minY = apt[0].y, maxY = apt[0].y;
        for (int i = 1; i < cpt; ++i) {
            minY = std::min<int64_t>(minY, apt[i].y);
            maxY = std::max<int64_t>(maxY, apt[i].y);
        }
        // Only the scan lines on the surface.
        minY = std::max<int64_t>(minY + c.oy(), 0) - c.oy();
        maxY = std::min<int64_t>(maxY + c.oy(), c.surface().height) - c.oy();
        std::vector<double> xs;
        for (int64_t y = minY; y < maxY; ++y) {
            double yc = y + 0.5;
            xs.clear();
            for (int i = 0; i < cpt; ++i) {
                const POINT& a = apt[i];
                const POINT& b = apt[(i + 1) % cpt];
                if (a.y == b.y) continue;
                bool crosses = (a.y <= yc && yc < b.y) || (b.y <= yc && yc < a.y);
                if (crosses)
                    xs.push_back(a.x + (yc - a.y) * ((double)b.x - a.x) / ((double)b.y - a.y));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t k = 0; k + 1 < xs.size(); k += 2) {
                double xa = std::clamp(xs[k] + c.ox(), -1.0, (double)c.surface().width + 1);
                double xb = std::clamp(xs[k + 1] + c.ox(), -1.0, (double)c.surface().width + 1);
                c.span((int)(y + c.oy()), (int)std::ceil(xa - 0.5), (int)std::ceil(xb - 0.5), px);
            }
        }
    }
    Stroke s = strokeOf(c);
    for (int i = 0; i < cpt; ++i) {
        const POINT& a = apt[i];
        const POINT& b = apt[(i + 1) % cpt];
        strokeLine(c, s, (int64_t)a.x + c.ox(), (int64_t)a.y + c.oy(), (int64_t)b.x + c.ox(), (int64_t)b.y + c.oy());
    }
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    return roundShape(hdc, left, top, right, bottom, 0, 0, false);
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    return roundShape(hdc, left, top, right, bottom, width, height, false);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    return roundShape(hdc, left, top, right, bottom, 0, 0, true);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    Canvas c(hdc);
    if (!c.ok()) return (COLORREF)-1;
    int sx = c.sx(x), sy = c.sy(y);
    if (!c.visible(sx, sy)) return (COLORREF)-1;
    uint32_t px = c.pixel(color);
    c.plot(sx, sy, px);
    return colorrefFromPixel(px);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    Canvas c(hdc, false);
    if (!c.ok()) return CLR_INVALID;
    int sx = c.sx(x), sy = c.sy(y);
    if (!c.visible(sx, sy)) return CLR_INVALID;
    return colorrefFromPixel(c.surface().row(sy)[sx] & 0xFFFFFF);
}
