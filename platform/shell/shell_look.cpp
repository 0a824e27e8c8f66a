// The shell's font and marks.
#include "platform/shell/shell_look.h"

#include "platform/window/screen.h"

namespace shell {

HFONT shellFont() { return (HFONT)GetStockObject(DEFAULT_GUI_FONT); }

void drawCheckMark(HDC dc, const RECT& r, COLORREF color) {
    int s = device::screenConfig().scale;
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    HPEN pen = CreatePen(PS_SOLID, 2 * s, color);
    HGDIOBJ old = SelectObject(dc, pen);
    POINT pts[3] = {{cx - 4 * s, cy}, {cx - 1 * s, cy + 3 * s}, {cx + 4 * s, cy - 3 * s}};
    Polyline(dc, pts, 3);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void drawArrow(HDC dc, const RECT& r, COLORREF color, bool right) {
    int s = device::screenConfig().scale;
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    POINT pts[3];
    if (right) {
        pts[0] = {cx - 2 * s, cy - 4 * s};
        pts[1] = {cx + 2 * s, cy};
        pts[2] = {cx - 2 * s, cy + 4 * s};
    } else {
        pts[0] = {cx - 4 * s, cy + 2 * s};
        pts[1] = {cx, cy - 2 * s};
        pts[2] = {cx + 4 * s, cy + 2 * s};
    }
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ ob = SelectObject(dc, brush);
    HGDIOBJ op = SelectObject(dc, pen);
    Polygon(dc, pts, 3);
    SelectObject(dc, ob);
    SelectObject(dc, op);
    DeleteObject(brush);
    DeleteObject(pen);
}

COLORREF barColor() { return RGB(232, 236, 244); }

}  // namespace shell
