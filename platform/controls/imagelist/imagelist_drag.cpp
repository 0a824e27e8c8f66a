// The drag image: one image of a list drawn straight onto the screen over
// the windows while the pen drags, with the pixels under it saved and put
// back when it moves or hides. A pixel a window repainted meanwhile is left
// as the window drew it, so the image never leaves stale pixels behind; and
// before the screen is presented the image is put back over what windows
// painted under it, so it stays in front of a window that repaints (a tree
// view highlighting the node under the pen) while it is dragged over it.
#include <algorithm>

#include "platform/controls/imagelist/imagelist_internal.h"
#include "platform/window/screen.h"

namespace iml {
namespace {

struct Drag {
    HIMAGELIST list = nullptr;  // our own copy of the dragged image
    POINT hotspot{0, 0};
    bool entered = false;
    HWND lock = nullptr;
    POINT pos{0, 0};  // relative to the lock window's rectangle
    bool shown = false;
    // What is on screen while shown.
    RECT area{0, 0, 0, 0};  // screen coordinates
    POINT origin{0, 0};     // the image's top-left corner on the screen
    std::vector<uint32_t> under;
    std::vector<uint32_t> drawn;
};
Drag& drag() {
    static Drag d;
    return d;
}

RECT lockRect(HWND lock) {
    const device::ScreenConfig& c = device::screenConfig();
    RECT screen{0, 0, c.width, c.height};
    RECT r{};
    if (!lock || !GetWindowRect(lock, &r)) return screen;
    RECT out{};
    IntersectRect(&out, &r, &screen);
    return out;
}

// Calls visit(screen pixel, index into under/drawn, x, y) for every pixel of
// the shown area that lies on the screen.
template <typename Visit>
void forEachShownPixel(Drag& d, Visit visit) {
    gdi::Surface& s = device::screenSurface();
    int w = d.area.right - d.area.left;
    for (int y = std::max<int>(d.area.top, 0); y < std::min<int>(d.area.bottom, s.height); ++y) {
        uint32_t* row = s.row(y);
        for (int x = std::max<int>(d.area.left, 0); x < std::min<int>(d.area.right, s.width); ++x)
            visit(row[x], (size_t)(y - d.area.top) * w + (x - d.area.left), x, y);
    }
}

void hide() {
    Drag& d = drag();
    if (!d.shown) return;
    d.shown = false;
    forEachShownPixel(d, [&](uint32_t& pixel, size_t at, int, int) {
        if (pixel == d.drawn[at]) pixel = d.under[at];
    });
    device::screenMarkDirty(d.area);
}

void show() {
    Drag& d = drag();
    ImageList* l = get(d.list);
    if (d.shown || !l || l->images.empty() || !d.entered) return;
    RECT bounds = lockRect(d.lock);
    RECT wr{0, 0, 0, 0};
    if (d.lock) GetWindowRect(d.lock, &wr);
    POINT at{wr.left + d.pos.x - d.hotspot.x, wr.top + d.pos.y - d.hotspot.y};
    RECT image{at.x, at.y, at.x + l->cx, at.y + l->cy};
    RECT area{};
    if (!IntersectRect(&area, &image, &bounds)) return;
    gdi::Surface& s = device::screenSurface();
    RECT surf{0, 0, s.width, s.height};
    if (!IntersectRect(&area, &area, &surf)) return;
    int w = area.right - area.left, h = area.bottom - area.top;
    d.area = area;
    d.origin = at;
    d.under.assign((size_t)w * h, 0);
    d.drawn.assign((size_t)w * h, 0);
    const Image& img = l->images.front();
    for (int y = area.top; y < area.bottom; ++y) {
        uint32_t* row = s.row(y);
        for (int x = area.left; x < area.right; ++x) {
            size_t at2 = (size_t)(y - area.top) * w + (x - area.left);
            size_t src = (size_t)(y - at.y) * l->cx + (x - at.x);
            d.under[at2] = row[x];
            if (!img.clear[src]) row[x] = img.pixels[src];
            d.drawn[at2] = row[x];
        }
    }
    d.shown = true;
    device::screenMarkDirty(area);
}

// Takes what windows painted under the shown image as its new background
// and draws the image over it again.
void redrawOverWindows() {
    Drag& d = drag();
    ImageList* l = get(d.list);
    if (!d.shown || !l || l->images.empty()) return;
    const Image& img = l->images.front();
    bool changed = false;
    forEachShownPixel(d, [&](uint32_t& pixel, size_t at, int x, int y) {
        if (pixel == d.drawn[at]) return;
        size_t src = (size_t)(y - d.origin.y) * l->cx + (x - d.origin.x);
        d.under[at] = pixel;
        if (!img.clear[src]) pixel = img.pixels[src];
        d.drawn[at] = pixel;
        changed = true;
    });
    if (changed) device::screenMarkDirty(d.area);
}

}  // namespace

void forgetDragList(HIMAGELIST h) {
    if (drag().list == h) {
        hide();
        drag() = Drag{};
        device::screenSetOverlay(nullptr);
    }
}

}  // namespace iml

BOOL WINAPI ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot) {
    iml::ImageList* l = iml::get(himlTrack);
    if (!l || iTrack < 0 || iTrack >= (int)l->images.size()) return FALSE;
    ImageList_EndDrag();
    // The drag keeps its own copy: the caller may change or destroy its list.
    iml::ImageList copy;
    copy.cx = l->cx;
    copy.cy = l->cy;
    copy.flags = l->flags;
    copy.bk = l->bk;
    copy.images.push_back(l->images[(size_t)iTrack]);
    iml::Drag& d = iml::drag();
    d = iml::Drag{};
    d.list = iml::add(std::move(copy));
    d.hotspot = POINT{dxHotspot, dyHotspot};
    device::screenSetOverlay(&iml::redrawOverWindows);
    return TRUE;
}

BOOL WINAPI ImageList_DragEnter(HWND hwndLock, int x, int y) {
    iml::Drag& d = iml::drag();
    if (!d.list) return FALSE;
    iml::hide();
    d.lock = hwndLock;
    d.pos = POINT{x, y};
    d.entered = true;
    iml::show();
    return TRUE;
}

BOOL WINAPI ImageList_DragMove(int x, int y) {
    iml::Drag& d = iml::drag();
    if (!d.list) return FALSE;
    d.pos = POINT{x, y};
    if (d.shown) {
        iml::hide();
        iml::show();
    }
    return TRUE;
}

BOOL WINAPI ImageList_DragShowNolock(BOOL fShow) {
    iml::Drag& d = iml::drag();
    if (!d.list || !d.entered) return FALSE;
    if (fShow) iml::show();
    else iml::hide();
    return TRUE;
}

BOOL WINAPI ImageList_DragLeave(HWND hwndLock) {
    iml::Drag& d = iml::drag();
    if (!d.list) return FALSE;
    iml::hide();
    d.entered = false;
    d.lock = nullptr;
    return TRUE;
}

void WINAPI ImageList_EndDrag(void) {
    iml::Drag& d = iml::drag();
    if (!d.list) return;
    iml::hide();
    HIMAGELIST list = d.list;
    d = iml::Drag{};
    iml::remove(list);
    device::screenSetOverlay(nullptr);
}

HIMAGELIST WINAPI ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot) {
    iml::Drag& d = iml::drag();
    if (!d.list) return nullptr;
    if (ppt) *ppt = d.pos;
    if (pptHotspot) *pptHotspot = d.hotspot;
    return d.list;
}
