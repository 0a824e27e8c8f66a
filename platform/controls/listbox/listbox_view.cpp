// The list box's view: rows of one font height from the top item down, the
// selected row in the highlight colours, the focus frame, and the vertical
// scroll bar kept in step with the top item.
#include <algorithm>

#include "platform/controls/listbox/listbox_internal.h"

namespace listbox {

void readFontMetrics(ListBox& lb) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, lb.font ? (HGDIOBJ)lb.font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm{};
    if (GetTextMetricsW(dc, &tm)) lb.itemHeight = std::max(1, (int)tm.tmHeight);
    SelectObject(dc, old);
    DeleteDC(dc);
}

int visibleRows(const ListBox& lb) {
    RECT rc;
    GetClientRect(lb.hwnd, &rc);
    return std::max(1, (int)(rc.bottom - rc.top) / lb.itemHeight);
}

int itemAt(const ListBox& lb, POINT p) {
    if (p.y < 0) return -1;
    int index = lb.top + (int)p.y / lb.itemHeight;
    return index < (int)lb.items.size() ? index : -1;
}

RECT itemRect(const ListBox& lb, int index) {
    RECT rc;
    GetClientRect(lb.hwnd, &rc);
    int y = (index - lb.top) * lb.itemHeight;
    return RECT{0, y, rc.right, y + lb.itemHeight};
}

void invalidate(ListBox& lb) {
    if (lb.redraw) InvalidateRect(lb.hwnd, nullptr, TRUE);
}

void setTop(ListBox& lb, int top) {
    int maxTop = std::max(0, (int)lb.items.size() - visibleRows(lb));
    top = std::clamp(top, 0, maxTop);
    if (top == lb.top) return;
    lb.top = top;
    updateScrollBar(lb);
    invalidate(lb);
}

void ensureVisible(ListBox& lb, int index) {
    if (index < 0) return;
    int rows = visibleRows(lb);
    if (index < lb.top) setTop(lb, index);
    else if (index >= lb.top + rows) setTop(lb, index - rows + 1);
}

void updateScrollBar(ListBox& lb) {
    if (!lb.redraw) return;
    DWORD style = styleOf(lb);
    if (!lb.vscroll) return;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = std::max(0, (int)lb.items.size() - 1);
    si.nPage = (UINT)visibleRows(lb);
    si.nPos = lb.top;
    SetScrollInfo(lb.hwnd, SB_VERT, &si, TRUE);
}

LRESULT onVScroll(ListBox& lb, WPARAM wParam) {
    int rows = visibleRows(lb);
    switch (LOWORD(wParam)) {
        case SB_LINEUP: setTop(lb, lb.top - 1); break;
        case SB_LINEDOWN: setTop(lb, lb.top + 1); break;
        case SB_PAGEUP: setTop(lb, lb.top - rows); break;
        case SB_PAGEDOWN: setTop(lb, lb.top + rows); break;
        case SB_TOP: setTop(lb, 0); break;
        case SB_BOTTOM: setTop(lb, (int)lb.items.size()); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: setTop(lb, (int)HIWORD(wParam)); break;
        default: break;
    }
    return 0;
}

namespace {

HBRUSH prepareColors(ListBox& lb, HDC dc) {
    SetTextColor(dc, GetSysColor(IsWindowEnabled(lb.hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    HWND to = lb.combo ? GetParent(lb.combo) : GetParent(lb.hwnd);
    HBRUSH brush = nullptr;
    if (to) brush = (HBRUSH)SendMessageW(to, WM_CTLCOLORLISTBOX, (WPARAM)dc, (LPARAM)lb.hwnd);
    if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
    SetBkMode(dc, TRANSPARENT);
    return brush;
}

}  // namespace

LRESULT onPaint(ListBox& lb, HDC given) {
    PAINTSTRUCT ps{};
    HWND self = lb.hwnd;
    HDC dc = given ? given : BeginPaint(self, &ps);
    if (!dc) return 0;
    int saved = SaveDC(dc);
    HBRUSH back = prepareColors(lb, dc);
    if (IsWindow(self) && listBoxOf(self) == &lb) {
        RECT rc;
        GetClientRect(self, &rc);
        FillRect(dc, &rc, back);
        SelectObject(dc, lb.font ? (HGDIOBJ)lb.font : GetStockObject(DEFAULT_GUI_FONT));
        COLORREF text = GetTextColor(dc);
        int last = std::min((int)lb.items.size(), lb.top + visibleRows(lb) + 1);
        for (int i = lb.top; i < last; ++i) {
            RECT r = itemRect(lb, i);
            bool selected = i == lb.cursel;
            if (selected) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
            RECT t = r;
            t.left += 2;
            const std::u16string& s = lb.items[(size_t)i].text;
            DrawTextW(dc, s.c_str(), (int)s.size(), &t, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            if (selected && lb.focused && !lb.combo) DrawFocusRect(dc, &r);
        }
    }
    RestoreDC(dc, saved);
    if (!given) EndPaint(self, &ps);
    return 0;
}

}  // namespace listbox
