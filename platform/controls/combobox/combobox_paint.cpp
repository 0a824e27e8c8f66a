// The closed box: a white field framed in black showing the selected entry
// (highlighted while the box has the focus) and the drop button at the right
// end with a black arrow, inverted while the list is open.
#include <algorithm>
#include <string>

#include "platform/controls/combobox/combobox_internal.h"
#include "platform/window/screen.h"

namespace combobox {

RECT buttonRect(const Combo& c) {
    RECT rc;
    GetClientRect(c.hwnd, &rc);
    int width = std::max(9, (int)(rc.bottom - rc.top) - 4);
    return RECT{std::max(rc.left, rc.right - width), rc.top, rc.right, rc.bottom};
}

namespace {

HBRUSH prepareColors(Combo& c, HDC dc) {
    bool enabled = IsWindowEnabled(c.hwnd) != FALSE;
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    HBRUSH brush = nullptr;
    if (HWND parent = GetParent(c.hwnd))
        brush = (HBRUSH)SendMessageW(parent, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)c.hwnd);
    if (!brush) brush = GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_STATIC);
    SetBkMode(dc, TRANSPARENT);
    return brush;
}

// Four rows narrowing from seven pixels to one, each pixel as large as a
// 96-dpi pixel on this screen.
void drawArrow(HDC dc, const RECT& r, COLORREF ink) {
    int s = device::screenConfig().scale;
    int cx = (r.left + r.right) / 2 - s / 2, cy = (r.top + r.bottom) / 2 - 2 * s + 1;
    HBRUSH brush = CreateSolidBrush(ink);
    for (int row = 0; row < 4; ++row) {
        RECT line{cx - (3 - row) * s, cy + row * s, cx + (4 - row) * s, cy + (row + 1) * s};
        FillRect(dc, &line, brush);
    }
    DeleteObject(brush);
}

std::u16string selectedText(const Combo& c) {
    int sel = curSel(c);
    if (sel < 0) return {};
    int n = (int)SendMessageW(c.list, LB_GETTEXTLEN, (WPARAM)sel, 0);
    if (n < 0) return {};
    std::u16string s((size_t)n + 1, u'\0');
    SendMessageW(c.list, LB_GETTEXT, (WPARAM)sel, (LPARAM)s.data());
    s.resize((size_t)n);
    return s;
}

}  // namespace

LRESULT onPaint(Combo& c, HDC given) {
    PAINTSTRUCT ps{};
    HWND self = c.hwnd;
    HDC dc = given ? given : BeginPaint(self, &ps);
    if (!dc) return 0;
    int saved = SaveDC(dc);
    HBRUSH back = prepareColors(c, dc);
    if (IsWindow(self) && comboOf(self) == &c) {
        RECT rc;
        GetClientRect(self, &rc);
        HBRUSH black = GetSysColorBrush(COLOR_WINDOWFRAME);
        FillRect(dc, &rc, back);
        FrameRect(dc, &rc, black);
        RECT button = buttonRect(c);
        RECT face{button.left, button.top + 1, button.right - 1, button.bottom - 1};
        FillRect(dc, &face, GetSysColorBrush(c.dropped ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        RECT edge{button.left, button.top, button.left + 1, button.bottom};
        FillRect(dc, &edge, black);
        drawArrow(dc, button, GetSysColor(c.dropped ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        RECT field{rc.left + 2, rc.top + 2, button.left - 1, rc.bottom - 2};
        std::u16string text = selectedText(c);
        SelectObject(dc, c.font ? (HGDIOBJ)c.font : GetStockObject(DEFAULT_GUI_FONT));
        if (c.focused && !c.dropped && IsWindowEnabled(self)) {
            FillRect(dc, &field, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
        RECT t = field;
        t.left += 1;
        if (!text.empty())
            DrawTextW(dc, text.c_str(), (int)text.size(), &t, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    RestoreDC(dc, saved);
    if (!given) EndPaint(self, &ps);
    return 0;
}

}  // namespace combobox
