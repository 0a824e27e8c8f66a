// Image list records: creation, adding images from bitmap strips (with a mask
// bitmap or a key colour), replacing and removing them, sizes and colours.
#include <algorithm>
#include <map>
#include <memory>

#include "platform/controls/imagelist/imagelist_internal.h"
#include "platform/gdi/objects.h"

namespace iml {
namespace {

struct Table {
    std::map<HIMAGELIST, std::unique_ptr<ImageList>> lists;
    uintptr_t next = 0x10000;
};
Table& table() {
    static Table t;
    return t;
}

// A sane image size: positive, and small enough that a strip of them cannot
// overflow the arithmetic (the pocket screen is a few hundred pixels).
bool saneSize(int cx, int cy) { return cx > 0 && cy > 0 && cx <= 4096 && cy <= 4096; }

uint32_t rgbPixel(COLORREF c) { return gdi::pixelFromColorref(c & 0xFFFFFF); }

}  // namespace

ImageList* get(HIMAGELIST h) {
    auto it = table().lists.find(h);
    return it == table().lists.end() ? nullptr : it->second.get();
}

HIMAGELIST add(ImageList list) {
    Table& t = table();
    HIMAGELIST h = reinterpret_cast<HIMAGELIST>(t.next);
    t.next += 8;
    t.lists[h] = std::make_unique<ImageList>(std::move(list));
    return h;
}

bool remove(HIMAGELIST h) { return table().lists.erase(h) > 0; }

bool cutStrip(const ImageList& list, HBITMAP image, HBITMAP mask, bool useKey, COLORREF key,
              std::vector<Image>& out) {
    gdi::BitmapObj* bmp = gdi::bitmapOf(image);
    if (!bmp) return false;
    if (bmp->dib) bmp->pullBits();
    gdi::BitmapObj* mbmp = mask ? gdi::bitmapOf(mask) : nullptr;
    if (mask && !mbmp) return false;
    if (mbmp && mbmp->dib) mbmp->pullBits();
    const gdi::Surface& s = bmp->surf;
    int count = s.width / list.cx;
    if (count <= 0) return false;
    uint32_t keyPixel = rgbPixel(key);
    for (int n = 0; n < count; ++n) {
        Image img;
        img.pixels.assign((size_t)list.cx * list.cy, 0);
        // Rows the bitmap lacks stay black, and transparent in a masked list.
        img.clear.assign((size_t)list.cx * list.cy, list.masked() ? 1 : 0);
        for (int y = 0; y < list.cy && y < s.height; ++y) {
            const uint32_t* src = s.row(y) + (size_t)n * list.cx;
            for (int x = 0; x < list.cx; ++x) {
                size_t at = (size_t)y * list.cx + x;
                uint32_t p = src[x] & 0xFFFFFF;
                bool clear = false;
                if (useKey) {
                    clear = p == keyPixel;
                } else if (mbmp) {
                    int mx = n * list.cx + x;
                    clear = mx < mbmp->surf.width && y < mbmp->surf.height &&
                            (mbmp->surf.row(y)[mx] & 0xFFFFFF) == 0xFFFFFF;
                }
                // Transparent parts of a masked image are black, so drawing
                // it over the masked-out screen adds nothing there.
                if (clear && list.masked()) p = 0;
                img.pixels[at] = p;
                img.clear[at] = list.masked() && clear ? 1 : 0;
            }
        }
        out.push_back(std::move(img));
    }
    return true;
}

}  // namespace iml

using iml::ImageList;

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
    if (!iml::saneSize(cx, cy)) return nullptr;
    ImageList list;
    list.cx = cx;
    list.cy = cy;
    list.flags = flags;
    list.grow = cGrow > 0 ? cGrow : 4;
    list.bk = CLR_NONE;
    if (cInitial > 0) list.images.reserve((size_t)std::min(cInitial, 1024));
    return iml::add(std::move(list));
}

BOOL WINAPI ImageList_Destroy(HIMAGELIST himl) {
    if (!iml::get(himl)) return FALSE;
    iml::forgetDragList(himl);
    return iml::remove(himl) ? TRUE : FALSE;
}

