// Pens, brushes, fonts and the calls every object shares: stock objects,
// DeleteObject, GetObjectW, GetObjectType.
#include <cstring>

#include "platform/gdi/device_caps.h"
#include "platform/gdi/objects.h"

namespace gdi {

namespace {
HGDIOBJ g_stock[DEFAULT_GUI_FONT + 1] = {};
constexpr int kStockFontPoints[2] = {9, 8};  // SYSTEM_FONT, DEFAULT_GUI_FONT
}  // namespace

void refreshStockFonts() {
    // The stock fonts are sized in points, so a new screen dpi resizes them.
    const int ids[2] = {SYSTEM_FONT, DEFAULT_GUI_FONT};
    for (int k = 0; k < 2; ++k)
        if (FontObj* f = fontOf(g_stock[ids[k]])) {
            f->lf.lfHeight = -MulDiv(kStockFontPoints[k], screenDpi(), 72);
            f->inst.reset();
        }
}

HGDIOBJ stockObject(int i) {
    HGDIOBJ* table = g_stock;
    if (i < 0 || i > DEFAULT_GUI_FONT) return nullptr;
    if (table[i]) return table[i];
    std::unique_ptr<Object> obj;
    auto brush = [](int style, COLORREF c) {
        auto b = std::make_unique<BrushObj>();
        b->style = style;
        b->color = c;
        return b;
    };
    auto pen = [](int style, COLORREF c) {
        auto p = std::make_unique<PenObj>();
        p->style = style;
        p->color = c;
        return p;
    };
    auto font = [](int points, LONG weight) {
        auto f = std::make_unique<FontObj>();
        f->lf.lfHeight = -MulDiv(points, screenDpi(), 72);
        f->lf.lfWeight = weight;
        f->lf.lfCharSet = DEFAULT_CHARSET;
        f->lf.lfQuality = ANTIALIASED_QUALITY;
        const char16_t face[] = u"Tahoma";
        std::memcpy(f->lf.lfFaceName, face, sizeof face);
        return f;
    };
    switch (i) {
        case WHITE_BRUSH: obj = brush(BS_SOLID, 0xFFFFFF); break;
        case LTGRAY_BRUSH: obj = brush(BS_SOLID, 0xC0C0C0); break;
        case GRAY_BRUSH: obj = brush(BS_SOLID, 0x808080); break;
        case DKGRAY_BRUSH: obj = brush(BS_SOLID, 0x404040); break;
        case BLACK_BRUSH: obj = brush(BS_SOLID, 0x000000); break;
        case NULL_BRUSH: obj = brush(BS_NULL, 0); break;
        case WHITE_PEN: obj = pen(PS_SOLID, 0xFFFFFF); break;
        case BLACK_PEN: obj = pen(PS_SOLID, 0x000000); break;
        case NULL_PEN: obj = pen(PS_NULL, 0); break;
        case SYSTEM_FONT: obj = font(kStockFontPoints[0], FW_BOLD); break;
        case DEFAULT_GUI_FONT: obj = font(kStockFontPoints[1], FW_NORMAL); break;
        default: return nullptr;
    }
    obj->stock = true;
    table[i] = addObject(std::move(obj));
    return table[i];
}

HBITMAP newBitmap(int w, int h, int bitsPixel) {
    // The largest bitmap the device could hold; anything bigger is a
    // corrupt size, not a request worth a gigabyte.
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384 || (int64_t)w * h > (int64_t)64 * 1024 * 1024)
        return nullptr;
    auto b = std::make_unique<BitmapObj>();
    b->surf = Surface(w, h, 0);
    b->bitsPixel = bitsPixel;
    return (HBITMAP)addObject(std::move(b));
}

}  // namespace gdi

using namespace gdi;

HGDIOBJ GetStockObject(int i) { return stockObject(i); }

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    if (iStyle < PS_SOLID || iStyle > PS_INSIDEFRAME || iStyle == 3 || iStyle == 4) iStyle = PS_SOLID;
    auto p = std::make_unique<PenObj>();
    p->style = iStyle;
    p->width = cWidth < 1 ? 1 : (cWidth > 1000 ? 1000 : cWidth);
    p->color = color & 0xFFFFFF;
    return (HPEN)addObject(std::move(p));
}

