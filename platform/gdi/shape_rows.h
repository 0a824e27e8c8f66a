// The covered columns of each row of a rectangle with elliptic corners
// (an ellipse is the case where the corners take the whole rectangle).
// Shared by RoundRect/Ellipse and CreateRoundRectRgn so a rounded window
// shape and the frame drawn on it agree pixel for pixel.
#pragma once

#include <utility>
#include <vector>

namespace gdi {

// rows[i] = [left, right) of row top + i; a row may be empty (left == right).
void roundRectRows(int left, int top, int right, int bottom, int cornerW, int cornerH,
                   std::vector<std::pair<int, int>>& rows);

}  // namespace gdi
