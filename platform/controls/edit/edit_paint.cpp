// Painting: the background from the parent's colour answer, the visible
// lines of the layout with the selection in the highlight colours while the
// control has the focus, and a steady caret.
#include <algorithm>

#include "platform/controls/edit/edit_internal.h"

namespace edit {
namespace {

HFONT fontOf(const Edit& e) { return e.font ? e.font : (HFONT)GetStockObject(DEFAULT_GUI_FONT); }

bool showsSelection(const Edit& e) { return e.anchor != e.caret && (e.focused || (styleOf(e) & ES_NOHIDESEL)); }

// One run of a line, from character a to b, starting at pixel x. Control
// characters (tabs, lone line-break halves) are drawn as blanks of their
// laid-out width.
int drawRun(Edit& e, HDC dc, int line, int a, int b, int x, int y, bool selected) {
    if (b <= a) return x;
    std::u16string s = e.shown.substr((size_t)a, (size_t)(b - a));
    std::vector<INT> dx((size_t)(b - a));
    int at = xInLine(e, line, a);
    int width = 0;
    for (int i = a; i < b; ++i) {
        int w = advanceOf(e, i, at);
        dx[(size_t)(i - a)] = w;
        at += w;
        width += w;
        if (s[(size_t)(i - a)] < u' ') s[(size_t)(i - a)] = u' ';
    }
    if (selected) {
        COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        RECT cell{x, y, x + width, y + e.lineHeight};
        ExtTextOutW(dc, x, y, ETO_OPAQUE, &cell, s.data(), (UINT)s.size(), dx.data());
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
    } else {
        ExtTextOutW(dc, x, y, 0, nullptr, s.data(), (UINT)s.size(), dx.data());
    }
    return x + width;
}

void drawLine(Edit& e, HDC dc, int line, int y) {
    const Line& l = e.lines[(size_t)line];
    int x = lineLeft(e, line);
    int a = l.start, end = l.start + l.length;
    if (!showsSelection(e)) {
        drawRun(e, dc, line, a, end, x, y, false);
        return;
    }
    int s0 = std::clamp(selMin(e), a, end), s1 = std::clamp(selMax(e), a, end);
    x = drawRun(e, dc, line, a, s0, x, y, false);
    x = drawRun(e, dc, line, s0, s1, x, y, true);
    // A selection that runs on past a line break shows a sliver for it.
    if (selMax(e) > end && selMin(e) <= end && l.next > end) {
        RECT mark{x, y, x + std::max(2, e.aveCharWidth / 2), y + e.lineHeight};
        HBRUSH hb = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
        FillRect(dc, &mark, hb);
        DeleteObject(hb);
    }
    drawRun(e, dc, line, s1, end, x, y, false);
}

void drawCaret(Edit& e, HDC dc, const RECT& fr) {
    if (!e.focused || e.anchor != e.caret) return;
    POINT p = positionOf(e, e.caret);
    if (p.y < fr.top || p.y + e.lineHeight > fr.bottom + (isMultiLine(e) ? e.lineHeight - 1 : 0)) return;
    int x = std::clamp((int)p.x, (int)fr.left - 1, (int)fr.right - 1);
    x = std::max(0, x);
    RECT bar{x, p.y, x + 1, p.y + e.lineHeight};
    HBRUSH hb = CreateSolidBrush(GetTextColor(dc));
    FillRect(dc, &bar, hb);
    DeleteObject(hb);
}

}  // namespace

HBRUSH controlColors(Edit& e, HDC dc) {
    bool grey = isReadOnly(e) || !IsWindowEnabled(e.hwnd);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(grey ? COLOR_STATIC : COLOR_WINDOW));
    SetBkMode(dc, OPAQUE);
    HWND parent = GetParent(e.hwnd);
    HBRUSH brush = nullptr;
    if (parent) brush = (HBRUSH)SendMessageW(parent, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, (WPARAM)dc,
                                             (LPARAM)e.hwnd);
    if (!brush) brush = GetSysColorBrush(grey ? COLOR_STATIC : COLOR_WINDOW);
    return brush;
}

LRESULT onEraseBackground(Edit& e, HDC dc) {
    if (!dc) return 0;
    HWND self = e.hwnd;
    RECT rc;
    GetClientRect(self, &rc);
    HBRUSH brush = controlColors(e, dc);
    if (!IsWindow(self)) return 1;
    FillRect(dc, &rc, brush);
    return 1;
}

LRESULT onPaint(Edit& e, HDC given) {
    PAINTSTRUCT ps{};
    HWND self = e.hwnd;
    HDC dc = given ? given : BeginPaint(self, &ps);
    if (!dc) return 0;
    int saved = SaveDC(dc);
    controlColors(e, dc);
    if (IsWindow(self) && editOf(self) == &e) {
        if (!IsWindowEnabled(self)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        SelectObject(dc, fontOf(e));
        ensureLayout(e);
        RECT fr = formatRect(e);
        RECT rc;
        GetClientRect(self, &rc);
        // Text stays inside the margins; the caret may sit on the left one.
        IntersectClipRect(dc, std::max(0, (int)fr.left - 1), rc.top, fr.right, rc.bottom);
        if (isMultiLine(e)) {
            int last = std::min((int)e.lines.size(), e.topLine + visibleLineCount(e) + 1);
            for (int line = e.topLine; line < last; ++line)
                drawLine(e, dc, line, fr.top + (line - e.topLine) * e.lineHeight);
        } else {
            drawLine(e, dc, 0, fr.top);
        }
        drawCaret(e, dc, fr);
    }
    RestoreDC(dc, saved);
    if (!given) EndPaint(self, &ps);
    return 0;
}

}  // namespace edit
