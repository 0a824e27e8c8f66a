// The desktop window's zoom and place.
#include "platform/host/window_fit.h"

#include <algorithm>

namespace device {

int fittingZoom(int screenWidth, int screenHeight, const FitArea& area, const FrameSize& frame) {
    int roomX = area.width - frame.left - frame.right;
    int roomY = area.height - frame.top - frame.bottom;
    if (screenWidth <= 0 || screenHeight <= 0) return kMinZoom;
    int zoom = std::min(roomX / screenWidth, roomY / screenHeight);
    return std::clamp(zoom, kMinZoom, kMaxZoom);
}

int steppedZoom(int zoom, int step) { return std::clamp(zoom + step, kMinZoom, kMaxZoom); }

namespace {

// The client's offset along one axis: centred, else the frame's near edge on
// the area's near edge.
int centred(int origin, int room, int size, int nearFrame, int farFrame) {
    int outer = size + nearFrame + farFrame;
    if (outer >= room) return origin + nearFrame;
    return origin + (room - outer) / 2 + nearFrame;
}

}  // namespace

WindowSpot placeWindow(int width, int height, const FitArea& area, const FrameSize& frame) {
    return WindowSpot{centred(area.x, area.width, width, frame.left, frame.right),
                      centred(area.y, area.height, height, frame.top, frame.bottom)};
}

}  // namespace device
