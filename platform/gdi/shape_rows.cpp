#include "platform/gdi/shape_rows.h"

#include <algorithm>
#include <cmath>

namespace gdi {

void roundRectRows(int64_t left, int64_t top, int64_t right, int64_t bottom, int64_t cornerW, int64_t cornerH,
                   int yFrom, int yTo, std::vector<std::pair<int, int>>& rows, int* firstRow) {
    rows.clear();
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    int64_t w = right - left, h = bottom - top;
    int64_t y0 = std::max<int64_t>(top, yFrom), y1 = std::min<int64_t>(bottom, yTo);
    *firstRow = (int)std::clamp<int64_t>(y0, INT32_MIN, INT32_MAX);
    if (w <= 0 || h <= 0 || y0 >= y1) return;
    cornerW = std::clamp<int64_t>(cornerW < 0 ? -cornerW : cornerW, 0, w);
    cornerH = std::clamp<int64_t>(cornerH < 0 ? -cornerH : cornerH, 0, h);
    double rx = cornerW / 2.0, ry = cornerH / 2.0;
    constexpr int64_t kLimit = 1 << 24;
    rows.resize((size_t)(y1 - y0));
    for (int64_t y = y0; y < y1; ++y) {
        // Distance of the pixel centre from the nearer horizontal edge.
        double yc = (double)(y - top) + 0.5;
        double fromEdge = std::min(yc, (double)h - yc);
        int64_t inset = 0;
        if (ry > 0 && rx > 0 && fromEdge < ry) {
            double dy = (ry - fromEdge) / ry;
            double dx = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
            // First column whose centre lies inside the corner ellipse.
            inset = (int64_t)std::ceil(rx - dx - 0.5);
            inset = std::clamp<int64_t>(inset, 0, w / 2);
        }
        int64_t l = std::clamp<int64_t>(left + inset, -kLimit, kLimit);
        int64_t r = std::clamp<int64_t>(right - inset, -kLimit, kLimit);
        rows[(size_t)(y - y0)] = {(int)l, (int)r};
    }
}

}  // namespace gdi
