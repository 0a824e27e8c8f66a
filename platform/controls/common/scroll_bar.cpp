// The standard scroll bars: layout, painting, and the pen tracking loop that
// turns taps and drags on a bar into WM_VSCROLL / WM_HSCROLL.
#include "platform/controls/common/scroll_bar.h"

#include <algorithm>

#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "platform/window/wm_internal.h"
#include "wingdi.h"

namespace device {
namespace {

// The thumb while the pen drags it: painted there instead of at the window's
// position, which only changes when the window answers SB_THUMBTRACK.
struct Tracking {
    HWND hwnd = nullptr;
    int bar = -1;
    bool thumb = false;
    int trackPos = 0;
};
Tracking& tracking() {
    static Tracking t;
    return t;
}

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
bool emptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

struct Values {
    long min = 0, max = 0, page = 0, pos = 0;
    long range() const { return max - min + 1; }
    long effectivePage() const { return page ? std::min(page, range()) : 1; }
    long span() const { return range() - effectivePage(); }  // positions the thumb can take beyond min
    bool scrollable() const { return page ? range() > page : max > min; }
};

Values valuesOf(HWND hwnd, int bar) {
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    Values v;
    if (!GetScrollInfo(hwnd, bar, &si)) return v;
    v.min = si.nMin;
    v.max = si.nMax;
    v.page = si.nPage;
    v.pos = si.nPos;
    return v;
}

int length(const RECT& r, bool vertical) { return vertical ? r.bottom - r.top : r.right - r.left; }

void fillTriangle(HDC dc, const RECT& r, ScrollPart part, bool vertical, bool enabled) {
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    int s = std::max(2, (int)std::min(r.right - r.left, r.bottom - r.top) / 4);
    bool first = part == ScrollPart::LineUp;
    POINT pts[3];
    if (vertical && first) {
        pts[0] = {cx - s, cy + s / 2}; pts[1] = {cx + s, cy + s / 2}; pts[2] = {cx, cy - s / 2 - 1};
    } else if (vertical) {
        pts[0] = {cx - s, cy - s / 2}; pts[1] = {cx + s, cy - s / 2}; pts[2] = {cx, cy + s / 2 + 1};
    } else if (first) {
        pts[0] = {cx + s / 2, cy - s}; pts[1] = {cx + s / 2, cy + s}; pts[2] = {cx - s / 2 - 1, cy};
    } else {
        pts[0] = {cx - s / 2, cy - s}; pts[1] = {cx - s / 2, cy + s}; pts[2] = {cx + s / 2 + 1, cy};
    }
    COLORREF colour = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, pts, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

// A button face with the device's flat look: face colour, black frame;
// pressed parts are drawn inverted.
// The frame is as thick as a 96-dpi pixel on this screen.
void drawButton(HDC dc, const RECT& r, bool pressed) {
    RECT b = r;
    FillRect(dc, &b, GetSysColorBrush(pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
    for (int i = 0; i < screenConfig().scale && !emptyRect(b); ++i) {
        FrameRect(dc, &b, (HBRUSH)GetStockObject(BLACK_BRUSH));
        InflateRect(&b, -1, -1);
    }
}

void paintBar(HWND hwnd, HDC dc, int bar, ScrollPart pressed) {
    ScrollBarLayout l = scrollBarLayout(hwnd, bar);
    if (emptyRect(l.bar)) return;
    bool vertical = bar == SB_VERT;
    FillRect(dc, &l.track, GetSysColorBrush(COLOR_SCROLLBAR));
    // The pressed page region shows darker while the pen holds it.
    if (pressed == ScrollPart::PageUp || pressed == ScrollPart::PageDown) {
        RECT p = l.track;
        if (!emptyRect(l.thumb)) {
            if (pressed == ScrollPart::PageUp) (vertical ? p.bottom : p.right) = vertical ? l.thumb.top : l.thumb.left;
            else (vertical ? p.top : p.left) = vertical ? l.thumb.bottom : l.thumb.right;
        }
        FillRect(dc, &p, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    drawButton(dc, l.lineUp, pressed == ScrollPart::LineUp);
    drawButton(dc, l.lineDown, pressed == ScrollPart::LineDown);
    fillTriangle(dc, l.lineUp, ScrollPart::LineUp, vertical, l.enabled);
    fillTriangle(dc, l.lineDown, ScrollPart::LineDown, vertical, l.enabled);
    if (!emptyRect(l.thumb)) drawButton(dc, l.thumb, false);
}

// What the pen holds right now (for the pressed look).
struct Held {
    HWND hwnd = nullptr;
    int bar = -1;
    ScrollPart part = ScrollPart::None;
};
Held& held() {
    static Held h;
    return h;
}

struct ScrollBarPainter : NonClientPainter {
    void paint(HWND hwnd, HDC dc) override {
        wm::Window* w = wm::get(hwnd);
        if (!w) return;
        for (int bar : {SB_VERT, SB_HORZ}) {
            ScrollPart pressed = held().hwnd == hwnd && held().bar == bar ? held().part : ScrollPart::None;
            paintBar(hwnd, dc, bar, pressed);
        }
        if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) {
            RECT v = scrollBarRect(hwnd, SB_VERT), h = scrollBarRect(hwnd, SB_HORZ);
            RECT corner{v.left, h.top, v.right, h.bottom};
            FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
        }
    }
    LRESULT hitTest(HWND hwnd, POINT screenPt) override {
        RECT wr{};
        if (!GetWindowRect(hwnd, &wr)) return HTNOWHERE;
        POINT local{screenPt.x - wr.left, screenPt.y - wr.top};
        if (contains(scrollBarRect(hwnd, SB_VERT), local)) return HTVSCROLL;
        if (contains(scrollBarRect(hwnd, SB_HORZ), local)) return HTHSCROLL;
        return HTNOWHERE;
    }
    bool penDown(HWND hwnd, LRESULT hit, POINT screenPt) override {
        return scrollBarMessage(hwnd, WM_NCLBUTTONDOWN, (WPARAM)hit, MAKELPARAM(screenPt.x, screenPt.y));
    }
};

ScrollBarPainter& painter() {
    static ScrollBarPainter p;
    return p;
}

void repaintBars(HWND hwnd) {
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    painter().paint(hwnd, dc);
    ReleaseDC(hwnd, dc);
}

void setTrackPos(HWND hwnd, int bar, int pos) {
    if (wm::Window* w = wm::get(hwnd)) w->scroll[bar].trackPos = pos;
}

// The position for a thumb whose leading edge is `offset` pixels into the track.
long positionForOffset(const ScrollBarLayout& l, const Values& v, int offset, bool vertical) {
    int room = length(l.track, vertical) - length(l.thumb, vertical);
    if (room <= 0 || v.span() <= 0) return v.min;
    offset = std::clamp(offset, 0, room);
    return v.min + ((long)offset * v.span() + room / 2) / room;
}

WPARAM code(int c, long pos = 0) { return MAKEWPARAM((WORD)c, (WORD)pos); }

// Runs the bar until the pen lifts (see the header).
void track(HWND hwnd, int bar, POINT screenPt) {
    bool vertical = bar == SB_VERT;
    UINT scrollMsg = vertical ? WM_VSCROLL : WM_HSCROLL;
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    auto local = [&](POINT p) { return POINT{p.x - wr.left, p.y - wr.top}; };
    ScrollBarLayout l = scrollBarLayout(hwnd, bar);
    ScrollPart part = scrollBarPartAt(l, local(screenPt), vertical);
    if (part == ScrollPart::None) return;
    if (!l.enabled) return;  // a kept but disabled bar does nothing
    Values v = valuesOf(hwnd, bar);
    // The pen's distance from the thumb's leading edge, kept while dragging.
    int grab = vertical ? local(screenPt).y - l.thumb.top : local(screenPt).x - l.thumb.left;
    long trackPos = v.pos;
    auto lineCode = [&](ScrollPart p) {
        return p == ScrollPart::LineUp ? SB_LINEUP : p == ScrollPart::LineDown ? SB_LINEDOWN
               : p == ScrollPart::PageUp ? SB_PAGEUP : SB_PAGEDOWN;
    };

    SetCapture(hwnd);
    held() = Held{hwnd, bar, part};
    if (part == ScrollPart::Thumb) {
        tracking() = Tracking{hwnd, bar, true, (int)trackPos};
        setTrackPos(hwnd, bar, (int)trackPos);
    } else {
        repaintBars(hwnd);
        SendMessageW(hwnd, scrollMsg, code(lineCode(part)), 0);
        if (IsWindow(hwnd)) SetTimer(hwnd, kScrollTimerId, kScrollFirstDelayMs, nullptr);
    }
    POINT pen = screenPt;
    bool quit = false;
    WPARAM quitCode = 0;
    while (IsWindow(hwnd) && GetCapture() == hwnd) {
        MSG m{};
        if (!GetMessageW(&m, nullptr, 0, 0)) {
            quit = true;
            quitCode = m.wParam;
            break;
        }
        if (m.hwnd == hwnd && m.message == WM_LBUTTONUP) {
            pen = m.pt;
            break;
        }
        if (m.hwnd == hwnd && m.message == WM_MOUSEMOVE) {
            pen = m.pt;
            if (part != ScrollPart::Thumb) {
                // Leaving the part pauses the repeat; the pressed look follows.
                ScrollBarLayout now = scrollBarLayout(hwnd, bar);
                ScrollPart under = scrollBarPartAt(now, local(pen), vertical);
                ScrollPart shown = under == part ? part : ScrollPart::None;
                if (held().part != shown) {
                    held().part = shown;
                    repaintBars(hwnd);
                }
                continue;
            }
            int offset = (vertical ? local(pen).y - l.track.top : local(pen).x - l.track.left) - grab;
            v = valuesOf(hwnd, bar);
            long next = positionForOffset(l, v, offset, vertical);
            if (next != trackPos) {
                trackPos = next;
                tracking().trackPos = (int)next;
                setTrackPos(hwnd, bar, (int)next);
                repaintBars(hwnd);
                SendMessageW(hwnd, scrollMsg, code(SB_THUMBTRACK, next), 0);
            }
            continue;
        }
        if (m.hwnd == hwnd && m.message == WM_TIMER && m.wParam == kScrollTimerId) {
            SetTimer(hwnd, kScrollTimerId, kScrollRepeatMs, nullptr);
            ScrollBarLayout now = scrollBarLayout(hwnd, bar);
            if (scrollBarPartAt(now, local(pen), vertical) == part)
                SendMessageW(hwnd, scrollMsg, code(lineCode(part)), 0);
            continue;
        }
        // Pen messages of other windows cannot come while the bar holds the
        // capture; everything else (paint, timers of others) runs as usual.
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    bool alive = IsWindow(hwnd);
    if (alive) KillTimer(hwnd, kScrollTimerId);
    if (alive && GetCapture() == hwnd) ReleaseCapture();
    held() = Held{};
    tracking() = Tracking{};
    if (alive) {
        if (part == ScrollPart::Thumb) SendMessageW(hwnd, scrollMsg, code(SB_THUMBPOSITION, trackPos), 0);
        if (IsWindow(hwnd)) SendMessageW(hwnd, scrollMsg, code(SB_ENDSCROLL), 0);
        if (IsWindow(hwnd)) repaintBars(hwnd);
    }
    if (quit) PostQuitMessage((int)quitCode);
}

}  // namespace

void registerScrollBars() { setDefaultNonClientPainter(&painter()); }

ScrollBarLayout scrollBarLayout(HWND hwnd, int bar, int pos) {
    ScrollBarLayout l;
    if (bar != SB_VERT && bar != SB_HORZ) return l;
    l.bar = scrollBarRect(hwnd, bar);
    if (emptyRect(l.bar)) return l;
    bool vertical = bar == SB_VERT;
    const RECT& r = l.bar;
    int len = length(r, vertical);
    int thick = vertical ? r.right - r.left : r.bottom - r.top;
    int arrow = std::min(thick, len / 2);
    l.lineUp = vertical ? RECT{r.left, r.top, r.right, r.top + arrow} : RECT{r.left, r.top, r.left + arrow, r.bottom};
    l.lineDown = vertical ? RECT{r.left, r.bottom - arrow, r.right, r.bottom}
                          : RECT{r.right - arrow, r.top, r.right, r.bottom};
    l.track = vertical ? RECT{r.left, l.lineUp.bottom, r.right, l.lineDown.top}
                       : RECT{l.lineUp.right, r.top, l.lineDown.left, r.bottom};
    Values v = valuesOf(hwnd, bar);
    l.enabled = v.scrollable();
    int trackLen = length(l.track, vertical);
    // The thumb: proportional to the page, never shorter than half the bar's
    // thickness so the pen can hold it; none when it would not fit.
    int minThumb = std::max(4, thick / 2);
    if (!l.enabled || trackLen < minThumb + 2) return l;
    int thumb = (int)std::clamp<long>((long)trackLen * v.effectivePage() / v.range(), minThumb, trackLen);
    long span = v.span();
    long at = std::clamp<long>((long)pos - v.min, 0, span);
    int offset = span > 0 ? (int)((long)(trackLen - thumb) * at / span) : 0;
    l.thumb = vertical ? RECT{l.track.left, l.track.top + offset, l.track.right, l.track.top + offset + thumb}
                       : RECT{l.track.left + offset, l.track.top, l.track.left + offset + thumb, l.track.bottom};
    return l;
}

ScrollBarLayout scrollBarLayout(HWND hwnd, int bar) {
    const Tracking& t = tracking();
    if (t.thumb && t.hwnd == hwnd && t.bar == bar) return scrollBarLayout(hwnd, bar, t.trackPos);
    return scrollBarLayout(hwnd, bar, valuesOf(hwnd, bar).pos);
}

ScrollPart scrollBarPartAt(const ScrollBarLayout& l, POINT p, bool vertical) {
    if (!contains(l.bar, p)) return ScrollPart::None;
    if (contains(l.lineUp, p)) return ScrollPart::LineUp;
    if (contains(l.lineDown, p)) return ScrollPart::LineDown;
    if (emptyRect(l.thumb)) return ScrollPart::None;
    if (contains(l.thumb, p)) return ScrollPart::Thumb;
    int at = vertical ? p.y : p.x;
    return at < (vertical ? l.thumb.top : l.thumb.left) ? ScrollPart::PageUp : ScrollPart::PageDown;
}

bool scrollBarMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_NCLBUTTONDOWN && msg != WM_NCLBUTTONDBLCLK) return false;
    if (wParam != HTVSCROLL && wParam != HTHSCROLL) return false;
    if (!IsWindow(hwnd) || !IsWindowEnabled(hwnd)) return false;
    track(hwnd, wParam == HTVSCROLL ? SB_VERT : SB_HORZ, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return true;
}

}  // namespace device
