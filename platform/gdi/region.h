// A region: a set of non-overlapping rectangles (banded, as GDI keeps them).
// Backs HRGN and the clipping of device contexts; the window manager uses it
// for the visible part of each window.
#pragma once

#include <vector>

#include "windef.h"

namespace gdi {

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r);

    bool empty() const { return rects_.empty(); }
    RECT bounds() const;
    bool contains(int x, int y) const;
    bool intersectsRect(const RECT& r) const;
    const std::vector<RECT>& rects() const { return rects_; }

    void setRect(const RECT& r);
    void setEmpty() { rects_.clear(); }
    void unite(const Region& other);
    void intersect(const Region& other);
    void subtract(const Region& other);
    void exclusiveOr(const Region& other);
    // Adds rectangles that may overlap one another (a rounded rectangle's
    // bands, a caller's list); the result stays banded.
    void addRects(const std::vector<RECT>& rects);
    void offset(int dx, int dy);

    bool operator==(const Region& other) const;

private:
    std::vector<RECT> rects_;  // non-empty, non-overlapping
    void normalize();
};

}  // namespace gdi
