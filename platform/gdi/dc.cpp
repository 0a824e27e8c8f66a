// Device contexts: display DCs made for the window manager, memory DCs,
// object selection, SaveDC/RestoreDC, and the colour and mode settings.
#include "platform/gdi/display_dc.h"
#include "platform/gdi/objects.h"

namespace gdi {
namespace {

HGDIOBJ defaultBitmap() {
    // Every new memory DC starts with the same 1 x 1 monochrome bitmap.
    static HGDIOBJ h = nullptr;
    if (!h) {
        h = newBitmap(1, 1, 1);
        if (Object* o = lookup(h)) o->stock = true;
    }
    return h;
}

void initState(DCObj& dc) {
    dc.st.pen = stockObject(BLACK_PEN);
    dc.st.brush = stockObject(WHITE_BRUSH);
    dc.st.font = stockObject(SYSTEM_FONT);
    for (HGDIOBJ h : {dc.st.pen, dc.st.brush, dc.st.font})
        if (Object* o = lookup(h)) ++o->selectedIn;
}

void release(HGDIOBJ h) {
    if (Object* o = lookup(h))
        if (o->selectedIn > 0) --o->selectedIn;
}

void freeDC(DCObj* dc, HDC h) {
    release(dc->st.pen);
    release(dc->st.brush);
    release(dc->st.font);
    release(dc->st.bitmap);
    removeObject((HGDIOBJ)h);
}

// Puts `h` in `slot`, keeping the selection counts right; returns the
// previous object.
HGDIOBJ swapIn(HGDIOBJ& slot, HGDIOBJ h) {
    HGDIOBJ old = slot;
    if (Object* o = lookup(h)) ++o->selectedIn;
    release(old);
    slot = h;
    return old;
}

void attachBitmap(DCObj* dc, BitmapObj* bmp) {
    dc->surface = &bmp->surf;
    dc->visible = Region(RECT{0, 0, bmp->surf.width, bmp->surf.height});
    dc->invalidateClip();
}

}  // namespace

BitmapObj* DCObj::bitmap() const { return display ? nullptr : bitmapOf(st.bitmap); }

bool DCObj::mono() const {
    BitmapObj* b = bitmap();
    return b && b->mono();
}

const Region& DCObj::effectiveClip() {
    if (!clipDirty) return clipCache;
    clipCache = visible;
    if (surface) clipCache.intersect(Region(RECT{0, 0, surface->width, surface->height}));
    else clipCache.setEmpty();
    if (st.hasClip) {
        Region c = st.clip;
        c.offset(origin.x, origin.y);
        clipCache.intersect(c);
    }
    clipDirty = false;
    return clipCache;
}

HDC createDisplayDC(Surface* surface, POINT origin, const Region& visible) {
    auto dc = std::make_unique<DCObj>();
    dc->display = true;
    dc->surface = surface;
    dc->origin = origin;
    dc->visible = visible;
    initState(*dc);
    return (HDC)addObject(std::move(dc));
}

void setDisplayDCVisible(HDC hdc, POINT origin, const Region& visible) {
    DCObj* dc = dcOf(hdc);
    if (!dc || !dc->display) return;
    dc->origin = origin;
    dc->visible = visible;
    dc->invalidateClip();
}

void deleteDisplayDC(HDC hdc) {
    DCObj* dc = dcOf(hdc);
    if (!dc || !dc->display) return;
    freeDC(dc, hdc);
}

}  // namespace gdi

using namespace gdi;

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !dcOf(hdc)) return nullptr;
    auto dc = std::make_unique<DCObj>();
    initState(*dc);
    HGDIOBJ bm = defaultBitmap();
    dc->st.bitmap = bm;
    if (BitmapObj* b = bitmapOf(bm)) {
        ++b->selectedIn;
        attachBitmap(dc.get(), b);
    }
    return (HDC)addObject(std::move(dc));
}

