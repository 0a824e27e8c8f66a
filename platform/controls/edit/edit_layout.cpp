// Line layout: each character's advance measured in the control's font, the
// text cut into lines at "\r\n" and, in a multi-line edit without
// ES_AUTOHSCROLL, wrapped at blanks to the width of the format rectangle.
// Painting, hit testing, caret placement and scrolling all read this layout.
#include <algorithm>

#include "platform/controls/edit/edit_internal.h"

namespace edit {
namespace {

HFONT fontOf(const Edit& e) { return e.font ? e.font : (HFONT)GetStockObject(DEFAULT_GUI_FONT); }

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Cumulative extents of a run in the control's font, turned into advances.
void measure(const Edit& e, std::u16string_view s, std::vector<int>& advance) {
    advance.assign(s.size(), 0);
    if (s.empty()) return;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, fontOf(e));
    std::vector<int> extent(s.size(), 0);
    SIZE size{};
    GetTextExtentExPointW(dc, s.data(), (int)s.size(), 0, nullptr, extent.data(), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    int before = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        advance[i] = std::max(0, extent[i] - before);
        before = extent[i];
        if (s[i] == u'\r' || s[i] == u'\n' || s[i] == u'\t') advance[i] = 0;
    }
}

int tabWidth(const Edit& e) { return std::max(1, 8 * e.aveCharWidth); }

int advanceAt(const Edit& e, const std::u16string& shown, size_t i, int x) {
    if (shown[i] == u'\t') return (x / tabWidth(e) + 1) * tabWidth(e) - x;
    return e.advance[i];
}

}  // namespace

int advanceOf(const Edit& e, int i, int x) { return advanceAt(e, e.shown, (size_t)i, x); }

namespace {

// Cuts one paragraph [p, q) into lines no wider than `wrap` (0: no limit).
// Blanks may hang past the edge; a word longer than the width is split.
void wrapParagraph(Edit& e, const std::u16string& shown, int p, int q, int wrap, int afterBreak) {
    int pos = p;
    for (;;) {
        int x = 0, i = pos, lastBreak = -1;
        while (i < q) {
            int w = advanceAt(e, shown, (size_t)i, x);
            if (wrap > 0 && i > pos && x + w > wrap && !isBlank(shown[(size_t)i])) break;
            x += w;
            if (isBlank(shown[(size_t)i])) lastBreak = i + 1;
            ++i;
        }
        if (i >= q) {
            e.lines.push_back(Line{pos, q - pos, afterBreak, x});
            return;
        }
        int cut = lastBreak > pos ? lastBreak : i;
        int width = 0;
        for (int k = pos; k < cut; ++k) width += advanceAt(e, shown, (size_t)k, width);
        e.lines.push_back(Line{pos, cut - pos, cut, width});
        pos = cut;
    }
}

int maxLineWidth(const Edit& e) {
    int w = 0;
    for (const Line& l : e.lines) w = std::max(w, l.width);
    return w;
}

}  // namespace

std::u16string displayText(const Edit& e) {
    if (isPassword(e)) return std::u16string(e.text.size(), e.passwordChar);
    return e.text;
}

void invalidateLayout(Edit& e) { e.layoutDirty = true; }

RECT formatRect(Edit& e) {
    RECT rc{};
    GetClientRect(e.hwnd, &rc);
    RECT fr = rc;
    fr.left = rc.left + e.leftMargin;
    fr.right = std::max(fr.left + 1, (LONG)(rc.right - e.rightMargin));
    if (!isMultiLine(e)) {
        int h = rc.bottom - rc.top;
        fr.top = std::max(0, (h - e.lineHeight) / 2);
        fr.bottom = fr.top + e.lineHeight;
    }
    return fr;
}

void ensureLayout(Edit& e) {
    RECT fr = formatRect(e);
    int wrap = (isMultiLine(e) && !(styleOf(e) & ES_AUTOHSCROLL)) ? (int)(fr.right - fr.left) : 0;
    if (!e.layoutDirty && wrap == e.wrapWidth) return;
    e.layoutDirty = false;
    e.wrapWidth = wrap;
    e.shown = displayText(e);
    const std::u16string& shown = e.shown;
    measure(e, shown, e.advance);
    e.lines.clear();
    int n = (int)shown.size();
    if (!isMultiLine(e)) {
        int x = 0;
        for (int i = 0; i < n; ++i) x += advanceAt(e, shown, (size_t)i, x);
        e.lines.push_back(Line{0, n, n, x});
        return;
    }
    int p = 0;
    for (;;) {
        size_t br = shown.find(u"\r\n", (size_t)p);
        if (br == std::u16string::npos) {
            wrapParagraph(e, shown, p, n, wrap, n);
            break;
        }
        wrapParagraph(e, shown, p, (int)br, wrap, (int)br + 2);
        p = (int)br + 2;
    }
    int vis = visibleLineCount(e);
    e.topLine = std::clamp(e.topLine, 0, std::max(0, (int)e.lines.size() - vis));
}

int visibleLineCount(Edit& e) {
    RECT fr = formatRect(e);
    return std::max(1, (int)(fr.bottom - fr.top) / std::max(1, e.lineHeight));
}

int lineOf(Edit& e, int index) {
    ensureLayout(e);
    auto it = std::upper_bound(e.lines.begin(), e.lines.end(), index,
                               [](int i, const Line& l) { return i < l.start; });
    int line = (int)(it - e.lines.begin()) - 1;
    return std::clamp(line, 0, (int)e.lines.size() - 1);
}

