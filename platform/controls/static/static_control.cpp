// The static control: a label drawn with the parent's WM_CTLCOLORSTATIC
// colours, a picture (SS_BITMAP, set with STM_SETIMAGE) or a plain filled or
// framed rectangle. With SS_NOTIFY a tap is told to the parent as STN_CLICKED
// (STN_DBLCLK for a double tap); without it the taps still reach the window
// procedure, so that a program subclassing a label can react to them.
#include <algorithm>
#include <string>

#include "platform/controls/static/static_control.h"
#include "windows.h"

namespace {

struct Static {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    HBITMAP image = nullptr;
};

Static* staticOf(HWND hwnd) { return reinterpret_cast<Static*>(GetWindowLongW(hwnd, 0)); }
DWORD styleOf(HWND hwnd) { return (DWORD)GetWindowLongW(hwnd, GWL_STYLE); }
DWORD typeOf(HWND hwnd) { return styleOf(hwnd) & SS_TYPEMASK; }

void notifyParent(HWND hwnd, WORD code) {
    if (!(styleOf(hwnd) & SS_NOTIFY)) return;
    if (HWND parent = GetParent(hwnd))
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), (LPARAM)hwnd);
}

SIZE bitmapSize(HBITMAP bmp) {
    BITMAP bm{};
    if (!bmp || !GetObjectW(bmp, sizeof(bm), &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

// A picture static takes the size of its picture unless it centres it.
void fitToImage(Static& s) {
    if (typeOf(s.hwnd) != SS_BITMAP || (styleOf(s.hwnd) & (SS_CENTERIMAGE | SS_REALSIZEIMAGE)) || !s.image) return;
    SIZE size = bitmapSize(s.image);
    SetWindowPos(s.hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH prepareColors(Static& s, HDC dc) {
    SetTextColor(dc, GetSysColor(IsWindowEnabled(s.hwnd) ? COLOR_STATICTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_STATIC));
    SetBkMode(dc, OPAQUE);
    HBRUSH brush = nullptr;
    if (HWND parent = GetParent(s.hwnd))
        brush = (HBRUSH)SendMessageW(parent, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)s.hwnd);
    if (!brush) brush = GetSysColorBrush(COLOR_STATIC);
    if (!IsWindowEnabled(s.hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    return brush;
}

std::u16string textOf(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::u16string text((size_t)n + 1, u'\0');
    n = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize((size_t)std::max(0, n));
    return text;
}

void paintText(Static& s, HDC dc, const RECT& rc, DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
        case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
        case SS_SIMPLE: format |= DT_LEFT | DT_SINGLELINE; break;
        case SS_LEFTNOWORDWRAP: format |= DT_LEFT; break;
        default: format |= DT_LEFT | DT_WORDBREAK; break;
    }
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    std::u16string text = textOf(s.hwnd);
    HGDIOBJ old = SelectObject(dc, s.font ? (HGDIOBJ)s.font : GetStockObject(DEFAULT_GUI_FONT));
    RECT r = rc;
    if (!text.empty()) DrawTextW(dc, text.c_str(), (int)text.size(), &r, format);
    SelectObject(dc, old);
}

void paintImage(Static& s, HDC dc, const RECT& rc) {
    if (!s.image) return;
    SIZE size = bitmapSize(s.image);
    int x = 0, y = 0;
    if (styleOf(s.hwnd) & SS_CENTERIMAGE) {
        x = ((int)rc.right - size.cx) / 2;
        y = ((int)rc.bottom - size.cy) / 2;
    }
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, s.image);
    BitBlt(dc, x, y, size.cx, size.cy, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void paintRect(HDC dc, const RECT& rc, int colorIndex, bool frame) {
    HBRUSH brush = GetSysColorBrush(colorIndex);
    if (frame) FrameRect(dc, &rc, brush);
    else FillRect(dc, &rc, brush);
}

void paint(Static& s, HDC dc) {
    RECT rc;
    GetClientRect(s.hwnd, &rc);
    DWORD style = styleOf(s.hwnd);
    switch (style & SS_TYPEMASK) {
        case SS_BLACKRECT: paintRect(dc, rc, COLOR_WINDOWFRAME, false); return;
        case SS_GRAYRECT: paintRect(dc, rc, COLOR_BTNSHADOW, false); return;
        case SS_WHITERECT: paintRect(dc, rc, COLOR_WINDOW, false); return;
        case SS_BLACKFRAME: paintRect(dc, rc, COLOR_WINDOWFRAME, true); return;
        case SS_GRAYFRAME: paintRect(dc, rc, COLOR_BTNSHADOW, true); return;
        case SS_WHITEFRAME: paintRect(dc, rc, COLOR_WINDOW, true); return;
        default: break;
    }
    HWND self = s.hwnd;
    HBRUSH brush = prepareColors(s, dc);
    if (!IsWindow(self) || staticOf(self) != &s) return;
    FillRect(dc, &rc, brush);
    if ((style & SS_TYPEMASK) == SS_BITMAP) paintImage(s, dc, rc);
    else if ((style & SS_TYPEMASK) != SS_ICON && (style & SS_TYPEMASK) != SS_OWNERDRAW) paintText(s, dc, rc, style);
    if ((style & SS_TYPEMASK) == SS_OWNERDRAW) {
        DRAWITEMSTRUCT di{};
        di.CtlType = ODT_STATIC;
        di.CtlID = (UINT)GetDlgCtrlID(self);
        di.itemAction = ODA_DRAWENTIRE;
        di.itemState = IsWindowEnabled(self) ? 0 : ODS_DISABLED;
        di.hwndItem = self;
        di.hDC = dc;
        di.rcItem = rc;
        if (HWND parent = GetParent(self)) SendMessageW(parent, WM_DRAWITEM, (WPARAM)di.CtlID, (LPARAM)&di);
    }
}

LRESULT onPaint(Static& s, HDC given) {
    PAINTSTRUCT ps{};
    HWND self = s.hwnd;
    HDC dc = given ? given : BeginPaint(self, &ps);
    if (!dc) return 0;
    int saved = SaveDC(dc);
    paint(s, dc);
    RestoreDC(dc, saved);
    if (!given) EndPaint(self, &ps);
    return 0;
}

LRESULT onSetImage(Static& s, WPARAM type, LPARAM image) {
    if (type != IMAGE_BITMAP) return 0;
    HBITMAP old = s.image;
    s.image = (HBITMAP)image;
    fitToImage(s);
    InvalidateRect(s.hwnd, nullptr, TRUE);
    return (LRESULT)old;
}

LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* s = new Static();
        s->hwnd = hwnd;
        SetWindowLongW(hwnd, 0, (LONG_PTR)s);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    Static* s = staticOf(hwnd);
    if (!s) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_NCDESTROY:
            SetWindowLongW(hwnd, 0, 0);
            delete s;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: return onPaint(*s, (HDC)wParam);
        case WM_SETTEXT: {
            LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return r;
        }
        case WM_SETFONT:
            s->font = (HFONT)wParam;
            if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return (LRESULT)s->font;
        case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
        case WM_GETDLGCODE: return DLGC_STATIC;
        case WM_LBUTTONDOWN: notifyParent(hwnd, STN_CLICKED); return 0;
        case WM_LBUTTONDBLCLK: notifyParent(hwnd, STN_DBLCLK); return 0;
        case STM_SETIMAGE: return onSetImage(*s, wParam, lParam);
        case STM_GETIMAGE: return wParam == IMAGE_BITMAP ? (LRESULT)s->image : 0;
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

namespace device {

bool registerStaticControl() {
    WNDCLASSW existing{};
    if (GetClassInfoW(nullptr, WC_STATICW, &existing)) return true;
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = staticProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = WC_STATICW;
    return RegisterClassW(&wc) != 0;
}

}  // namespace device
