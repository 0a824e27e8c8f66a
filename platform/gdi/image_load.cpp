// Bitmaps from the program's resources and from device files: LoadImageW,
// LoadBitmapW and the shell's SHLoadDIBitmap.
#include <string>
#include <vector>

#include "platform/gdi/bmp.h"
#include "platform/gdi/objects.h"
#include "platform/system/device_fs.h"
#include "platform/system/resource_table.h"

using namespace gdi;

namespace {

// A bitmap from .bmp bytes, stretched to cx x cy when both are given.
HBITMAP bitmapFromBmp(const uint8_t* data, size_t size, int cx, int cy) {
    Surface s;
    BmpInfo info;
    if (!decodeBmp(data, size, s, &info)) return nullptr;
    int w = cx > 0 ? cx : s.width, h = cy > 0 ? cy : s.height;
    HBITMAP hb = newBitmap(w, h, info.monochrome ? 1 : 32);
    BitmapObj* b = bitmapOf((HGDIOBJ)hb);
    if (!b) return nullptr;
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = s.row((int)((int64_t)y * s.height / h));
        uint32_t* dst = b->surf.row(y);
        for (int x = 0; x < w; ++x) dst[x] = src[(int64_t)x * s.width / w];
    }
    return hb;
}

HBITMAP bitmapFromResource(LPCWSTR name, int cx, int cy) {
    if (!name || !IS_INTRESOURCE(name)) return nullptr;
    const device::Resource* r = device::resourceFind(device::kResBitmap, (int)(uintptr_t)name);
    if (!r || !r->data) return nullptr;
    return bitmapFromBmp(static_cast<const uint8_t*>(r->data), r->size, cx, cy);
}

HBITMAP bitmapFromFile(LPCWSTR path, int cx, int cy) {
    if (!path || IS_INTRESOURCE(path)) return nullptr;
    std::vector<uint8_t> bytes;
    if (!device::readDeviceFile(std::u16string_view(path), bytes)) return nullptr;
    return bitmapFromBmp(bytes.data(), bytes.size(), cx, cy);
}

}  // namespace

HANDLE LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (type != IMAGE_BITMAP || cx < 0 || cy < 0) return nullptr;
    if (fuLoad & LR_LOADFROMFILE) return (HANDLE)bitmapFromFile(name, cx, cy);
    return (HANDLE)bitmapFromResource(name, cx, cy);
}

HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName) { return bitmapFromResource(lpBitmapName, 0, 0); }

HBITMAP SHLoadDIBitmap(LPCWSTR szFileName) { return bitmapFromFile(szFileName, 0, 0); }
