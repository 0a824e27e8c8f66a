// The GDI objects behind the handles, and the one table that owns them.
// A handle encodes a slot index and that slot's generation, so a handle
// whose object was deleted (and whose slot may have been reused) no longer
// resolves: calls with it fail instead of touching freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "windef.h"
#include "wingdi.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

namespace gdi {

class FontInstance;

enum class Kind : uint8_t { Pen, Brush, Font, Bitmap, Region, DC };

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    Kind kind;
    bool stock = false;   // stock objects are never freed
    int selectedIn = 0;   // number of DCs that hold it selected
};

struct PenObj : Object {
    PenObj() : Object(Kind::Pen) {}
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct BrushObj : Object {
    BrushObj() : Object(Kind::Brush) {}
    int style = BS_SOLID;
    COLORREF color = 0;
};

struct FontObj : Object {
    FontObj() : Object(Kind::Font) {}
    LOGFONTW lf{};
    std::shared_ptr<FontInstance> inst;  // resolved lazily, then kept
};

struct BitmapObj : Object {
    BitmapObj() : Object(Kind::Bitmap) {}
    Surface surf;
    int bitsPixel = 32;  // what GetObjectW reports; 1 means a monochrome bitmap
    bool mono() const { return bitsPixel == 1; }

    // A DIB section keeps the caller's view of the pixels in `bits`. For a
    // 32-bit top-down section that is the surface itself; every other layout
    // has its own buffer, converted to and from the surface around each
    // drawing call (the caller writes the bits between calls, as GdiFlush
    // semantics allow).
    bool dib = false;
    bool dibAliased = false;
    bool topDown = false;
    int dibBpp = 0;
    int stride = 0;
    DWORD compression = BI_RGB;
    DWORD masks[3] = {0, 0, 0};
    std::vector<uint8_t> ownBits;
    uint8_t* bits = nullptr;
    BITMAPINFOHEADER header{};

    void pullBits();  // caller's bits -> surface
    void pushBits();  // surface -> caller's bits
};

struct RegionObj : Object {
    RegionObj() : Object(Kind::Region) {}
    Region rgn;
};

// What SaveDC keeps and RestoreDC brings back.
struct DCState {
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ bitmap = nullptr;
    COLORREF textColor = 0x000000;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int stretchMode = BLACKONWHITE;
    POINT cur{0, 0};
    POINT viewportOrg{0, 0};
    bool hasClip = false;
    Region clip;  // device coordinates, relative to the DC's origin
};

struct DCObj : Object {
    DCObj() : Object(Kind::DC) {}
    bool display = false;
    Surface* surface = nullptr;  // display: the screen; memory: the selected bitmap's
    POINT origin{0, 0};          // device (0,0) in surface coordinates
    Region visible;              // surface coordinates
    DCState st;
    std::vector<DCState> saved;

    // The drawable area in surface coordinates: visible part, clip region
    // and surface bounds, recomputed when any of them changes.
    const Region& effectiveClip();
    void invalidateClip() { clipDirty = true; }
    BitmapObj* bitmap() const;
    bool mono() const;

private:
    Region clipCache;
    bool clipDirty = true;
};

// ---- the handle table ----
HGDIOBJ addObject(std::unique_ptr<Object> obj);
Object* lookup(HGDIOBJ h);
template <class T>
T* lookupAs(HGDIOBJ h, Kind k) {
    Object* o = lookup(h);
    return o && o->kind == k ? static_cast<T*>(o) : nullptr;
}
inline PenObj* penOf(HGDIOBJ h) { return lookupAs<PenObj>(h, Kind::Pen); }
inline BrushObj* brushOf(HGDIOBJ h) { return lookupAs<BrushObj>(h, Kind::Brush); }
inline FontObj* fontOf(HGDIOBJ h) { return lookupAs<FontObj>(h, Kind::Font); }
inline BitmapObj* bitmapOf(HGDIOBJ h) { return lookupAs<BitmapObj>(h, Kind::Bitmap); }
inline RegionObj* regionOf(HGDIOBJ h) { return lookupAs<RegionObj>(h, Kind::Region); }
inline DCObj* dcOf(HDC h) { return lookupAs<DCObj>((HGDIOBJ)h, Kind::DC); }
// Frees the object; false if the handle is stale.
bool removeObject(HGDIOBJ h);
// Number of live objects (tests look for leaks with it).
size_t liveObjectCount();

// Stock objects are made on first use.
HGDIOBJ stockObject(int i);
// Resizes the stock fonts for the current screen dpi.
void refreshStockFonts();

// A memory bitmap of the given size, all black; null when the size is
// absurd (callers pass sizes from files and from arithmetic).
HBITMAP newBitmap(int w, int h, int bitsPixel);

}  // namespace gdi
