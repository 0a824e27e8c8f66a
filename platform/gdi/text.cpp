// Text output and measurement: ExtTextOutW, TextOutW, GetTextExtentPoint32W,
// GetTextExtentExPointW, GetTextMetricsW.
#include <algorithm>

#include "platform/gdi/device_caps.h"
#include "platform/gdi/text_draw.h"

namespace gdi {

FontInstance* dcFont(DCObj* dc) {
    FontObj* f = fontOf(dc->st.font);
    if (!f) f = fontOf(stockObject(SYSTEM_FONT));
    if (!f) return nullptr;
    if (!f->inst) f->inst = FontInstance::get(f->lf);
    return f->inst.get();
}

// Pen positions are kept in 1/64 pixels and rounded where a glyph is put, so
// a run is as wide as its exact advances make it, whatever it is cut into.
int roundPen(int64_t pen64) { return Canvas::clampCoord((pen64 + 32) >> 6); }

int measureRun(FontInstance& f, const char16_t* s, int n, int* dx) {
    int64_t pen64 = 0;
    int placed = 0;
    for (int i = 0; i < n;) {
        int units;
        char32_t cp = decodeUtf16(s, n, i, units);
        pen64 += f.advance64(cp);
        int next = roundPen(pen64);
        if (dx) {
            dx[i] = next - placed;
            if (units == 2) dx[i + 1] = 0;
        }
        placed = next;
        i += units;
    }
    return placed;
}

int drawRun(Canvas& c, FontInstance& f, const char16_t* s, int n, int x, int y, uint32_t px, const INT* dx) {
    int64_t pen64 = 0;  // from x; caller-given advances may add up past int
    const Surface& sf = c.surface();
    for (int i = 0; i < n;) {
        int units;
        char32_t cp = decodeUtf16(s, n, i, units);
        const Glyph& g = f.glyph(cp);
        int64_t gx = (int64_t)x + ((pen64 + 32) >> 6) + g.left;
        int gy = y - g.top;
        // Skip glyphs wholly off the surface without looking at them.
        if (gx < sf.width && gx + g.width > 0 && gy < sf.height && gy + g.rows > 0) {
            for (int r = 0; r < g.rows; ++r) {
                const uint8_t* cov = g.coverage.data() + (size_t)r * (size_t)g.width;
                for (int col = 0; col < g.width; ++col)
                    if (cov[col]) c.blend((int)gx + col, gy + r, px, cov[col]);
            }
        }
        if (dx) {
            int64_t adv = dx[i];
            if (units == 2) adv += dx[i + 1];
            pen64 += adv * 64;
        } else {
            pen64 += g.advance64;
        }
        i += units;
    }
    return roundPen(pen64);
}

void drawDecorations(Canvas& c, FontInstance& f, int x, int width, int y, uint32_t px) {
    if (width <= 0) return;
    if (f.underline) c.fillRect(RECT{x, y + f.underlinePos, x + width, y + f.underlinePos + f.underlineThickness}, px);
    if (f.strikeout)
        c.fillRect(RECT{x, y - f.strikeoutPos, x + width, y - f.strikeoutPos + f.strikeoutThickness}, px);
}

}  // namespace gdi

using namespace gdi;


BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c,
                 const INT* lpDx) {
    Canvas cv(hdc);
    if (!cv.ok()) return FALSE;
    if (c > 0 && !lpString) return FALSE;
    if (c > 0x100000) return FALSE;
    DCObj* dc = cv.dc();
    FontInstance* f = dcFont(dc);
    if (!f) return FALSE;
    int n = (int)c;
    int width = 0;
    if (lpDx) {
        int64_t sum = 0;
        for (int i = 0; i < n; ++i) sum += lpDx[i];
        width = Canvas::clampCoord(sum);
    } else {
        width = measureRun(*f, lpString, n);
    }

    UINT align = dc->st.textAlign;
    if (align & TA_UPDATECP) {
        x = dc->st.cur.x;
        y = dc->st.cur.y;
    }
    int64_t left = x;
    if ((align & TA_CENTER) == TA_CENTER) left = (int64_t)x - width / 2;
    else if (align & TA_RIGHT) left = (int64_t)x - width;
    int64_t baseline;
    if ((align & TA_BASELINE) == TA_BASELINE) baseline = y;
    else if (align & TA_BOTTOM) baseline = (int64_t)y - f->descent;
    else baseline = (int64_t)y + f->ascent;
    if (align & TA_UPDATECP) {
        // The current position moves past the text for left-aligned runs.
        if ((align & TA_CENTER) != TA_CENTER && !(align & TA_RIGHT)) dc->st.cur.x = Canvas::clampCoord((int64_t)x + width);
        else if (align & TA_RIGHT && (align & TA_CENTER) != TA_CENTER) dc->st.cur.x = Canvas::clampCoord((int64_t)x - width);
    }

    uint32_t bk = cv.pixel(dc->st.bkColor);
    if (lprect) {
        RECT r = cv.toSurface(*lprect);
        if (options & ETO_OPAQUE) cv.fillRect(r, bk);
        if (options & ETO_CLIPPED) cv.restrict(r);
    }
    if (dc->st.bkMode == OPAQUE && !(lprect && (options & ETO_OPAQUE)))
        cv.fillRect(RECT{cv.sx(left), cv.sy(baseline - f->ascent), cv.sx(left + width), cv.sy(baseline + f->descent)},
                    bk);
    uint32_t px = cv.pixel(dc->st.textColor);
    drawRun(cv, *f, lpString, n, cv.sx(left), cv.sy(baseline), px, lpDx);
    drawDecorations(cv, *f, cv.sx(left), width, cv.sy(baseline), px);
    return TRUE;
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c) {
    if (c < 0) return FALSE;
    return ExtTextOutW(hdc, x, y, 0, nullptr, lpString, (UINT)c, nullptr);
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) {
    DCObj* dc = dcOf(hdc);
    if (!dc || !psizl || c < 0 || (c > 0 && !lpString)) return FALSE;
    FontInstance* f = dcFont(dc);
    if (!f) return FALSE;
    psizl->cx = measureRun(*f, lpString, c);
    psizl->cy = f->height;
    return TRUE;
}

BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR lpszString, int cchString, int nMaxExtent, LPINT lpnFit, LPINT lpnDx,
                           LPSIZE lpSize) {
    DCObj* dc = dcOf(hdc);
    if (!dc || !lpSize || cchString < 0 || (cchString > 0 && !lpszString)) return FALSE;
    FontInstance* f = dcFont(dc);
    if (!f) return FALSE;
    std::vector<int> adv((size_t)cchString);
    int total = measureRun(*f, lpszString, cchString, adv.data());
    // lpnDx gets the cumulative extent after each character; lpnFit counts
    // the characters that fit in nMaxExtent.
    int run = 0, fit = 0;
    for (int i = 0; i < cchString; ++i) {
        run += adv[(size_t)i];
        if (lpnDx) lpnDx[i] = run;
        if (nMaxExtent < 0 || run <= nMaxExtent) fit = i + 1;
    }
    if (lpnFit) *lpnFit = fit;
    lpSize->cx = total;
    lpSize->cy = f->height;
    return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm) {
    DCObj* dc = dcOf(hdc);
    if (!dc || !lptm) return FALSE;
    FontInstance* f = dcFont(dc);
    if (!f) return FALSE;
    TEXTMETRICW tm{};
    tm.tmHeight = f->height;
    tm.tmAscent = f->ascent;
    tm.tmDescent = f->descent;
    tm.tmInternalLeading = f->internalLeading;
    tm.tmExternalLeading = f->externalLeading;
    tm.tmAveCharWidth = f->aveCharWidth;
    tm.tmMaxCharWidth = f->maxCharWidth;
    tm.tmWeight = f->weight;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = gdi::screenDpi();
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFFFC;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = f->italic;
    tm.tmUnderlined = f->underline;
    tm.tmStruckOut = f->strikeout;
    // Low bit set means variable pitch (the device's naming is inverted).
    tm.tmPitchAndFamily = VARIABLE_PITCH | 0x04 /* TMPF_TRUETYPE */ | FF_SWISS;
    tm.tmCharSet = ANSI_CHARSET;
    *lptm = tm;
    return TRUE;
}
