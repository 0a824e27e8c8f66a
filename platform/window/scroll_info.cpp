// The values of a window's standard scroll bars (range, page, position).
// A bar shows while there is something to scroll and hides when the page
// covers the whole range, unless SIF_DISABLENOSCROLL keeps it; showing or
// hiding it changes the client area (WM_SIZE follows).
#include <algorithm>

#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

namespace wm {
namespace {

Window* barWindow(HWND hwnd, int bar) {
    Window* w = get(hwnd);
    if (!w) {
        fail(kErrInvalidWindowHandle);
        return nullptr;
    }
    if (bar != SB_HORZ && bar != SB_VERT) {
        fail(kErrInvalidParameter);
        return nullptr;
    }
    return w;
}

DWORD styleBit(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

void setBarShown(Window* w, DWORD bits, bool show) {
    DWORD before = w->style;
    if (show) w->style |= bits; else w->style &= ~bits;
    if (w->style != before)
        setWindowPos(w, nullptr, false, false, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void clampPos(ScrollBarInfo& s) {
    long maxPos = (long)s.max - std::max<long>((long)s.page - 1, 0);
    s.pos = (int)std::clamp<long>(s.pos, s.min, std::max<long>(s.min, maxPos));
}

}  // namespace
}  // namespace wm

using wm::Window;

int WINAPI SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    if (bar == SB_CTL) return (int)SendMessageW(hwnd, SBM_SETSCROLLINFO, (WPARAM)redraw, (LPARAM)info);
    Window* w = wm::barWindow(hwnd, bar);
    if (!w || !info) return 0;
    wm::ScrollBarInfo& s = w->scroll[bar];
    if (info->fMask & SIF_RANGE) {
        s.min = info->nMin;
        s.max = std::max(info->nMax, info->nMin);
    }
    long range = (long)s.max - s.min + 1;
    if (info->fMask & SIF_PAGE) s.page = (UINT)std::min<long>((long)info->nPage, range);
    if (info->fMask & SIF_POS) s.pos = info->nPos;
    wm::clampPos(s);
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        bool scrollable = s.page ? range > (long)s.page : s.max > s.min;
        HWND h = w->hwnd;
        if (scrollable || !(info->fMask & SIF_DISABLENOSCROLL)) wm::setBarShown(w, wm::styleBit(bar), scrollable);
        if (!(w = wm::get(h))) return 0;
    }
    if (redraw && (w->style & wm::styleBit(bar))) w->ncPaintPending = wm::reallyVisible(w);
    return w->scroll[bar].pos;
}

BOOL WINAPI GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    if (bar == SB_CTL) return (BOOL)SendMessageW(hwnd, SBM_GETSCROLLINFO, 0, (LPARAM)info);
    Window* w = wm::barWindow(hwnd, bar);
    if (!w || !info) return FALSE;
    const wm::ScrollBarInfo& s = w->scroll[bar];
    if (info->fMask & SIF_RANGE) {
        info->nMin = s.min;
        info->nMax = s.max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = s.page;
    if (info->fMask & SIF_POS) info->nPos = s.pos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s.trackPos;
    return TRUE;
}

int WINAPI SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    Window* w = bar == SB_CTL ? nullptr : wm::barWindow(hwnd, bar);
    if (bar != SB_CTL && !w) return 0;
    int old = bar == SB_CTL ? GetScrollPos(hwnd, bar) : w->scroll[bar].pos;
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return old;
}

int WINAPI GetScrollPos(HWND hwnd, int bar) {
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hwnd, bar, &si) ? si.nPos : 0;
}

BOOL WINAPI SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    SCROLLINFO si{sizeof(si), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    if (bar != SB_CTL && !wm::barWindow(hwnd, bar)) return FALSE;
    SetScrollInfo(hwnd, bar, &si, redraw);
    return TRUE;
}

BOOL WINAPI GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos) {
    SCROLLINFO si{sizeof(si), SIF_RANGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hwnd, bar, &si)) return FALSE;
    if (minPos) *minPos = si.nMin;
    if (maxPos) *maxPos = si.nMax;
    return TRUE;
}

BOOL WINAPI ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    if (bar == SB_CTL) {
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    DWORD bits = bar == SB_BOTH ? (WS_VSCROLL | WS_HSCROLL) : bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (bar != SB_BOTH && bar != SB_VERT && bar != SB_HORZ) {
        wm::fail(wm::kErrInvalidParameter);
        return FALSE;
    }
    wm::setBarShown(w, bits, show != FALSE);
    return TRUE;
}
