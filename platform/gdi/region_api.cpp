// HRGN calls and the clipping of device contexts.
#include <algorithm>

#include "platform/gdi/objects.h"
#include "platform/gdi/shape_rows.h"

namespace gdi {
namespace {

int regionType(const Region& r) {
    if (r.empty()) return NULLREGION;
    return r.rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT ordered(int l, int t, int r, int b) {
    return RECT{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

HRGN newRegion(Region r) {
    auto o = std::make_unique<RegionObj>();
    o->rgn = std::move(r);
    return (HRGN)addObject(std::move(o));
}

// The DC's whole drawable area in its own device coordinates: where a clip
// region starts from when IntersectClipRect/ExcludeClipRect find none.
Region deviceArea(DCObj* dc) {
    Region r = dc->visible;
    r.offset(-dc->origin.x, -dc->origin.y);
    return r;
}

RECT toDevice(DCObj* dc, int l, int t, int r, int b) {
    RECT rc = ordered(l, t, r, b);
    rc.left += dc->st.viewportOrg.x; rc.right += dc->st.viewportOrg.x;
    rc.top += dc->st.viewportOrg.y; rc.bottom += dc->st.viewportOrg.y;
    return rc;
}

}  // namespace
}  // namespace gdi

using namespace gdi;

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) { return newRegion(Region(ordered(x1, y1, x2, y2))); }

HRGN CreateRectRgnIndirect(const RECT* lprect) {
    if (!lprect) return nullptr;
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
    RECT b = ordered(x1, y1, x2, y2);
    std::vector<std::pair<int, int>> rows;
    int first = 0;
    // Rows beyond 2^18 from the origin lie outside any screen; leaving them
    // out bounds the work for absurd sizes.
    roundRectRows(b.left, b.top, b.right, b.bottom, w, h, -(1 << 18), 1 << 18, rows, &first);
    // One rectangle per run of equal rows: the corners become a few bands.
    std::vector<RECT> rects;
    for (size_t i = 0; i < rows.size(); ++i) {
        LONG y = first + (LONG)i;
        if (!rects.empty() && rects.back().bottom == y && rects.back().left == rows[i].first &&
            rects.back().right == rows[i].second)
            rects.back().bottom = y + 1;
        else if (rows[i].first < rows[i].second)
            rects.push_back(RECT{rows[i].first, y, rows[i].second, y + 1});
    }
    Region r;
    r.addRects(rects);
    return newRegion(std::move(r));
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
    RegionObj* dst = regionOf(hrgnDst);
    RegionObj* a = regionOf(hrgnSrc1);
    if (!dst || !a) return ERROR;
    if (iMode == RGN_COPY) {
        dst->rgn = a->rgn;
        return regionType(dst->rgn);
    }
    RegionObj* b = regionOf(hrgnSrc2);
    if (!b) return ERROR;
    Region r = a->rgn;
    switch (iMode) {
        case RGN_AND: r.intersect(b->rgn); break;
        case RGN_OR: r.unite(b->rgn); break;
        case RGN_XOR: r.exclusiveOr(b->rgn); break;
        case RGN_DIFF: r.subtract(b->rgn); break;
        default: return ERROR;
    }
    dst->rgn = std::move(r);
    return regionType(dst->rgn);
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
    RegionObj* o = regionOf(hrgn);
    if (!o) return FALSE;
    o->rgn.setRect(ordered(left, top, right, bottom));
    return TRUE;
}

int OffsetRgn(HRGN hrgn, int x, int y) {
    RegionObj* o = regionOf(hrgn);
    if (!o) return ERROR;
    o->rgn.offset(x, y);
    return regionType(o->rgn);
}

int GetRgnBox(HRGN hrgn, LPRECT lprc) {
    RegionObj* o = regionOf(hrgn);
    if (!o || !lprc) return ERROR;
    *lprc = o->rgn.bounds();
    return regionType(o->rgn);
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
    RegionObj* o = regionOf(hrgn);
    return o && o->rgn.contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect) {
    RegionObj* o = regionOf(hrgn);
    if (!o || !lprect) return FALSE;
    return o->rgn.intersectsRect(ordered(lprect->left, lprect->top, lprect->right, lprect->bottom));
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2) {
    RegionObj* a = regionOf(hrgn1);
    RegionObj* b = regionOf(hrgn2);
    return a && b && a->rgn == b->rgn ? TRUE : FALSE;
}

int SelectClipRgn(HDC hdc, HRGN hrgn) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return ERROR;
    if (!hrgn) {
        dc->st.hasClip = false;
        dc->st.clip.setEmpty();
    } else {
        RegionObj* o = regionOf(hrgn);
        if (!o) return ERROR;
        // The DC keeps its own copy: the caller may delete the region.
        dc->st.hasClip = true;
        dc->st.clip = o->rgn;
    }
    dc->invalidateClip();
    return regionType(dc->effectiveClip());
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return ERROR;
    Region r(toDevice(dc, left, top, right, bottom));
    if (dc->st.hasClip) dc->st.clip.intersect(r);
    else dc->st.clip = r;
    dc->st.hasClip = true;
    dc->invalidateClip();
    return regionType(dc->effectiveClip());
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DCObj* dc = dcOf(hdc);
    if (!dc) return ERROR;
    if (!dc->st.hasClip) dc->st.clip = deviceArea(dc);
    dc->st.clip.subtract(Region(toDevice(dc, left, top, right, bottom)));
    dc->st.hasClip = true;
    dc->invalidateClip();
    return regionType(dc->effectiveClip());
}

int GetClipBox(HDC hdc, LPRECT lprect) {
    DCObj* dc = dcOf(hdc);
    if (!dc || !lprect) return ERROR;
    const Region& c = dc->effectiveClip();
    RECT b = c.bounds();
    if (!c.empty()) {
        LONG dx = dc->origin.x + dc->st.viewportOrg.x, dy = dc->origin.y + dc->st.viewportOrg.y;
        b.left -= dx; b.right -= dx;
        b.top -= dy; b.bottom -= dy;
    }
    *lprect = b;
    return regionType(c);
}

int GetClipRgn(HDC hdc, HRGN hrgn) {
    DCObj* dc = dcOf(hdc);
    RegionObj* o = regionOf(hrgn);
    if (!dc || !o) return -1;
    if (!dc->st.hasClip) return 0;
    o->rgn = dc->st.clip;
    return 1;
}
