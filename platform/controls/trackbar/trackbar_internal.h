// The trackbar's state and geometry, shared by its message handling
// (trackbar_proc.cpp) and its painting (trackbar_paint.cpp).
#pragma once

#include <vector>

#include "windows.h"

namespace trackbar {

struct Trackbar {
    HWND hwnd = nullptr;
    int min = 0;
    int max = 100;
    int pos = 0;
    int lineSize = 1;
    int pageSize = 20;
    int ticFreq = 1;
    std::vector<int> tics;     // tick positions between the ends, ascending
    int selStart = 0;
    int selEnd = 0;
    int thumbLength = 0;       // across the channel; 0: follows the window
    bool dragging = false;     // the pen holds the thumb
    int grab = 0;              // pen offset from the thumb's centre while dragging
    int paging = 0;            // TB_PAGEUP / TB_PAGEDOWN while the pen holds the channel, else -1
    POINT pen{};               // the pen while paging
};

// Where the parts are, in client coordinates.
struct Layout {
    RECT channel{};
    RECT thumb{};
    int first = 0;   // pixel of the minimum along the channel
    int last = 0;    // pixel of the maximum
    int tickBefore = 0;  // where ticks above / left of the thumb start (-1: none)
    int tickAfter = 0;   // where ticks below / right of the thumb start (-1: none)
    int tickLength = 0;
    bool vertical = false;
};

DWORD styleOf(const Trackbar& t);
bool isVertical(const Trackbar& t);
Layout layoutOf(const Trackbar& t);
// The pixel along the channel of a position, and the position nearest a pixel.
int pixelOf(const Layout& l, const Trackbar& t, int pos);
int positionAt(const Layout& l, const Trackbar& t, int pixel);

// WM_PAINT, with the NM_CUSTOMDRAW stages the parent asks for.
void paint(Trackbar& t, HDC dc);

}  // namespace trackbar
