// Region arithmetic: the window manager's visible regions and every clip
// depend on these staying banded and exact.
#include <gtest/gtest.h>

#include "platform/gdi/region.h"
#include "windows.h"

using gdi::Region;

namespace {

RECT R(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }

// Counts covered pixels by brute force, to check the set operations against
// the definition rather than against the implementation.
int area(const Region& r) {
    int n = 0;
    for (const RECT& q : r.rects()) n += (q.right - q.left) * (q.bottom - q.top);
    return n;
}

void expectNoOverlap(const Region& r) {
    const auto& v = r.rects();
    for (size_t i = 0; i < v.size(); ++i)
        for (size_t j = i + 1; j < v.size(); ++j) {
            bool overlap = v[i].left < v[j].right && v[j].left < v[i].right && v[i].top < v[j].bottom &&
                           v[j].top < v[i].bottom;
            EXPECT_FALSE(overlap) << i << " " << j;
        }
}

}  // namespace

TEST(Region, EmptyRectGivesEmptyRegion) {
    EXPECT_TRUE(Region(R(5, 5, 5, 10)).empty());
    EXPECT_TRUE(Region(R(5, 5, 2, 10)).empty());
    EXPECT_FALSE(Region(R(0, 0, 1, 1)).empty());
}

TEST(Region, SetOperationsMatchPixelDefinition) {
    Region a(R(0, 0, 10, 10));
    Region b(R(5, 5, 15, 15));
    for (int op = 0; op < 4; ++op) {
        Region r = a;
        switch (op) {
            case 0: r.unite(b); break;
            case 1: r.intersect(b); break;
            case 2: r.subtract(b); break;
            case 3: r.exclusiveOr(b); break;
        }
        expectNoOverlap(r);
        for (int y = -1; y < 16; ++y)
            for (int x = -1; x < 16; ++x) {
                bool ia = a.contains(x, y), ib = b.contains(x, y);
                bool want = op == 0 ? (ia || ib) : op == 1 ? (ia && ib) : op == 2 ? (ia && !ib) : (ia != ib);
                ASSERT_EQ(r.contains(x, y), want) << "op " << op << " at " << x << "," << y;
            }
    }
}

TEST(Region, CanonicalFormMakesEqualSetsEqual) {
    // The same L shape built two ways.
    Region a(R(0, 0, 10, 5));
    a.unite(Region(R(0, 5, 5, 10)));
    Region b(R(0, 0, 5, 10));
    b.unite(Region(R(5, 0, 10, 5)));
    EXPECT_TRUE(a == b);
    EXPECT_EQ(a.rects().size(), 2u);
    // Stacked rectangles of the same width merge into one.
    Region c(R(0, 0, 4, 2));
    c.unite(Region(R(0, 2, 4, 6)));
    EXPECT_EQ(c.rects().size(), 1u);
    EXPECT_EQ(c.bounds().bottom, 6);
}

TEST(Region, HoleAndOffset) {
    Region r(R(0, 0, 30, 30));
    r.subtract(Region(R(10, 10, 20, 20)));
    EXPECT_EQ(area(r), 900 - 100);
    EXPECT_FALSE(r.contains(15, 15));
    EXPECT_TRUE(r.contains(5, 15));
    EXPECT_TRUE(r.intersectsRect(R(9, 9, 11, 11)));
    EXPECT_FALSE(r.intersectsRect(R(11, 11, 19, 19)));
    r.offset(100, 50);
    EXPECT_TRUE(r.contains(105, 65));
    EXPECT_FALSE(r.contains(115, 65));
    RECT b = r.bounds();
    EXPECT_EQ(b.left, 100);
    EXPECT_EQ(b.bottom, 80);
}

TEST(Region, AddRectsAcceptsOverlap) {
    Region r;
    r.addRects({R(0, 0, 10, 10), R(5, 5, 15, 15), R(2, 2, 3, 3), R(0, 0, 0, 0)});
    expectNoOverlap(r);
    EXPECT_EQ(area(r), 100 + 100 - 25);
}

TEST(RegionApi, CombineAndQuery) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 0, 20, 10);
    HRGN d = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
    RECT box;
    EXPECT_EQ(GetRgnBox(d, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(d, 7, 5));
    EXPECT_TRUE(PtInRegion(d, 2, 5));
    EXPECT_TRUE(PtInRegion(d, 15, 5));
    EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(d, b, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(OffsetRgn(d, -5, 1), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(d, 0, 1));
    EXPECT_FALSE(PtInRegion(d, 0, 0));
    EXPECT_EQ(CombineRgn(d, a, b, 99), ERROR);
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_TRUE(DeleteObject(d));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), ERROR);
}

TEST(RegionApi, RoundRectRegionIsBandedAndCutsCorners) {
    HRGN r = CreateRoundRectRgn(0, 0, 40, 30, 12, 12);
    RECT box;
    EXPECT_EQ(GetRgnBox(r, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 40);
    EXPECT_EQ(box.bottom, 30);
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_FALSE(PtInRegion(r, 39, 29));
    EXPECT_TRUE(PtInRegion(r, 0, 15));
    EXPECT_TRUE(PtInRegion(r, 20, 0));
    EXPECT_TRUE(PtInRegion(r, 6, 1));
    DeleteObject(r);
}
