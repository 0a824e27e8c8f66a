// Painting of the buttons with the device look: push buttons are framed in
// black (twice for the default one) and invert while pressed; check boxes and
// radio buttons are white boxes and circles with a black mark beside their
// text; group boxes are a black frame with the caption cut into its top line.
#include <algorithm>
#include <string>

#include "platform/controls/button/button_internal.h"

namespace button {
namespace {

constexpr int kMarkSize = 13;

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
    HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
    RECT r = rc;
    if (b.pushed) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        FillRect(dc, &r, face);
    }
    FrameRect(dc, &r, frame);
    if (typeOf(b.hwnd) == BS_DEFPUSHBUTTON) {
        InflateRect(&r, -1, -1);
        FrameRect(dc, &r, frame);
    }
    InflateRect(&r, -2, -2);
    if (styleOf(b.hwnd) & BS_BITMAP) drawImage(b, dc, r);
    else drawCaption(b, dc, r, alignFlags(styleOf(b.hwnd), DT_CENTER));
    if (b.focused && !b.pushed) {
        RECT f = rc;
        InflateRect(&f, -3, -3);
        DrawFocusRect(dc, &f);
    }
}

void drawMark(Button& b, HDC dc, const RECT& box, bool radio) {
    HBRUSH black = GetSysColorBrush(COLOR_WINDOWFRAME);
    HBRUSH white = GetSysColorBrush(b.pushed ? COLOR_BTNFACE : COLOR_WINDOW);
    if (radio) {
        HGDIOBJ oldBrush = SelectObject(dc, white);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
        if (b.check == BST_CHECKED) {
            SelectObject(dc, black);
            Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
        }
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        return;
    }
    FillRect(dc, &box, white);
    FrameRect(dc, &box, black);
    if (b.check == BST_UNCHECKED) return;
    // A tick of two strokes, two pixels thick; grey when indeterminate.
    COLORREF ink = b.check == BST_INDETERMINATE ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_WINDOWTEXT);
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    for (int d = 0; d < 2; ++d) {
        MoveToEx(dc, box.left + 3, box.top + 5 + d, nullptr);
        LineTo(dc, box.left + 5, box.top + 7 + d);
        LineTo(dc, box.left + 10, box.top + 2 + d);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void paintCheck(Button& b, HDC dc, const RECT& rc, bool radio) {
    HBRUSH back = prepareColors(b, dc, WM_CTLCOLORSTATIC, COLOR_STATIC);
    FillRect(dc, &rc, back);
    DWORD style = styleOf(b.hwnd);
    bool markRight = (style & BS_LEFTTEXT) != 0;
    int top = (rc.top + rc.bottom - kMarkSize) / 2;
    int left = markRight ? rc.right - kMarkSize : rc.left;
    RECT box{left, top, left + kMarkSize, top + kMarkSize};
    drawMark(b, dc, box, radio);
    RECT text = rc;
    if (markRight) text.right = box.left - 4;
    else text.left = box.right + 4;
    drawCaption(b, dc, text, alignFlags(style, DT_LEFT));
    if (b.focused) {
        RECT f = text;
        InflateRect(&f, 1, 0);
        f.left -= 1;
        DrawFocusRect(dc, &f);
    }
}

void paintGroup(Button& b, HDC dc, const RECT& rc) {
    HBRUSH back = prepareColors(b, dc, WM_CTLCOLORSTATIC, COLOR_STATIC);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    RECT frame = rc;
    frame.top += tm.tmHeight / 2;
    // Only the frame and the caption: the inside is the parent's, and the
    // controls placed in the box show through it.
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
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