HPEN CreatePenIndirect(const LOGPEN* plpen) {
    if (!plpen) return nullptr;
    return CreatePen((int)plpen->lopnStyle, plpen->lopnWidth.x, plpen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto b = std::make_unique<BrushObj>();
    b->style = BS_SOLID;
    b->color = color & 0xFFFFFF;
    return (HBRUSH)addObject(std::move(b));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
    if (!plbrush) return nullptr;
    if (plbrush->lbStyle == BS_NULL) {
        auto b = std::make_unique<BrushObj>();
        b->style = BS_NULL;
        return (HBRUSH)addObject(std::move(b));
    }
    if (plbrush->lbStyle != BS_SOLID) return nullptr;
    return CreateSolidBrush(plbrush->lbColor);
}

HFONT CreateFontIndirectW(const LOGFONTW* lplf) {
    if (!lplf) return nullptr;
    auto f = std::make_unique<FontObj>();
    f->lf = *lplf;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return (HFONT)addObject(std::move(f));
}

BOOL DeleteObject(HGDIOBJ h) {
    Object* o = lookup(h);
    if (!o) return FALSE;
    if (o->stock) return TRUE;
    // A DC is not an object for DeleteObject; an object still selected into a
    // DC stays alive, as the device refuses to free it.
    if (o->kind == Kind::DC) return FALSE;
    if (o->selectedIn > 0) return FALSE;
    return removeObject(h) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ h) {
    Object* o = lookup(h);
    if (!o) return 0;
    switch (o->kind) {
        case Kind::Pen: return OBJ_PEN;
        case Kind::Brush: return OBJ_BRUSH;
        case Kind::Font: return OBJ_FONT;
        case Kind::Bitmap: return OBJ_BITMAP;
        case Kind::Region: return OBJ_REGION;
        case Kind::DC: return static_cast<DCObj*>(o)->display ? OBJ_DC : OBJ_MEMDC;
    }
    return 0;
}

int GetObjectW(HGDIOBJ h, int cb, LPVOID pv) {
    Object* o = lookup(h);
    if (!o) return 0;
    auto give = [&](const void* src, int size) -> int {
        if (!pv) return size;
        if (cb < size) return 0;
        std::memcpy(pv, src, (size_t)size);
        return size;
    };
    switch (o->kind) {
        case Kind::Pen: {
            auto* p = static_cast<PenObj*>(o);
            LOGPEN lp{(UINT)p->style, {p->width, 0}, p->color};
            return give(&lp, sizeof lp);
        }
        case Kind::Brush: {
            auto* b = static_cast<BrushObj*>(o);
            LOGBRUSH lb{(UINT)b->style, b->color, 0};
            return give(&lb, sizeof lb);
        }
        case Kind::Font: return give(&static_cast<FontObj*>(o)->lf, sizeof(LOGFONTW));
        case Kind::Bitmap: {
            auto* b = static_cast<BitmapObj*>(o);
            BITMAP bm{};
            bm.bmWidth = b->surf.width;
            bm.bmHeight = b->surf.height;
            bm.bmPlanes = 1;
            if (b->dib) {
                bm.bmBitsPixel = (WORD)b->dibBpp;
                bm.bmWidthBytes = b->stride;
                bm.bmBits = b->bits;
            } else {
                bm.bmBitsPixel = (WORD)b->bitsPixel;
                // Device-dependent bitmaps report rows padded to 16 bits.
                bm.bmWidthBytes = ((b->surf.width * b->bitsPixel + 15) / 16) * 2;
            }
            if (b->dib && pv && cb >= (int)sizeof(DIBSECTION)) {
                DIBSECTION ds{};
                ds.dsBm = bm;
                ds.dsBmih = b->header;
                std::memcpy(ds.dsBitfields, b->masks, sizeof ds.dsBitfields);
                return give(&ds, sizeof ds);
            }
            return give(&bm, sizeof bm);
        }
        case Kind::Region:
        case Kind::DC: return 0;
    }
    return 0;
}
