// Painting of the buttons with the device look: push buttons are framed in
// black (twice for the default one) and invert while pressed; check boxes and
// radio buttons are white boxes and circles with a black mark beside their
// text; group boxes are a black frame with the caption cut into its top line.
#include <algorithm>
#include <string>

#include "platform/controls/button/button_internal.h"
#include "platform/window/screen.h"

namespace button {
namespace {

// Marks, frames and gaps are drawn in device pixels of the 96-dpi screen,
// each one as many pixels square as the screen has pixels per such pixel.
int scale() { return device::screenConfig().scale; }

constexpr int kMarkSize = 13;

// A frame `width` pixels thick just inside r.
void frame(HDC dc, RECT r, HBRUSH brush, int width) {
    for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
        FrameRect(dc, &r, brush);
        InflateRect(&r, -1, -1);
    }
}

std::u16string textOf(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::u16string text((size_t)n + 1, u'\0');
    n = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize((size_t)std::max(0, n));
    return text;
}

HBRUSH prepareColors(Button& b, HDC dc, UINT msg, int face) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(face));
    SetBkMode(dc, TRANSPARENT);
    HBRUSH brush = nullptr;
    if (HWND parent = GetParent(b.hwnd)) brush = (HBRUSH)SendMessageW(parent, msg, (WPARAM)dc, (LPARAM)b.hwnd);
    if (!brush) brush = GetSysColorBrush(face);
    SetBkMode(dc, TRANSPARENT);
    if (!IsWindowEnabled(b.hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    return brush;
}

UINT alignFlags(DWORD style, UINT fallback) {
    switch (style & BS_CENTER) {
        case BS_LEFT: return DT_LEFT;
        case BS_RIGHT: return DT_RIGHT;
        case BS_CENTER: return DT_CENTER;
        default: return fallback;
    }
}

void drawCaption(Button& b, HDC dc, RECT r, UINT format) {
    std::u16string text = textOf(b.hwnd);
    if (text.empty()) return;
    if (!(styleOf(b.hwnd) & BS_MULTILINE)) format |= DT_SINGLELINE | DT_VCENTER;
    else format |= DT_WORDBREAK;
    DrawTextW(dc, text.c_str(), (int)text.size(), &r, format);
}

void drawImage(Button& b, HDC dc, const RECT& r) {
    BITMAP bm{};
    if (!b.image || !GetObjectW(b.image, sizeof(bm), &bm)) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, b.image);
    int x = (r.left + r.right - bm.bmWidth) / 2, y = (r.top + r.bottom - bm.bmHeight) / 2;
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, b.pushed ? NOTSRCCOPY : SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void paintPush(Button& b, HDC dc, const RECT& rc) {
    HBRUSH face = prepareColors(b, dc, WM_CTLCOLORBTN, COLOR_BTNFACE);
    HBRUSH frameBrush = GetSysColorBrush(COLOR_WINDOWFRAME);
    RECT r = rc;
    if (b.pushed) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        FillRect(dc, &r, face);
    }
    int s = scale();
    int border = (typeOf(b.hwnd) == BS_DEFPUSHBUTTON ? 2 : 1) * s;
    frame(dc, r, frameBrush, border);
    InflateRect(&r, -(border + s), -(border + s));
    if (styleOf(b.hwnd) & BS_BITMAP) drawImage(b, dc, r);
    else drawCaption(b, dc, r, alignFlags(styleOf(b.hwnd), DT_CENTER));
    if (b.focused && !b.pushed) {
        RECT f = rc;
        InflateRect(&f, -3 * s, -3 * s);
        DrawFocusRect(dc, &f);
    }
}

