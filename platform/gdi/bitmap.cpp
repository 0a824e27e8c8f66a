// Memory bitmaps: CreateCompatibleBitmap, CreateBitmap, CreateDIBSection, and
// the conversion between a DIB section's bits and its surface.
#include <cstring>

#include "platform/gdi/objects.h"
#include "platform/gdi/pixel_format.h"

namespace gdi {

void BitmapObj::pullBits() {
    if (!dib || dibAliased || !bits) return;
    PixelFormat f{dibBpp, compression == BI_BITFIELDS, {masks[0], masks[1], masks[2]}, {}};
    for (int y = 0; y < surf.height; ++y) {
        const uint8_t* src = bits + (size_t)(topDown ? y : surf.height - 1 - y) * (size_t)stride;
        decodeRow(f, src, surf.row(y), surf.width);
    }
}

void BitmapObj::pushBits() {
    if (!dib || dibAliased || !bits) return;
    PixelFormat f{dibBpp, compression == BI_BITFIELDS, {masks[0], masks[1], masks[2]}, {}};
    for (int y = 0; y < surf.height; ++y) {
        uint8_t* dst = bits + (size_t)(topDown ? y : surf.height - 1 - y) * (size_t)stride;
        encodeRow(f, surf.row(y), dst, surf.width);
    }
}

}  // namespace gdi

using namespace gdi;

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return nullptr;
    if (cx == 0 || cy == 0) return newBitmap(1, 1, 1);
    // Compatible with a memory DC means compatible with its bitmap: a DC
    // that still holds its default bitmap makes monochrome ones.
    return newBitmap(cx, cy, dc->mono() ? 1 : 32);
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
    if (nPlanes != 1) return nullptr;
    if (nBitCount != 1 && nBitCount != 16 && nBitCount != 24 && nBitCount != 32) return nullptr;
    HBITMAP h = newBitmap(nWidth, nHeight, nBitCount == 1 ? 1 : 32);
    BitmapObj* b = bitmapOf((HGDIOBJ)h);
    if (!b || !lpBits) return h;
    // Device-dependent rows are padded to a multiple of 16 bits.
    int stride = ((nWidth * (int)nBitCount + 15) / 16) * 2;
    PixelFormat f{(int)nBitCount, false, {0, 0, 0}, {}};
    if (nBitCount == 1) f.palette = {0x000000, 0xFFFFFF};
    const uint8_t* src = static_cast<const uint8_t*>(lpBits);
    for (int y = 0; y < nHeight; ++y) decodeRow(f, src + (size_t)y * (size_t)stride, b->surf.row(y), nWidth);
    return h;
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                         DWORD offset) {
    if (ppvBits) *ppvBits = nullptr;
    if (!pbmi || hSection || usage != DIB_RGB_COLORS) return nullptr;
    if (hdc && !dcOf(hdc)) return nullptr;
    const BITMAPINFOHEADER& h = pbmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1) return nullptr;
    int bpp = h.biBitCount;
    if (bpp != 16 && bpp != 24 && bpp != 32) return nullptr;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && bpp != 24)) return nullptr;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return nullptr;
    int w = h.biWidth, ht = h.biHeight < 0 ? -h.biHeight : h.biHeight;

    HBITMAP hb = newBitmap(w, ht, bpp);
    BitmapObj* b = bitmapOf((HGDIOBJ)hb);
    if (!b) return nullptr;
    b->dib = true;
    b->dibBpp = bpp;
    b->topDown = h.biHeight < 0;
    b->compression = h.biCompression;
    b->stride = ((w * bpp + 31) / 32) * 4;
    b->header = h;
    b->header.biSize = sizeof(BITMAPINFOHEADER);
    b->header.biSizeImage = (DWORD)((size_t)b->stride * (size_t)ht);
    if (h.biCompression == BI_BITFIELDS) {
        // The three masks follow the header where the colour table would be.
        std::memcpy(b->masks, pbmi->bmiColors, sizeof b->masks);
        if (!b->masks[0] || !b->masks[1] || !b->masks[2]) {
            DeleteObject((HGDIOBJ)hb);
            return nullptr;
        }
    } else if (bpp == 16) {
        b->masks[0] = 0x7C00; b->masks[1] = 0x03E0; b->masks[2] = 0x001F;
    } else {
        b->masks[0] = 0xFF0000; b->masks[1] = 0x00FF00; b->masks[2] = 0x0000FF;
    }
    if (bpp == 32 && b->topDown && h.biCompression == BI_RGB) {
        // Same layout as the surface: the caller writes the pixels directly.
        b->dibAliased = true;
        b->bits = reinterpret_cast<uint8_t*>(b->surf.pixels.data());
    } else {
        b->ownBits.assign((size_t)b->stride * (size_t)ht, 0);
        b->bits = b->ownBits.data();
    }
    if (ppvBits) *ppvBits = b->bits;
    return hb;
}
