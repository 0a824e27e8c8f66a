// The trackbar's geometry and painting: a sunken channel, tick marks beside
// the thumb, and a framed thumb; the parent may take over any part through
// NM_CUSTOMDRAW (the colour picker draws its own thumb).
#include <algorithm>

#include "platform/controls/trackbar/trackbar_internal.h"
#include "platform/window/screen.h"

namespace trackbar {
namespace {

int scale() { return device::screenConfig().scale; }

RECT swapAxes(const RECT& r) { return RECT{r.top, r.left, r.bottom, r.right}; }

// Sends one custom-draw stage to the parent; its answer (CDRF_*).
LRESULT customDraw(Trackbar& t, HDC dc, DWORD stage, DWORD_PTR part, const RECT& rc, UINT state) {
    HWND parent = GetParent(t.hwnd);
    if (!parent) return CDRF_DODEFAULT;
    NMCUSTOMDRAW nm{};
    nm.hdr.hwndFrom = t.hwnd;
    nm.hdr.idFrom = (UINT_PTR)GetDlgCtrlID(t.hwnd);
    nm.hdr.code = NM_CUSTOMDRAW;
    nm.dwDrawStage = stage;
    nm.hdc = dc;
    nm.rc = rc;
    nm.dwItemSpec = part;
    nm.uItemState = state;
    return SendMessageW(parent, WM_NOTIFY, (WPARAM)nm.hdr.idFrom, (LPARAM)&nm);
}

void drawChannel(const Trackbar& t, const Layout& l, HDC dc) {
    RECT c = l.channel;
    FillRect(dc, &c, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &c, EDGE_SUNKEN, BF_RECT);
    // The selection range shows as highlight inside the channel.
    if ((styleOf(t) & TBS_ENABLESELRANGE) && t.selEnd > t.selStart) {
        int a = pixelOf(l, t, t.selStart), b = pixelOf(l, t, t.selEnd);
        RECT s = l.vertical ? RECT{c.left + 2, a, c.right - 2, b + 1} : RECT{a, c.top + 2, b + 1, c.bottom - 2};
        FillRect(dc, &s, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
}

void drawTick(const Layout& l, HDC dc, int at, int from, HBRUSH brush) {
    RECT r = l.vertical ? RECT{from, at, from + l.tickLength, at + scale()}
                        : RECT{at, from, at + scale(), from + l.tickLength};
    FillRect(dc, &r, brush);
}

void drawTics(const Trackbar& t, const Layout& l, HDC dc) {
    HBRUSH brush = GetSysColorBrush(COLOR_BTNTEXT);
    std::vector<int> at{t.min};
    at.insert(at.end(), t.tics.begin(), t.tics.end());
    at.push_back(t.max);
    for (int p : at) {
        int px = pixelOf(l, t, p);
        if (l.tickBefore >= 0) drawTick(l, dc, px, l.tickBefore, brush);
        if (l.tickAfter >= 0) drawTick(l, dc, px, l.tickAfter, brush);
    }
}

void drawThumb(const Trackbar& t, const Layout& l, HDC dc) {
    RECT r = l.thumb;
    bool enabled = IsWindowEnabled(t.hwnd) != FALSE;
    FillRect(dc, &r, GetSysColorBrush(t.dragging ? COLOR_BTNSHADOW : COLOR_BTNFACE));
    FrameRect(dc, &r, GetSysColorBrush(enabled ? COLOR_WINDOWFRAME : COLOR_GRAYTEXT));
}

}  // namespace

DWORD styleOf(const Trackbar& t) { return (DWORD)GetWindowLongW(t.hwnd, GWL_STYLE); }

bool isVertical(const Trackbar& t) { return (styleOf(t) & TBS_VERT) != 0; }

// Laid out horizontally (the minimum at the left); a vertical trackbar is the
// same with the axes swapped (the minimum at the top).
Layout layoutOf(const Trackbar& t) {
    Layout l;
    l.vertical = isVertical(t);
    DWORD style = styleOf(t);
    RECT rc{};
    GetClientRect(t.hwnd, &rc);
    int along = l.vertical ? rc.bottom : rc.right;
    int across = l.vertical ? rc.right : rc.bottom;
    int s = scale();
    int margin = 2 * s;
    bool ticks = !(style & TBS_NOTICKS);
    bool before = ticks && ((style & TBS_BOTH) || (style & TBS_TOP));
    bool after = ticks && ((style & TBS_BOTH) || !(style & TBS_TOP));
    l.tickLength = 3 * s;
    int tickRoom = l.tickLength + 2 * s;
    int len = t.thumbLength;
    if (len <= 0 || !(style & TBS_FIXEDLENGTH))
        len = std::clamp(across - 2 * margin - (before ? tickRoom : 0) - (after ? tickRoom : 0), 6 * s, 21 * s);
    int thumbAlong = std::max(5 * s, len / 2 + 1);
    int top = margin + (before ? tickRoom : 0);
    l.first = margin + thumbAlong / 2;
    l.last = std::max(l.first, along - margin - thumbAlong / 2 - 1);
    int middle = top + len / 2;
    RECT channel{l.first - 2 * s, middle - 2 * s, l.last + 2 * s + 1, middle + 2 * s};
    int at = pixelOf(l, t, t.pos);
    RECT thumb{at - thumbAlong / 2, top, at - thumbAlong / 2 + thumbAlong, top + len};
    if (style & TBS_NOTHUMB) thumb = RECT{0, 0, 0, 0};
    l.tickBefore = before ? top - tickRoom + s : -1;
    l.tickAfter = after ? top + len + s : -1;
    l.channel = l.vertical ? swapAxes(channel) : channel;
    l.thumb = l.vertical ? swapAxes(thumb) : thumb;
    return l;
}

int pixelOf(const Layout& l, const Trackbar& t, int pos) {
    long span = (long)t.max - t.min;
    if (span <= 0) return l.first;
    long at = std::clamp<long>((long)pos - t.min, 0, span);
    return l.first + (int)((at * (l.last - l.first) + span / 2) / span);
}

int positionAt(const Layout& l, const Trackbar& t, int pixel) {
    int room = l.last - l.first;
    if (room <= 0) return t.min;
    long span = (long)t.max - t.min;
    long offset = std::clamp(pixel - l.first, 0, room);
    return t.min + (int)((offset * span + room / 2) / room);
}

void paint(Trackbar& t, HDC dc) {
    RECT rc{};
    GetClientRect(t.hwnd, &rc);
    // The background is the parent's, as for a static control.
    HWND parent = GetParent(t.hwnd);
    HBRUSH bg = parent ? (HBRUSH)SendMessageW(parent, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)t.hwnd) : nullptr;
    if (!IsWindow(t.hwnd)) return;
    FillRect(dc, &rc, bg ? bg : GetSysColorBrush(COLOR_BTNFACE));
    bool focused = GetFocus() == t.hwnd;
    UINT state = (focused ? CDIS_FOCUS : 0) | (IsWindowEnabled(t.hwnd) ? 0 : CDIS_DISABLED);
    LRESULT asked = customDraw(t, dc, CDDS_PREPAINT, 0, rc, state);
    if (!IsWindow(t.hwnd)) return;
    if (!(asked & CDRF_SKIPDEFAULT)) {
        Layout l = layoutOf(t);
        bool perPart = (asked & CDRF_NOTIFYITEMDRAW) != 0;
        struct Part {
            DWORD_PTR id;  // the part's custom-draw item (TBCD_*)
            RECT rect;
            void (*draw)(const Trackbar&, const Layout&, HDC);
        };
        Part parts[] = {{TBCD_CHANNEL, l.channel, drawChannel},
                        {TBCD_TICS, rc, drawTics},
                        {TBCD_THUMB, l.thumb, drawThumb}};
        for (const Part& p : parts) {
            if (p.id == TBCD_TICS && (styleOf(t) & TBS_NOTICKS)) continue;
            if (p.id == TBCD_THUMB && (styleOf(t) & TBS_NOTHUMB)) continue;
            UINT partState = state | (p.id == TBCD_THUMB && t.dragging ? CDIS_SELECTED : 0);
            LRESULT r = perPart ? customDraw(t, dc, CDDS_ITEMPREPAINT, p.id, p.rect, partState) : CDRF_DODEFAULT;
            if (!IsWindow(t.hwnd)) return;
            if (!(r & CDRF_SKIPDEFAULT)) p.draw(t, l, dc);
            if (r & CDRF_NOTIFYPOSTPAINT) customDraw(t, dc, CDDS_ITEMPOSTPAINT, p.id, p.rect, partState);
            if (!IsWindow(t.hwnd)) return;
        }
        if (focused) {
            RECT f = rc;
            DrawFocusRect(dc, &f);
        }
    }
    if (asked & CDRF_NOTIFYPOSTPAINT) customDraw(t, dc, CDDS_POSTPAINT, 0, rc, state);
}

}  // namespace trackbar
