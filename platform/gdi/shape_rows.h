// The covered columns of each row of a rectangle with elliptic corners
// (an ellipse is the case where the corners take the whole rectangle).
// Shared by RoundRect/Ellipse and CreateRoundRectRgn so a rounded window
// shape and the frame drawn on it agree pixel for pixel.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace gdi {

// Rows of the shape within [yFrom, yTo) only, so that a shape far larger
// than any surface costs no more than the part that can show. `rows[i]` is
// [left, right) of row `*firstRow + i`; a row may be empty. Columns are
// limited to +-2^24.
void roundRectRows(int64_t left, int64_t top, int64_t right, int64_t bottom, int64_t cornerW, int64_t cornerH,
                   int yFrom, int yTo, std::vector<std::pair<int, int>>& rows, int* firstRow);

}  // namespace gdi
