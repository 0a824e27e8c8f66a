// The progress bar: a position within a range drawn as the device's row of
// highlight-coloured blocks (one solid bar with PBS_SMOOTH) inside a black
// frame. Stepping past the end wraps round to the start of the range.
#include <algorithm>

#include "platform/controls/progress/progress_control.h"
#include "windows.h"

namespace {

struct Progress {
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
};

Progress* progressOf(HWND hwnd) { return reinterpret_cast<Progress*>(GetWindowLongW(hwnd, 0)); }

void redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

// Sets the position clamped to the range; answers the previous one.
LRESULT setPos(HWND hwnd, Progress& p, int pos) {
    int old = p.pos;
    p.pos = std::clamp(pos, p.low, std::max(p.low, p.high));
    if (p.pos != old) redraw(hwnd);
    return old;
}

LRESULT setRange(HWND hwnd, Progress& p, int low, int high) {
    LRESULT old = MAKELONG((WORD)p.low, (WORD)p.high);
    p.low = low;
    p.high = high;
    p.pos = std::clamp(p.pos, p.low, std::max(p.low, p.high));
    redraw(hwnd);
    return old;
}

LRESULT stepIt(HWND hwnd, Progress& p) {
    int old = p.pos;
    long long next = (long long)p.pos + p.step;
    if (next > p.high) next = p.low + (next - p.high);
    else if (next < p.low) next = p.high - (p.low - next);
    setPos(hwnd, p, (int)std::clamp<long long>(next, p.low, p.high));
    return old;
}

void paint(HWND hwnd, Progress& p, HDC dc) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    bool vertical = (GetWindowLongW(hwnd, GWL_STYLE) & PBS_VERTICAL) != 0;
    RECT in = rc;
    InflateRect(&in, -2, -2);
    int length = vertical ? in.bottom - in.top : in.right - in.left;
    int span = p.high - p.low;
    if (length <= 0 || span <= 0) return;
    int filled = (int)((long long)(p.pos - p.low) * length / span);
    HBRUSH bar = GetSysColorBrush(COLOR_HIGHLIGHT);
    bool smooth = (GetWindowLongW(hwnd, GWL_STYLE) & PBS_SMOOTH) != 0;
    int thick = vertical ? in.right - in.left : in.bottom - in.top;
    int block = smooth ? length : std::max(2, thick * 2 / 3);
    for (int at = 0; at < filled; at += block + (smooth ? 0 : 2)) {
        int end = std::min(filled, at + block);
        RECT r = vertical ? RECT{in.left, in.bottom - end, in.right, in.bottom - at}
                          : RECT{in.left + at, in.top, in.left + end, in.bottom};
        FillRect(dc, &r, bar);
    }
}

LRESULT CALLBACK progressProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        SetWindowLongW(hwnd, 0, (LONG_PTR) new Progress());
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    Progress* p = progressOf(hwnd);
    if (!p) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
        case WM_NCDESTROY:
            SetWindowLongW(hwnd, 0, 0);
            delete p;
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = wParam ? (HDC)wParam : BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, *p, dc);
            if (!wParam) EndPaint(hwnd, &ps);
            return 0;
        }
        case PBM_SETRANGE: return setRange(hwnd, *p, (int)LOWORD(lParam), (int)HIWORD(lParam));
        case PBM_SETRANGE32: return setRange(hwnd, *p, (int)(INT_PTR)wParam, (int)lParam);
        case PBM_GETRANGE:
            if (lParam) *reinterpret_cast<PBRANGE*>(lParam) = PBRANGE{p->low, p->high};
            return wParam ? p->low : p->high;
        case PBM_SETPOS: return setPos(hwnd, *p, (int)(INT_PTR)wParam);
        case PBM_DELTAPOS: return setPos(hwnd, *p, p->pos + (int)(INT_PTR)wParam);
        case PBM_GETPOS: return p->pos;
        case PBM_SETSTEP: {
            int old = p->step;
            p->step = (int)(INT_PTR)wParam;
            return old;
        }
        case PBM_STEPIT: return stepIt(hwnd, *p);
        default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

namespace device {

bool registerProgressControl() {
    WNDCLASSW existing{};
    if (GetClassInfoW(nullptr, PROGRESS_CLASSW, &existing)) return true;
    WNDCLASSW wc{};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = progressProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = PROGRESS_CLASSW;
    return RegisterClassW(&wc) != 0;
}

}  // namespace device
