// Regions as y-x banded rectangle lists. Every set operation runs one sweep
// over the horizontal bands formed by both operands' top and bottom edges,
// combines the x intervals of each band, and then joins bands that are
// stacked directly on one another with the same intervals. Keeping that
// canonical form makes equality a plain comparison of the lists.
#include "platform/gdi/region.h"

#include <algorithm>

namespace gdi {
namespace {

enum class Op { Or, And, Diff, Xor };

struct Span {
    LONG l, r;
};

bool rectEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

// The x intervals of `rects` (banded and canonical) that cover the band
// [y0, y1); with canonical input a rectangle either covers the whole band or
// none of it.
void spansAt(const std::vector<RECT>& rects, LONG y0, LONG y1, std::vector<Span>& out) {
    out.clear();
    for (const RECT& r : rects) {
        if (r.top >= y1) break;  // sorted by top
        if (r.top <= y0 && r.bottom >= y1) out.push_back({r.left, r.right});
    }
    std::sort(out.begin(), out.end(), [](const Span& a, const Span& b) { return a.l < b.l; });
}

bool inside(const std::vector<Span>& s, LONG x) {
    for (const Span& sp : s)
        if (x >= sp.l && x < sp.r) return true;
    return false;
}

void combineSpans(const std::vector<Span>& a, const std::vector<Span>& b, Op op,
                  std::vector<Span>& out) {
    out.clear();
    std::vector<LONG> xs;
    for (const Span& s : a) { xs.push_back(s.l); xs.push_back(s.r); }
    for (const Span& s : b) { xs.push_back(s.l); xs.push_back(s.r); }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        bool ia = inside(a, xs[i]), ib = inside(b, xs[i]);
        bool in = false;
        switch (op) {
            case Op::Or: in = ia || ib; break;
            case Op::And: in = ia && ib; break;
            case Op::Diff: in = ia && !ib; break;
            case Op::Xor: in = ia != ib; break;
        }
        if (!in) continue;
        if (!out.empty() && out.back().r == xs[i]) out.back().r = xs[i + 1];
        else out.push_back({xs[i], xs[i + 1]});
    }
}

std::vector<RECT> combine(const std::vector<RECT>& a, const std::vector<RECT>& b, Op op) {
    std::vector<LONG> ys;
    for (const RECT& r : a) { ys.push_back(r.top); ys.push_back(r.bottom); }
    for (const RECT& r : b) { ys.push_back(r.top); ys.push_back(r.bottom); }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    std::vector<RECT> out;
    std::vector<Span> sa, sb, sc, prev;
    size_t prevStart = 0;  // index in `out` of the previous band's rects
    LONG prevBottom = 0;
    bool havePrev = false;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        LONG y0 = ys[i], y1 = ys[i + 1];
        spansAt(a, y0, y1, sa);
        spansAt(b, y0, y1, sb);
        combineSpans(sa, sb, op, sc);
        if (sc.empty()) { havePrev = false; continue; }
        bool same = havePrev && prevBottom == y0 && prev.size() == sc.size() &&
                    std::equal(prev.begin(), prev.end(), sc.begin(),
                               [](const Span& p, const Span& q) { return p.l == q.l && p.r == q.r; });
        if (same) {
            for (size_t k = prevStart; k < out.size(); ++k) out[k].bottom = y1;
        } else {
            prevStart = out.size();
            for (const Span& s : sc) out.push_back({s.l, y0, s.r, y1});
            prev = sc;
        }
        prevBottom = y1;
        havePrev = true;
    }
    return out;
}

}  // namespace

Region::Region(const RECT& r) { setRect(r); }

RECT Region::bounds() const {
    if (rects_.empty()) return RECT{0, 0, 0, 0};
    RECT b = rects_.front();
    for (const RECT& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

bool Region::contains(int x, int y) const {
    for (const RECT& r : rects_) {
        if (r.top > y) break;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    }
    return false;
}

bool Region::intersectsRect(const RECT& q) const {
    if (rectEmpty(q)) return false;
    for (const RECT& r : rects_) {
        if (r.top >= q.bottom) break;
        if (r.left < q.right && q.left < r.right && r.top < q.bottom && q.top < r.bottom) return true;
    }
    return false;
}

void Region::setRect(const RECT& r) {
    rects_.clear();
    if (!rectEmpty(r)) rects_.push_back(r);
}

void Region::unite(const Region& other) { rects_ = combine(rects_, other.rects_, Op::Or); }
void Region::intersect(const Region& other) { rects_ = combine(rects_, other.rects_, Op::And); }
void Region::subtract(const Region& other) { rects_ = combine(rects_, other.rects_, Op::Diff); }
void Region::exclusiveOr(const Region& other) { rects_ = combine(rects_, other.rects_, Op::Xor); }

void Region::offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r.left += dx; r.right += dx;
        r.top += dy; r.bottom += dy;
    }
}

bool Region::operator==(const Region& other) const {
    if (rects_.size() != other.rects_.size()) return false;
    for (size_t i = 0; i < rects_.size(); ++i) {
        const RECT &a = rects_[i], &b = other.rects_[i];
        if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom) return false;
    }
    return true;
}

void Region::addRects(const std::vector<RECT>& rects) {
    std::vector<RECT> in;
    for (const RECT& r : rects)
        if (!rectEmpty(r)) in.push_back(r);
    std::sort(in.begin(), in.end(), [](const RECT& a, const RECT& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    // Rectangles given by a caller may overlap and are not banded: unite them
    // with the current set through the sweep, which handles overlap.
    rects_ = combine(rects_, in, Op::Or);
}

void Region::normalize() { rects_ = combine(rects_, {}, Op::Or); }

}  // namespace gdi
