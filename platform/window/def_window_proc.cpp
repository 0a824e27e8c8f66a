// The default window procedure: one line per message, each calling a
// handler named after it.
#include <algorithm>

#include "platform/window/wm_internal.h"
#include "wingdi.h"

namespace wm {
namespace {

LRESULT onNcCreate(HWND hwnd, LPARAM lParam) {
    auto* cs = (const CREATESTRUCTW*)lParam;
    Window* w = get(hwnd);
    if (w && cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
    return TRUE;
}

LRESULT onSetText(HWND hwnd, LPARAM lParam) {
    Window* w = get(hwnd);
    if (!w) return FALSE;
    auto* text = (LPCWSTR)lParam;
    w->text = text ? std::u16string(text) : std::u16string();
    if (activeWindow() == hwnd) navBarForegroundChanged();
    return TRUE;
}

LRESULT onGetText(HWND hwnd, WPARAM cchMax, LPARAM lParam) {
    Window* w = get(hwnd);
    auto* buffer = (LPWSTR)lParam;
    if (!w || !buffer || cchMax == 0) return 0;
    size_t n = std::min(w->text.size(), (size_t)cchMax - 1);
    std::copy(w->text.begin(), w->text.begin() + (long)n, buffer);
    buffer[n] = 0;
    return (LRESULT)n;
}

LRESULT onGetTextLength(HWND hwnd) {
    Window* w = get(hwnd);
    return w ? (LRESULT)w->text.size() : 0;
}

LRESULT onClose(HWND hwnd) {
    DestroyWindow(hwnd);
    return 0;
}

LRESULT onPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
    return 0;
}

LRESULT onEraseBkgnd(HWND hwnd, WPARAM wParam) {
    Window* w = get(hwnd);
    if (!w || !w->cls->background) return 0;
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect((HDC)wParam, &rc, w->cls->background);
    return 1;
}

LRESULT onActivate(HWND hwnd, WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd);
    return 0;
}

LRESULT onSetRedraw(HWND hwnd, WPARAM wParam) {
    Window* w = get(hwnd);
    if (w) w->redrawOff = wParam == FALSE;
    return 0;
}

// Default colours of controls: text in the window text colour on the
// background the control kind uses.
LRESULT onCtlColor(WPARAM wParam, int textColor, int backColor) {
    HDC dc = (HDC)wParam;
    SetTextColor(dc, GetSysColor(textColor));
    SetBkColor(dc, GetSysColor(backColor));
    return (LRESULT)GetSysColorBrush(backColor);
}

LRESULT onSysCommand(HWND hwnd, WPARAM wParam) {
    if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageW(hwnd, WM_CLOSE, 0, 0);
    return 0;
}

// A child passes it up: the parent can offer its menu, or scroll.
LRESULT passToParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND parent = (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
    if (parent) SendMessageW(parent, msg, wParam, lParam);
    return 0;
}

// A window that was moved or sized hears of it as WM_MOVE and WM_SIZE, in
// client terms, unless its client area stayed where and as it was.
LRESULT onWindowPosChanged(HWND hwnd, LPARAM lParam) {
    auto* wp = (const WINDOWPOS*)lParam;
    Window* w = get(hwnd);
    if (!w || !wp) return 0;
    RECT c = clientRectInWindow(w);
    if (!(wp->flags & kSwpNoClientSize)) {
        send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
        if (!(w = get(hwnd))) return 0;
        c = clientRectInWindow(w);
    }
    if (!(wp->flags & kSwpNoClientMove)) send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + c.left, w->rect.top + c.top));
    return 0;
}

LRESULT onNotifyFormat(LPARAM lParam) { return lParam == 3 /* NF_QUERY */ ? 2 /* NFR_UNICODE */ : 0; }

}  // namespace

LRESULT onNcPaint(HWND hwnd);
LRESULT onNcHitTest(HWND hwnd, LPARAM lParam);
LRESULT onNcPenDown(HWND hwnd, WPARAM hit, LPARAM lParam);

}  // namespace wm

LRESULT WINAPI DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    using namespace wm;
    switch (msg) {
        case WM_NCCREATE: return onNcCreate(hwnd, lParam);
        case WM_SETTEXT: return onSetText(hwnd, lParam);
        case WM_GETTEXT: return onGetText(hwnd, wParam, lParam);
        case WM_GETTEXTLENGTH: return onGetTextLength(hwnd);
        case WM_CLOSE: return onClose(hwnd);
        case WM_PAINT: return onPaint(hwnd);
        case WM_ERASEBKGND: return onEraseBkgnd(hwnd, wParam);
        case WM_NCPAINT: return onNcPaint(hwnd);
        case WM_NCHITTEST: return onNcHitTest(hwnd, lParam);
        case WM_NCLBUTTONDOWN: return onNcPenDown(hwnd, wParam, lParam);
        case WM_NCLBUTTONDBLCLK: return onNcPenDown(hwnd, wParam, lParam);
        case WM_ACTIVATE: return onActivate(hwnd, wParam);
        case WM_SETREDRAW: return onSetRedraw(hwnd, wParam);
        case WM_CTLCOLOREDIT: return onCtlColor(wParam, COLOR_WINDOWTEXT, COLOR_WINDOW);
        case WM_CTLCOLORLISTBOX: return onCtlColor(wParam, COLOR_WINDOWTEXT, COLOR_WINDOW);
        case WM_CTLCOLORBTN: return onCtlColor(wParam, COLOR_BTNTEXT, COLOR_BTNFACE);
        case WM_CTLCOLORSTATIC: return onCtlColor(wParam, COLOR_STATICTEXT, COLOR_STATIC);
        case WM_CTLCOLORDLG: return onCtlColor(wParam, COLOR_STATICTEXT, COLOR_STATIC);
        case WM_CTLCOLORMSGBOX: return onCtlColor(wParam, COLOR_STATICTEXT, COLOR_STATIC);
        case WM_CTLCOLORSCROLLBAR: return onCtlColor(wParam, COLOR_WINDOWTEXT, COLOR_SCROLLBAR);
        case WM_SYSCOMMAND: return onSysCommand(hwnd, wParam);
        case WM_CONTEXTMENU: return passToParent(hwnd, msg, wParam, lParam);
        case WM_MOUSEWHEEL: return passToParent(hwnd, msg, wParam, lParam);
        case WM_NOTIFYFORMAT: return onNotifyFormat(lParam);
        case WM_WINDOWPOSCHANGED: return onWindowPosChanged(hwnd, lParam);
        default: return 0;
    }
}
