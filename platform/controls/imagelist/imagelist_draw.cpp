// Drawing one image of a list into a device context: copied with the list's
// background colour, or transparently through its mask, optionally blended
// with the highlight colour (selected and focused items).
#include <algorithm>

#include "platform/controls/imagelist/imagelist_internal.h"
#include "platform/gdi/objects.h"

namespace {

uint32_t blend(uint32_t p, uint32_t with, int weightOfWithPer4) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = (p >> shift) & 0xFF, b = (with >> shift) & 0xFF;
        out |= (uint32_t)((a * (4 - weightOfWithPer4) + b * weightOfWithPer4) / 4) << shift;
    }
    return out;
}

}  // namespace

BOOL WINAPI ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
                             COLORREF rgbFg, UINT fStyle) {
    iml::ImageList* l = iml::get(himl);
    if (!l || i < 0 || i >= (int)l->images.size() || !hdcDst) return FALSE;
    const iml::Image& img = l->images[(size_t)i];
    int w = dx > 0 ? std::min(dx, l->cx) : l->cx;
    int h = dy > 0 ? std::min(dy, l->cy) : l->cy;

    COLORREF bk = rgbBk == CLR_DEFAULT ? l->bk : rgbBk;
    bool maskOnly = (fStyle & ILD_MASK) != 0 && !(fStyle & ILD_IMAGE);
    bool transparent = l->masked() && !maskOnly && ((fStyle & ILD_TRANSPARENT) || bk == CLR_NONE);
    int weight = (fStyle & ILD_BLEND50) ? 2 : (fStyle & ILD_BLEND25) ? 1 : 0;
    COLORREF fg = rgbFg == CLR_DEFAULT || rgbFg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : rgbFg;
    uint32_t fgPixel = gdi::pixelFromColorref(fg & 0xFFFFFF);
    uint32_t bkPixel = bk == CLR_NONE ? 0 : gdi::pixelFromColorref(bk & 0xFFFFFF);

    // The image on the top half of a scratch bitmap, its mask (white where
    // transparent) on the bottom half.
    HBITMAP scratch = gdi::newBitmap(l->cx, l->cy * 2, 32);
    gdi::BitmapObj* b = scratch ? gdi::bitmapOf(scratch) : nullptr;
    HDC mem = b ? CreateCompatibleDC(hdcDst) : nullptr;
    if (!mem) {
        if (scratch) DeleteObject(scratch);
        return FALSE;
    }
    for (int yy = 0; yy < l->cy; ++yy) {
        uint32_t* top = b->surf.row(yy);
        uint32_t* bottom = b->surf.row(yy + l->cy);
        for (int xx = 0; xx < l->cx; ++xx) {
            size_t at = (size_t)yy * l->cx + xx;
            bool clear = img.clear[at] != 0;
            uint32_t p = img.pixels[at];
            if (!clear && weight) p = blend(p, fgPixel, weight);
            if (clear && !transparent) p = l->masked() ? bkPixel : p;
            if (maskOnly) p = clear ? 0xFFFFFF : 0;
            top[xx] = p;
            bottom[xx] = clear ? 0xFFFFFF : 0;
        }
    }
    HGDIOBJ old = SelectObject(mem, scratch);
    BOOL ok;
    if (transparent) {
        ok = BitBlt(hdcDst, x, y, w, h, mem, 0, l->cy, SRCAND) && BitBlt(hdcDst, x, y, w, h, mem, 0, 0, SRCPAINT);
    } else {
        ok = BitBlt(hdcDst, x, y, w, h, mem, 0, 0, SRCCOPY);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(scratch);
    return ok;
}

BOOL WINAPI ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
    return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}