int WINAPI ImageList_GetImageCount(HIMAGELIST himl) {
    ImageList* l = iml::get(himl);
    return l ? (int)l->images.size() : 0;
}

BOOL WINAPI ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount) {
    ImageList* l = iml::get(himl);
    if (!l || uNewCount > 100000) return FALSE;
    iml::Image blank;
    blank.pixels.assign((size_t)l->cx * l->cy, 0);
    blank.clear.assign((size_t)l->cx * l->cy, l->masked() ? 1 : 0);
    l->images.resize(uNewCount, blank);
    return TRUE;
}

int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
    ImageList* l = iml::get(himl);
    if (!l) return -1;
    std::vector<iml::Image> cut;
    if (!iml::cutStrip(*l, hbmImage, l->masked() ? hbmMask : nullptr, false, 0, cut)) return -1;
    int first = (int)l->images.size();
    for (auto& img : cut) l->images.push_back(std::move(img));
    return first;
}

int WINAPI ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
    ImageList* l = iml::get(himl);
    if (!l) return -1;
    std::vector<iml::Image> cut;
    if (!iml::cutStrip(*l, hbmImage, nullptr, crMask != CLR_NONE, crMask, cut)) return -1;
    int first = (int)l->images.size();
    for (auto& img : cut) l->images.push_back(std::move(img));
    return first;
}

BOOL WINAPI ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask) {
    ImageList* l = iml::get(himl);
    if (!l || i < 0 || i >= (int)l->images.size()) return FALSE;
    std::vector<iml::Image> cut;
    if (!iml::cutStrip(*l, hbmImage, l->masked() ? hbmMask : nullptr, false, 0, cut)) return FALSE;
    l->images[(size_t)i] = std::move(cut.front());
    return TRUE;
}

BOOL WINAPI ImageList_Remove(HIMAGELIST himl, int i) {
    ImageList* l = iml::get(himl);
    if (!l) return FALSE;
    if (i == -1) {
        l->images.clear();
        return TRUE;
    }
    if (i < 0 || i >= (int)l->images.size()) return FALSE;
    l->images.erase(l->images.begin() + i);
    return TRUE;
}

BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    ImageList* l = iml::get(himl);
    if (!l || !cx || !cy) return FALSE;
    *cx = l->cx;
    *cy = l->cy;
    return TRUE;
}

BOOL WINAPI ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy) {
    ImageList* l = iml::get(himl);
    if (!l || !iml::saneSize(cx, cy)) return FALSE;
    l->cx = cx;
    l->cy = cy;
    l->images.clear();
    return TRUE;
}

COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
    ImageList* l = iml::get(himl);
    if (!l) return CLR_NONE;
    COLORREF old = l->bk;
    l->bk = clrBk;
    return old;
}

COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST himl) {
    ImageList* l = iml::get(himl);
    return l ? l->bk : CLR_NONE;
}

HIMAGELIST WINAPI ImageList_LoadImageW(HINSTANCE hi, LPCWSTR lpbmp, int cx, int cGrow, COLORREF crMask, UINT uType,
                                       UINT uFlags) {
    if (uType != IMAGE_BITMAP) return nullptr;
    HBITMAP bmp = (HBITMAP)LoadImageW(hi, lpbmp, IMAGE_BITMAP, 0, 0, uFlags);
    gdi::BitmapObj* b = bmp ? gdi::bitmapOf(bmp) : nullptr;
    if (!b) {
        if (bmp) DeleteObject(bmp);
        return nullptr;
    }
    int cy = b->surf.height;
    if (cx <= 0) cx = cy;
    bool masked = crMask != CLR_NONE;
    HIMAGELIST list = ImageList_Create(cx, cy, ILC_COLOR | (masked ? ILC_MASK : 0), 0, cGrow);
    if (list && (masked ? ImageList_AddMasked(list, bmp, crMask) : ImageList_Add(list, bmp, nullptr)) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    DeleteObject(bmp);
    return list;
}