BOOL DeleteDC(HDC hdc) {
    DCObj* dc = dcOf(hdc);
    if (!dc || dc->display) return FALSE;  // window DCs go back through ReleaseDC
    freeDC(dc, hdc);
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    DCObj* dc = dcOf(hdc);
    Object* o = lookup(h);
    if (!dc || !o) return nullptr;
    switch (o->kind) {
        case Kind::Pen: return swapIn(dc->st.pen, h);
        case Kind::Brush: return swapIn(dc->st.brush, h);
        case Kind::Font: return swapIn(dc->st.font, h);
        case Kind::Bitmap: {
            auto* b = static_cast<BitmapObj*>(o);
            if (dc->display) return nullptr;
            if (h == dc->st.bitmap) return h;
            // A bitmap lives in one memory DC at a time (the shared default
            // bitmap excepted).
            if (b->selectedIn > 0 && !b->stock) return nullptr;
            HGDIOBJ old = swapIn(dc->st.bitmap, h);
            attachBitmap(dc, b);
            // Selecting a bitmap resets the clip region, as on the device.
            dc->st.hasClip = false;
            dc->st.clip.setEmpty();
            dc->invalidateClip();
            return old;
        }
        case Kind::Region: {
            int r = SelectClipRgn(hdc, (HRGN)h);
            return (HGDIOBJ)(intptr_t)r;
        }
        case Kind::DC: return nullptr;
    }
    return nullptr;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return nullptr;
    switch (type) {
        case OBJ_PEN: return dc->st.pen;
        case OBJ_BRUSH: return dc->st.brush;
        case OBJ_FONT: return dc->st.font;
        case OBJ_BITMAP: return dc->st.bitmap;
        default: return nullptr;
    }
}

int SaveDC(HDC hdc) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return 0;
    dc->saved.push_back(dc->st);
    return (int)dc->saved.size();
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return FALSE;
    int n = (int)dc->saved.size();
    int level = nSavedDC < 0 ? n + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > n) return FALSE;
    DCState s = dc->saved[(size_t)level - 1];
    dc->saved.resize((size_t)level - 1);
    // Re-select through the normal path: an object deleted since SaveDC
    // is gone, and the DC keeps what it has in that slot.
    if (penOf(s.pen)) swapIn(dc->st.pen, s.pen);
    if (brushOf(s.brush)) swapIn(dc->st.brush, s.brush);
    if (fontOf(s.font)) swapIn(dc->st.font, s.font);
    if (!dc->display && s.bitmap != dc->st.bitmap) {
        BitmapObj* b = bitmapOf(s.bitmap);
        if (b && (b->selectedIn == 0 || b->stock)) {
            swapIn(dc->st.bitmap, s.bitmap);
            attachBitmap(dc, b);
        }
    }
    dc->st.textColor = s.textColor;
    dc->st.bkColor = s.bkColor;
    dc->st.bkMode = s.bkMode;
    dc->st.textAlign = s.textAlign;
    dc->st.stretchMode = s.stretchMode;
    dc->st.cur = s.cur;
    dc->st.viewportOrg = s.viewportOrg;
    dc->st.hasClip = s.hasClip;
    dc->st.clip = s.clip;
    dc->invalidateClip();
    return TRUE;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF old = dc->st.textColor;
    dc->st.textColor = color & 0xFFFFFF;
    return old;
}
COLORREF GetTextColor(HDC hdc) {
    DCObj* dc = dcOf(hdc);
    return dc ? dc->st.textColor : CLR_INVALID;
}
COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF old = dc->st.bkColor;
    dc->st.bkColor = color & 0xFFFFFF;
    return old;
}
COLORREF GetBkColor(HDC hdc) {
    DCObj* dc = dcOf(hdc);
    return dc ? dc->st.bkColor : CLR_INVALID;
}
int SetBkMode(HDC hdc, int mode) {
    DCObj* dc = dcOf(hdc);
    if (!dc || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    int old = dc->st.bkMode;
    dc->st.bkMode = mode;
    return old;
}
int GetBkMode(HDC hdc) {
    DCObj* dc = dcOf(hdc);
    return dc ? dc->st.bkMode : 0;
}
UINT SetTextAlign(HDC hdc, UINT align) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return GDI_ERROR;
    UINT old = dc->st.textAlign;
    dc->st.textAlign = align;
    return old;
}
UINT GetTextAlign(HDC hdc) {
    DCObj* dc = dcOf(hdc);
    return dc ? dc->st.textAlign : GDI_ERROR;
}
int SetStretchBltMode(HDC hdc, int mode) {
    DCObj* dc = dcOf(hdc);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE) return 0;
    int old = dc->st.stretchMode;
    dc->st.stretchMode = mode;
    return old;
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return FALSE;
    if (lppt) *lppt = dc->st.viewportOrg;
    dc->st.viewportOrg = POINT{x, y};
    return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt) {
    DCObj* dc = dcOf(hdc);
    if (!dc || !lppt) return FALSE;
    *lppt = dc->st.viewportOrg;
    return TRUE;
}