void drawMark(Button& b, HDC dc, const RECT& box, bool radio) {
    int s = scale();
    HBRUSH black = GetSysColorBrush(COLOR_WINDOWFRAME);
    HBRUSH white = GetSysColorBrush(b.pushed ? COLOR_BTNFACE : COLOR_WINDOW);
    if (radio) {
        HPEN ring = CreatePen(PS_SOLID, s, GetSysColor(COLOR_WINDOWFRAME));
        HGDIOBJ oldBrush = SelectObject(dc, white);
        HGDIOBJ oldPen = SelectObject(dc, ring);
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
        if (b.check == BST_CHECKED) {
            SelectObject(dc, black);
            Ellipse(dc, box.left + 4 * s, box.top + 4 * s, box.right - 4 * s, box.bottom - 4 * s);
        }
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(ring);
        return;
    }
    FillRect(dc, &box, white);
    frame(dc, box, black, s);
    if (b.check == BST_UNCHECKED) return;
    // A tick of two strokes, two pixels thick; grey when indeterminate.
    COLORREF ink = b.check == BST_INDETERMINATE ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT);
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    for (int d = 0; d < 2 * s; ++d) {
        MoveToEx(dc, box.left + 3 * s, box.top + 5 * s + d, nullptr);
        LineTo(dc, box.left + 5 * s, box.top + 7 * s + d);
        LineTo(dc, box.left + 10 * s, box.top + 2 * s + d);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void paintCheck(Button& b, HDC dc, const RECT& rc, bool radio) {
    HBRUSH back = prepareColors(b, dc, WM_CTLCOLORSTATIC, COLOR_STATIC);
    FillRect(dc, &rc, back);
    DWORD style = styleOf(b.hwnd);
    bool markRight = (style & BS_LEFTTEXT) != 0;
    int s = scale();
    int mark = kMarkSize * s;
    int top = (rc.top + rc.bottom - mark) / 2;
    int left = markRight ? rc.right - mark : rc.left;
    RECT box{left, top, left + mark, top + mark};
    drawMark(b, dc, box, radio);
    RECT text = rc;
    if (markRight) text.right = box.left - 4 * s;
    else text.left = box.right + 4 * s;
    UINT align = alignFlags(style, DT_LEFT);
    drawCaption(b, dc, text, align);
    if (b.focused) {
        // Around the caption as drawn, and never past the button's edges.
        std::u16string caption = textOf(b.hwnd);
        RECT f = text;
        if (!caption.empty()) {
            RECT measured = text;
            DrawTextW(dc, caption.c_str(), (int)caption.size(), &measured, DT_CALCRECT | DT_SINGLELINE);
            int width = std::min(measured.right - measured.left, text.right - text.left);
            if (align == DT_RIGHT) f.left = text.right - width;
            else if (align == DT_CENTER) f.left = (text.left + text.right - width) / 2;
            f.right = f.left + width;
            int height = measured.bottom - measured.top;
            f.top = std::max(rc.top, (rc.top + rc.bottom - height) / 2);
            f.bottom = std::min(rc.bottom, f.top + height);
        }
        InflateRect(&f, s, 0);
        f.left = std::max(f.left, rc.left);
        f.right = std::min(f.right, rc.right);
        DrawFocusRect(dc, &f);
    }
}

void paintGroup(Button& b, HDC dc, const RECT& rc) {
    HBRUSH back = prepareColors(b, dc, WM_CTLCOLORSTATIC, COLOR_STATIC);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    RECT outline = rc;
    outline.top += tm.tmHeight / 2;
    // Only the frame and the caption: the inside is the parent's, and the
    // controls placed in the box show through it.
    FrameRect(dc, &outline, GetSysColorBrush(COLOR_WINDOWFRAME));
    std::u16string text = textOf(b.hwnd);
    if (text.empty()) return;
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size);
    RECT cut{rc.left + 6, rc.top, std::min((LONG)(rc.left + 10 + size.cx), rc.right - 2), rc.top + tm.tmHeight};
    FillRect(dc, &cut, back);
    RECT t = cut;
    t.left += 2;
    DrawTextW(dc, text.c_str(), (int)text.size(), &t, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
}

void paintOwner(Button& b, HDC dc, const RECT& rc) {
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_BUTTON;
    di.CtlID = (UINT)GetDlgCtrlID(b.hwnd);
    di.itemAction = ODA_DRAWENTIRE;
    di.itemState = (b.pushed ? ODS_SELECTED : 0) | (b.focused ? ODS_FOCUS : 0) |
                   (IsWindowEnabled(b.hwnd) ? 0 : ODS_DISABLED);
    di.hwndItem = b.hwnd;
    di.hDC = dc;
    di.rcItem = rc;
    if (HWND parent = GetParent(b.hwnd)) SendMessageW(parent, WM_DRAWITEM, (WPARAM)di.CtlID, (LPARAM)&di);
}

}  // namespace

LRESULT onPaint(Button& b, HDC given) {
    PAINTSTRUCT ps{};
    HWND self = b.hwnd;
    HDC dc = given ? given : BeginPaint(self, &ps);
    if (!dc) return 0;
    int saved = SaveDC(dc);
    SelectObject(dc, b.font ? (HGDIOBJ)b.font : GetStockObject(DEFAULT_GUI_FONT));
    RECT rc;
    GetClientRect(self, &rc);
    DWORD type = typeOf(self);
    if (type == BS_OWNERDRAW) paintOwner(b, dc, rc);
    else if (type == BS_GROUPBOX) paintGroup(b, dc, rc);
    else if (isCheckType(type) && !(styleOf(self) & BS_PUSHLIKE)) paintCheck(b, dc, rc, false);
    else if (isRadioType(type) && !(styleOf(self) & BS_PUSHLIKE)) paintCheck(b, dc, rc, true);
    else paintPush(b, dc, rc);
    RestoreDC(dc, saved);
    if (!given) EndPaint(self, &ps);
    return 0;
}

}  // namespace button
