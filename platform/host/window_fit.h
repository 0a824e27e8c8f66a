// How big the desktop window is and where it goes: the largest whole zoom at
// which the device's screen and the window's frame fit the desktop's usable
// area, a zoom changed by the zoom keys, and a position that keeps the whole
// window on the desktop. Plain arithmetic, so it is tested without a display.
#pragma once

namespace device {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 8;

struct FitArea {
    int x = 0, y = 0, width = 0, height = 0;  // the desktop's usable area
};

struct FrameSize {
    int left = 0, top = 0, right = 0, bottom = 0;  // the window manager's frame
};

// The largest zoom from 1 to 8 at which a screen of `screenWidth` x
// `screenHeight` device pixels, with the frame around it, fits the area; 1
// when not even that fits.
int fittingZoom(int screenWidth, int screenHeight, const FitArea& area, const FrameSize& frame);

// The zoom after a zoom key: `step` +1 or -1, kept between 1 and 8.
int steppedZoom(int zoom, int step);

struct WindowSpot {
    int x = 0, y = 0;  // the client area's top left corner on the desktop
};

// Centres a client area of `width` x `height` (with its frame) in the area;
// a window larger than the area keeps its frame's top left corner inside it,
// so the title bar can still be reached.
WindowSpot placeWindow(int width, int height, const FitArea& area, const FrameSize& frame);

}  // namespace device