int xInLine(Edit& e, int line, int index) {
    ensureLayout(e);
    const Line& l = e.lines[(size_t)line];
    const std::u16string& shown = e.shown;
    int x = 0;
    int end = std::min(index, l.start + l.length);
    for (int i = l.start; i < end; ++i) x += advanceAt(e, shown, (size_t)i, x);
    return x;
}

int lineLeft(Edit& e, int line) {
    ensureLayout(e);
    RECT fr = formatRect(e);
    int fw = fr.right - fr.left;
    int w = e.lines[(size_t)line].width;
    int shift = 0;
    DWORD style = styleOf(e);
    if (w < fw) {
        if (style & ES_CENTER) shift = (fw - w) / 2;
        else if (style & ES_RIGHT) shift = fw - w;
    }
    return fr.left - e.xOffset + shift;
}

POINT positionOf(Edit& e, int index) {
    ensureLayout(e);
    index = std::clamp(index, 0, (int)e.text.size());
    RECT fr = formatRect(e);
    int line = lineOf(e, index);
    int y = fr.top + (isMultiLine(e) ? (line - e.topLine) * e.lineHeight : 0);
    return POINT{lineLeft(e, line) + xInLine(e, line, index), y};
}

int indexAt(Edit& e, POINT pt) {
    ensureLayout(e);
    RECT fr = formatRect(e);
    int line = 0;
    if (isMultiLine(e)) {
        int dy = pt.y - fr.top;
        int row = dy < 0 ? -1 - (-dy - 1) / std::max(1, e.lineHeight) : dy / std::max(1, e.lineHeight);
        line = std::clamp(e.topLine + row, 0, (int)e.lines.size() - 1);
    }
    const Line& l = e.lines[(size_t)line];
    const std::u16string& shown = e.shown;
    int x = pt.x - lineLeft(e, line);
    int at = 0, end = l.start + l.length;
    int found = end;
    for (int i = l.start; i < end; ++i) {
        int w = advanceAt(e, shown, (size_t)i, at);
        if (x < at + w / 2) {
            found = i;
            break;
        }
        at += w;
    }
    // Past the end of a wrapped line the caret stays on that line.
    if (found == end && l.next == end && line + 1 < (int)e.lines.size() && l.length > 0) found = prevPosition(e, end);
    return snapBack(e, found);
}

void setXOffset(Edit& e, int x) {
    x = std::max(0, x);
    if (x == e.xOffset) return;
    e.xOffset = x;
    invalidateText(e);
}

bool scrollCaretIntoView(Edit& e) {
    ensureLayout(e);
    bool moved = false;
    int line = lineOf(e, e.caret);
    if (isMultiLine(e)) {
        int vis = visibleLineCount(e);
        int top = e.topLine;
        if (line < top) top = line;
        else if (line >= top + vis) top = line - vis + 1;
        if (top != e.topLine) {
            e.topLine = top;
            moved = true;
            updateScrollBar(e);
        }
    }
    bool horizontal = !isMultiLine(e) || (styleOf(e) & ES_AUTOHSCROLL);
    if (horizontal) {
        RECT fr = formatRect(e);
        int fw = fr.right - fr.left;
        int x = xInLine(e, line, e.caret) + (lineLeft(e, line) + e.xOffset - fr.left);
        int widest = isMultiLine(e) ? maxLineWidth(e) : e.lines[0].width;
        int off = e.xOffset;
        if (x < off) off = std::max(0, x - fw / 3);
        else if (x > off + fw - 1) off = x - fw + 1 + fw / 3;
        off = std::min(off, std::max(0, widest - fw + 1));
        if (off != e.xOffset) {
            e.xOffset = off;
            moved = true;
        }
    }
    if (moved) invalidateText(e);
    return moved;
}

int scrollLines(Edit& e, int delta) {
    if (!isMultiLine(e)) return 0;
    ensureLayout(e);
    int vis = visibleLineCount(e);
    int top = std::clamp(e.topLine + delta, 0, std::max(0, (int)e.lines.size() - vis));
    int moved = top - e.topLine;
    if (moved) {
        e.topLine = top;
        updateScrollBar(e);
        invalidateText(e);
    }
    return moved;
}

void updateScrollBar(Edit& e) {
    if (!isMultiLine(e) || !(styleOf(e) & WS_VSCROLL) || e.updatingBars) return;
    e.updatingBars = true;
    ensureLayout(e);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::max(0, (int)e.lines.size() - 1);
    si.nPage = (UINT)visibleLineCount(e);
    si.nPos = e.topLine;
    SetScrollInfo(e.hwnd, SB_VERT, &si, e.redraw);
    e.updatingBars = false;
}

void invalidateText(Edit& e) {
    if (e.redraw) InvalidateRect(e.hwnd, nullptr, TRUE);
}

bool fitsOneLine(Edit& e, std::u16string_view shown) {
    std::u16string s = isPassword(e) ? std::u16string(shown.size(), e.passwordChar) : std::u16string(shown);
    std::vector<int> adv;
    measure(e, s, adv);
    int x = 0;
    for (size_t i = 0; i < s.size(); ++i) x += s[i] == u'\t' ? (x / tabWidth(e) + 1) * tabWidth(e) - x : adv[i];
    RECT fr = formatRect(e);
    return x <= fr.right - fr.left;
}

}  // namespace edit
