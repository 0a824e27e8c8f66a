// DrawTextW: prefix characters, line breaks and word wrapping, tab
// expansion, end ellipsis, alignment in the rectangle, DT_CALCRECT.
#include <algorithm>
#include <string>

#include "platform/gdi/text_draw.h"

using namespace gdi;

namespace {

struct Line {
    int start = 0, len = 0;
    bool ellipsis = false;  // drawn as its first `len` units + "..."
};

struct Layout {
    std::u16string text;  // after prefix processing
    int underline = -1;   // index in `text` of the character an '&' marked
    FontInstance* font = nullptr;
    bool expandTabs = false;
    int tabWidth = 8;

    // The width, in 1/64 pixels, after adding the character at i to a line
    // `w64` wide (as measureRun adds up advances); sets `units` to the UTF-16
    // units it took.
    int64_t extend(int i, int64_t w64, int& units) const {
        char32_t cp = decodeUtf16(text.data(), (int)text.size(), i, units);
        if (expandTabs && cp == U'\t') return (int64_t)(((w64 + 32) / 64) / tabWidth + 1) * tabWidth * 64;
        return w64 + font->advance64(cp);
    }
    static int64_t fits(int pixels) { return (int64_t)pixels * 64 + 31; }  // widths that round to at most `pixels`

