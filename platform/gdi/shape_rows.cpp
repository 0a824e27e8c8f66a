#include "platform/gdi/shape_rows.h"

#include <algorithm>
#include <cmath>

namespace gdi {

void roundRectRows(int left, int top, int right, int bottom, int cornerW, int cornerH,
                   std::vector<std::pair<int, int>>& rows) {
    rows.clear();
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    int w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0) return;
    cornerW = std::clamp(std::abs(cornerW), 0, w);
    cornerH = std::clamp(std::abs(cornerH), 0, h);
    double rx = cornerW / 2.0, ry = cornerH / 2.0;
    rows.resize((size_t)h);
    for (int i = 0; i < h; ++i) {
        // Distance of the pixel centre from the nearer horizontal edge.
        double yc = i + 0.5;
        double fromEdge = std::min(yc, h - yc);
        int inset = 0;
        if (ry > 0 && rx > 0 && fromEdge < ry) {
            double dy = (ry - fromEdge) / ry;
            double dx = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
            // First column whose centre lies inside the corner ellipse.
            inset = (int)std::ceil(rx - dx - 0.5);
            inset = std::clamp(inset, 0, w / 2);
        }
        rows[(size_t)i] = {left + inset, right - inset};
    }
}

}  // namespace gdi
