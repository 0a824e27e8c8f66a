// The trackbar: a position in a range moved by the pen (dragging the thumb,
// or paging while the pen holds the channel) and by the keys. Each move is
// told to the parent with WM_HSCROLL (WM_VSCROLL when TBS_VERT) and a TB_*
// code, the trackbar's handle in lParam; the program's own TBM_SETPOS moves
// it silently.
#include <algorithm>

#include "platform/controls/trackbar/trackbar_control.h"
#include "platform/controls/trackbar/trackbar_internal.h"

namespace trackbar {
namespace {

// The page repeat while the pen holds the channel, as the scroll bars do.
constexpr UINT_PTR kPageTimer = 1;
constexpr UINT kFirstDelayMs = 300;
constexpr UINT kRepeatMs = 100;

Trackbar* trackbarOf(HWND hwnd) { return reinterpret_cast<Trackbar*>(GetWindowLongW(hwnd, 0)); }

void redraw(Trackbar& t) { InvalidateRect(t.hwnd, nullptr, FALSE); }

// Sends the move to the parent; false when the trackbar is gone afterwards.
bool notify(Trackbar& t, int code, int pos = 0) {
    HWND self = t.hwnd;
    HWND parent = GetParent(self);
    if (parent) {
        WPARAM w = MAKEWPARAM((WORD)code, (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? (WORD)pos : 0);
        SendMessageW(parent, isVertical(t) ? WM_VSCROLL : WM_HSCROLL, w, (LPARAM)self);
    }
    return IsWindow(self) != FALSE;
}

int clampPos(const Trackbar& t, long pos) { return (int)std::clamp<long>(pos, t.min, std::max(t.min, t.max)); }

// Moves the thumb; true when the position changed.
bool moveTo(Trackbar& t, long pos, bool repaint = true) {
    int next = clampPos(t, pos);
    if (next == t.pos) return false;
    t.pos = next;
    if (repaint) redraw(t);
    return true;
}

// Automatic ticks every ticFreq positions between the ends.
void recalcTics(Trackbar& t) {
    if (!(styleOf(t) & TBS_AUTOTICKS)) return;
    t.tics.clear();
    if (t.ticFreq <= 0) return;
    for (long p = (long)t.min + t.ticFreq; p < t.max; p += t.ticFreq) t.tics.push_back((int)p);
}

void setRange(Trackbar& t, int min, int max, bool repaint) {
    t.min = min;
    t.max = max;
    if (t.max < t.min) t.max = t.min;
    t.pos = clampPos(t, t.pos);
    t.pageSize = std::max(1, (t.max - t.min) / 5);
    recalcTics(t);
    if (repaint) redraw(t);
}

POINT pointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

int along(const Layout& l, POINT p) { return l.vertical ? p.y : p.x; }

bool inRect(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// One page towards the pen; false when the thumb has reached it (or the
// trackbar is gone).
bool pageTowardsPen(Trackbar& t) {
    Layout l = layoutOf(t);
    int thumbStart = l.vertical ? l.thumb.top : l.thumb.left;
    int thumbEnd = l.vertical ? l.thumb.bottom : l.thumb.right;
    int at = along(l, t.pen);
    if (t.paging == TB_PAGEUP && at >= thumbStart) return false;
    if (t.paging == TB_PAGEDOWN && at < thumbEnd) return false;
    moveTo(t, (long)t.pos + (t.paging == TB_PAGEUP ? -t.pageSize : t.pageSize));
    return notify(t, t.paging);
}

LRESULT onPenDown(Trackbar& t, LPARAM lParam) {
    HWND self = t.hwnd;
    SetFocus(self);
    if (!IsWindow(self)) return 0;
    Layout l = layoutOf(t);
    POINT p = pointOf(lParam);
    SetCapture(self);
    if (!(styleOf(t) & TBS_NOTHUMB) && inRect(l.thumb, p)) {
        t.dragging = true;
        t.grab = along(l, p) - pixelOf(l, t, t.pos);
        redraw(t);
        return 0;
    }
    int thumbStart = l.vertical ? l.thumb.top : l.thumb.left;
    t.paging = along(l, p) < thumbStart ? TB_PAGEUP : TB_PAGEDOWN;
    t.pen = p;
    if (pageTowardsPen(t)) SetTimer(self, kPageTimer, kFirstDelayMs, nullptr);
    return 0;
}

LRESULT onPenMove(Trackbar& t, LPARAM lParam) {
    if (t.paging >= 0) t.pen = pointOf(lParam);
    if (!t.dragging) return 0;
    Layout l = layoutOf(t);
    int next = positionAt(l, t, along(l, pointOf(lParam)) - t.grab);
    if (moveTo(t, next)) notify(t, TB_THUMBTRACK, t.pos);
    return 0;
}

// The capture went elsewhere: whatever the pen was doing ends quietly.
void dropPen(Trackbar& t) {
    if (!t.dragging && t.paging < 0) return;
    t.dragging = false;
    t.paging = -1;
    KillTimer(t.hwnd, kPageTimer);
    redraw(t);
}

LRESULT onPenUp(Trackbar& t) {
    HWND self = t.hwnd;
    bool dragged = t.dragging, paged = t.paging >= 0;
    if (!dragged && !paged) return 0;
    dropPen(t);
    if (GetCapture() == self) ReleaseCapture();
    if (!IsWindow(self)) return 0;
    if (dragged && !notify(t, TB_THUMBPOSITION, t.pos)) return 0;
    notify(t, TB_ENDTRACK);
    return 0;
}

LRESULT onTimer(Trackbar& t, WPARAM id) {
    if (id != kPageTimer || t.paging < 0) return 0;
    HWND self = t.hwnd;
    if (!pageTowardsPen(t)) {
        if (IsWindow(self)) KillTimer(self, kPageTimer);
        return 0;
    }
    SetTimer(self, kPageTimer, kRepeatMs, nullptr);
    return 0;
}

int keyCode(WPARAM vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_UP: return TB_LINEUP;
        case VK_RIGHT:
        case VK_DOWN: return TB_LINEDOWN;
        case VK_PRIOR: return TB_PAGEUP;
        case VK_NEXT: return TB_PAGEDOWN;
        case VK_HOME: return TB_TOP;
        case VK_END: return TB_BOTTOM;
        default: return -1;
    }
}

LRESULT onKeyDown(Trackbar& t, WPARAM vk) {
    int code = keyCode(vk);
    if (code < 0) return 0;
    long pos = t.pos;
    switch (code) {
        case TB_LINEUP: pos -= t.lineSize; break;
        case TB_LINEDOWN: pos += t.lineSize; break;
        case TB_PAGEUP: pos -= t.pageSize; break;
        case TB_PAGEDOWN: pos += t.pageSize; break;
        case TB_TOP: pos = t.min; break;
        default: pos = t.max; break;
    }
    if (moveTo(t, pos)) notify(t, code);
    return 0;
}

LRESULT onKeyUp(Trackbar& t, WPARAM vk) {
    if (keyCode(vk) >= 0) notify(t, TB_ENDTRACK);
    return 0;
}

LRESULT onSetTic(Trackbar& t, LPARAM pos) {
    if (pos <= t.min || pos >= t.max) return pos == t.min || pos == t.max;
    auto at = std::lower_bound(t.tics.begin(), t.tics.end(), (int)pos);
    if (at == t.tics.end() || *at != (int)pos) t.tics.insert(at, (int)pos);
    redraw(t);
    return TRUE;
}

LRESULT onGetNumTics(const Trackbar& t) {
    if (styleOf(t) & TBS_NOTICKS) return 0;
    return (LRESULT)t.tics.size() + 2;
}

LRESULT onGetTic(const Trackbar& t, WPARAM index) {
    return index < t.tics.size() ? t.tics[index] : -1;
}

LRESULT setInt(Trackbar& t, int& field, int value, bool repaint) {
    int old = field;
    field = value;
    if (repaint) redraw(t);
    return old;
}

LRESULT onSetSel(Trackbar& t, WPARAM repaint, LPARAM range) {
    t.selStart = (int)LOWORD(range);
    t.selEnd = (int)HIWORD(range);
    if (repaint) redraw(t);
    return 0;
}

LRESULT onPaint(Trackbar& t, WPARAM given) {
    PAINTSTRUCT ps{};
    HDC dc = given ? (HDC)given : BeginPaint(t.hwnd, &ps);
    HWND self = t.hwnd;
    if (dc) paint(t, dc);
    if (!given && IsWindow(self)) EndPaint(self, &ps);
    return 0;
}

LRESULT putRect(LPARAM out, const RECT& r) {
    if (out) *reinterpret_cast<RECT*>(out) = r;
    return 0;
}

LRESULT onNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto* t = new Trackbar();
    t->hwnd = hwnd;
    t->paging = -1;
    SetWindowLongW(hwnd, 0, (LONG_PTR)t);
    return DefWindowProcW(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT onNcDestroy(HWND hwnd, Trackbar* t, WPARAM wParam, LPARAM lParam) {
    SetWindowLongW(hwnd, 0, 0);
    delete t;
    return DefWindowProcW(hwnd, WM_NCDESTROY, wParam, lParam);
}

LRESULT CALLBACK trackbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) return onNcCreate(hwnd, wParam, lParam);
    Trackbar* tp = trackbarOf(hwnd);
    if (!tp) return DefWindowProcW(hwnd, msg, wParam, lParam);
    Trackbar& t = *tp;
    switch (msg) {
        case WM_NCDESTROY: return onNcDestroy(hwnd, tp, wParam, lParam);
        case WM_CREATE: recalcTics(t); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: return onPaint(t, wParam);
        case WM_SIZE: redraw(t); return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE: redraw(t); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: return onPenDown(t, lParam);
        case WM_MOUSEMOVE: return onPenMove(t, lParam);
        case WM_LBUTTONUP: return onPenUp(t);
        case WM_CAPTURECHANGED: dropPen(t); return 0;
        case WM_TIMER: return onTimer(t, wParam);
        case WM_KEYDOWN: return onKeyDown(t, wParam);
        case WM_KEYUP: return onKeyUp(t, wParam);
        case TBM_GETPOS: return t.pos;
        case TBM_SETPOS: moveTo(t, (long)lParam, wParam != 0); return 0;
        case TBM_GETRANGEMIN: return t.min;
        case TBM_GETRANGEMAX: return t.max;
        case TBM_SETRANGE: setRange(t, (int)LOWORD(lParam), (int)HIWORD(lParam), wParam != 0); return 0;
        case TBM_SETRANGEMIN: setRange(t, (int)lParam, t.max, wParam != 0); return 0;
        case TBM_SETRANGEMAX: setRange(t, t.min, (int)lParam, wParam != 0); return 0;
        case TBM_SETTICFREQ:
            t.ticFreq = (int)wParam;
            recalcTics(t);
            redraw(t);
            return 0;
        case TBM_SETTIC: return onSetTic(t, lParam);
        case TBM_GETTIC: return onGetTic(t, wParam);
        case TBM_GETNUMTICS: return onGetNumTics(t);
        case TBM_CLEARTICS:
            t.tics.clear();
            if (wParam) redraw(t);
            return 0;
        case TBM_SETPAGESIZE: return setInt(t, t.pageSize, (int)lParam, false);
        case TBM_GETPAGESIZE: return t.pageSize;
        case TBM_SETLINESIZE: return setInt(t, t.lineSize, (int)lParam, false);
        case TBM_GETLINESIZE: return t.lineSize;
        case TBM_SETSEL: return onSetSel(t, wParam, lParam);
        case TBM_SETSELSTART: setInt(t, t.selStart, (int)lParam, wParam != 0); return 0;
        case TBM_SETSELEND: setInt(t, t.selEnd, (int)lParam, wParam != 0); return 0;
        case TBM_GETSELSTART: return t.selStart;
        case TBM_GETSELEND: return t.selEnd;
        case TBM_CLEARSEL: t.selStart = t.selEnd = 0; if (wParam) redraw(t); return 0;
        case TBM_GETTHUMBRECT: return putRect(lParam, layoutOf(t).thumb);
        case TBM_GETCHANNELRECT: return putRect(lParam, layoutOf(t).channel);
        case TBM_SETTHUMBLENGTH: setInt(t, t.thumbLength, (int)wParam, true); return 0;
        case TBM_GETTHUMBLENGTH: {
            Layout l = layoutOf(t);
            return l.vertical ? l.thumb.right - l.thumb.left : l.thumb.bottom - l.thumb.top;
        }
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace
}  // namespace trackbar

namespace device {

bool registerTrackbarControl() {
    WNDCLASSW existing{};
    if (GetClassInfoW(nullptr, TRACKBAR_CLASSW, &existing)) return true;
    WNDCLASSW wc{};
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = trackbar::trackbarProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = TRACKBAR_CLASSW;
    return RegisterClassW(&wc) != 0;
}

}  // namespace device