    // Width of text[start, start + len), tabs expanded from the line start.
    int width(int start, int len) const {
        if (!expandTabs) return measureRun(*font, text.data() + start, len);
        int w = 0, runStart = start;
        for (int i = start; i < start + len; ++i) {
            if (text[(size_t)i] != u'\t') continue;
            w += measureRun(*font, text.data() + runStart, i - runStart);
            w = (w / tabWidth + 1) * tabWidth;
            runStart = i + 1;
        }
        return w + measureRun(*font, text.data() + runStart, start + len - runStart);
    }
};

void stripPrefixes(const char16_t* s, int n, Layout& lay) {
    lay.text.reserve((size_t)n);
    for (int i = 0; i < n; ++i) {
        if (s[i] != u'&') {
            lay.text += s[i];
            continue;
        }
        if (i + 1 >= n) break;  // a lone '&' at the end shows nothing
        ++i;
        if (s[i] != u'&' && lay.underline < 0) lay.underline = (int)lay.text.size();
        lay.text += s[i];
    }
}

bool isBreakSpace(char16_t c) { return c == u' ' || c == u'\t'; }

// Breaks one paragraph [start, end) into lines no wider than `maxW`,
// between words; a single word wider than the line keeps its own line.
void wrap(const Layout& lay, int start, int end, int maxW, std::vector<Line>& out) {
    int pos = start;
    if (pos == end) {
        out.push_back({pos, 0, false});
        return;
    }
    while (pos < end) {
        // The longest prefix that fits.
        int fit = pos;
        int64_t w = 0;
        while (fit < end) {
            int units;
            int64_t nw = lay.extend(fit, w, units);
            if (nw > Layout::fits(maxW)) break;
            w = nw;
            fit += units;
        }
        if (fit > end) fit = end;
        if (fit == end) {
            out.push_back({pos, end - pos, false});
            return;
        }
        // Back up to the last space within the fitting part.
        int brk = -1;
        for (int i = fit; i > pos; --i)
            if (isBreakSpace(lay.text[(size_t)i])) { brk = i; break; }
        if (brk < 0) {
            // No space: the word runs on to its end.
            brk = fit;
            while (brk < end && !isBreakSpace(lay.text[(size_t)brk])) ++brk;
        }
        int lineEnd = brk;
        while (lineEnd > pos && isBreakSpace(lay.text[(size_t)lineEnd - 1])) --lineEnd;
        out.push_back({pos, lineEnd - pos, false});
        pos = brk;
        while (pos < end && isBreakSpace(lay.text[(size_t)pos])) ++pos;
    }
}

}  // namespace

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    DCObj* dc = dcOf(hdc);
    if (!dc || !lprc || (!lpchText && cchText != 0)) return 0;
    int n = cchText;
    if (n < 0) {
        n = 0;
        while (lpchText[n]) ++n;
    }
    Layout lay;
    lay.font = dcFont(dc);
    if (!lay.font) return 0;
    FontInstance& f = *lay.font;
    int lineH = f.height + ((format & DT_EXTERNALLEADING) ? f.externalLeading : 0);
    bool single = format & DT_SINGLELINE;
    if (n == 0) {
        if (format & DT_CALCRECT) {
            lprc->right = lprc->left;
            lprc->bottom = lprc->top + (single ? lineH : 0);
        }
        return single ? lineH : 0;
    }
    if (format & DT_NOPREFIX) lay.text.assign(lpchText, (size_t)n);
    else stripPrefixes(lpchText, n, lay);
    lay.expandTabs = format & DT_EXPANDTABS;
    lay.tabWidth = std::max(1, 8 * f.aveCharWidth);

    int maxW = Canvas::clampCoord((int64_t)lprc->right - lprc->left);
    int len = (int)lay.text.size();
    std::vector<Line> lines;
    if (single) {
        lines.push_back({0, len, false});
    } else {
        int pstart = 0;
        for (int i = 0; i <= len; ++i) {
            bool endPara = i == len || lay.text[(size_t)i] == u'\n' || lay.text[(size_t)i] == u'\r';
            if (!endPara) continue;
            if (format & DT_WORDBREAK) wrap(lay, pstart, i, maxW, lines);
            else lines.push_back({pstart, i - pstart, false});
            if (i < len && lay.text[(size_t)i] == u'\r' && i + 1 < len && lay.text[(size_t)i + 1] == u'\n') ++i;
            pstart = i + 1;
        }
        // A final line break adds no empty line of its own.
        if (len > 0 && (lay.text.back() == u'\n' || lay.text.back() == u'\r') && lines.size() > 1 &&
            lines.back().len == 0)
            lines.pop_back();
    }

    static const char16_t kDots[] = u"...";
    int dotsW = measureRun(f, kDots, 3);
    std::vector<int> widths;
    int widest = 0;
    for (Line& ln : lines) {
        int w = lay.width(ln.start, ln.len);
        if ((format & DT_END_ELLIPSIS) && w > maxW) {
            // Keep as much of the line as fits in front of the dots.
            int keep = 0;
            int64_t kw = 0;
            while (keep < ln.len) {
                int units;
                int64_t nw = lay.extend(ln.start + keep, kw, units);
                if (nw > Layout::fits(maxW - dotsW) || keep + units > ln.len) break;
                kw = nw;
                keep += units;
            }
            ln.len = keep;
            ln.ellipsis = true;
            w = lay.width(ln.start, keep) + dotsW;
        }
        widths.push_back(w);
        widest = std::max(widest, w);
    }

    int total = Canvas::clampCoord((int64_t)lineH * (int64_t)lines.size());
    int64_t y = lprc->top;
    if (single && (format & DT_VCENTER)) y = lprc->top + ((int64_t)lprc->bottom - lprc->top - lineH) / 2;
    else if (single && (format & DT_BOTTOM)) y = (int64_t)lprc->bottom - lineH;
    int result = (single && (format & (DT_VCENTER | DT_BOTTOM))) ? Canvas::clampCoord(y - lprc->top + total) : total;

    if (format & DT_CALCRECT) {
        lprc->right = Canvas::clampCoord((int64_t)lprc->left + widest);
        lprc->bottom = Canvas::clampCoord((int64_t)lprc->top + total);
        return total;
    }

    Canvas cv(hdc);
    if (!cv.ok()) return 0;
    if (!(format & DT_NOCLIP)) cv.restrict(cv.toSurface(*lprc));
    uint32_t px = cv.pixel(dc->st.textColor);
    uint32_t bk = cv.pixel(dc->st.bkColor);
    for (size_t li = 0; li < lines.size(); ++li, y += lineH) {
        const Line& ln = lines[li];
        int w = widths[li];
        int64_t x = lprc->left;
        if (format & DT_CENTER) x = lprc->left + ((int64_t)maxW - w) / 2;
        else if (format & DT_RIGHT) x = (int64_t)lprc->right - w;
        int sx = cv.sx(x), sy = cv.sy(y), base = sy + f.ascent;
        if (dc->st.bkMode == OPAQUE) cv.fillRect(RECT{sx, sy, sx + w, sy + lineH}, bk);
        // Runs between tabs, each starting at its tab stop.
        int pen = 0, runStart = ln.start;
        for (int i = ln.start; i <= ln.start + ln.len; ++i) {
            bool tab = i < ln.start + ln.len && lay.expandTabs && lay.text[(size_t)i] == u'\t';
            if (!tab && i < ln.start + ln.len) continue;
            pen += drawRun(cv, f, lay.text.data() + runStart, i - runStart, sx + pen, base, px);
            if (tab) pen = (pen / lay.tabWidth + 1) * lay.tabWidth;
            runStart = i + 1;
        }
        if (ln.ellipsis) pen += drawRun(cv, f, kDots, 3, sx + pen, base, px);
        drawDecorations(cv, f, sx, w, base, px);
        if (lay.underline >= ln.start && lay.underline < ln.start + ln.len) {
            int ux = lay.width(ln.start, lay.underline - ln.start);
            int uw = lay.width(ln.start, lay.underline + 1 - ln.start) - ux;
            cv.fillRect(RECT{sx + ux, base + f.underlinePos, sx + ux + uw, base + f.underlinePos + f.underlineThickness},
                        px);
        }
    }
    return result;
}
