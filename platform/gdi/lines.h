// Pen strokes: one-pixel lines with the device's dash patterns, and wide
// lines stamped with a square brush of the pen's width.
#pragma once

#include "platform/gdi/canvas.h"

namespace gdi {

struct Stroke {
    bool none = true;      // a null pen, or no pen at all
    uint32_t px = 0;
    int width = 1;
    int style = PS_SOLID;
    bool fillGaps = false;  // OPAQUE background mode fills dash gaps
    uint32_t gapPx = 0;
    int phase = 0;          // position in the dash pattern, carried across segments
};

// The stroke of the DC's current pen.
Stroke strokeOf(Canvas& c);
// Draws from (x0,y0) to (x1,y1) in surface coordinates; the last point is
// left out for one-pixel lines, as LineTo does.
void strokeLine(Canvas& c, Stroke& s, int64_t x0, int64_t y0, int64_t x1, int64_t y1);

}  // namespace gdi
