// The device's screen: its size and resolution, the framebuffer every window
// draws into, the parts of it that changed since the host last presented it,
// and the height of the input panel, which shrinks the work area.
//
// Other areas read the configuration from here (GDI answers LOGPIXELSX with
// the dpi; the shell places the menu bar and input panel by it).
#pragma once

#include <vector>

#include <cstddef>

#include "platform/gdi/surface.h"
#include "windef.h"

namespace device {

struct ScreenConfig {
    int width = 240;
    int height = 320;
    int dpi = 96;
    bool hires = false;
    int scale = 1;  // 1, or 2 on the high-resolution screen
};

// The current configuration (240 x 320 at 96 dpi unless configured).
const ScreenConfig& screenConfig();
// Switches between the normal and the high-resolution screen. Recreates the
// framebuffer; call it before any window exists (at start-up, or after
// windowSystemReset in tests).
void screenConfigure(bool hires);
// Gives the screen a new size in pixels at the same resolution, as a device
// rotated or with a larger screen: a new framebuffer, the desktop and the
// navigation bar follow. The shell moves the other windows
// (device::screenFollowSize in platform/shell/screen_follow.h).
void screenResize(int width, int height);
// The framebuffer (owned here).
gdi::Surface& screenSurface();

// Height of the navigation bar at the top: 26, or 52 on the high-res screen.
int navBarHeight();
// Input panel height in pixels (0 while it is down); the shell drives this.
void screenSetSipHeight(int pixels);
int screenSipHeight();
// Below the navigation bar and above the input panel.
RECT screenWorkArea();

// Dirty tracking: drawing marks areas; the presenter takes them.
void screenMarkDirty(const RECT& r);
void screenMarkAllDirty();
bool screenHasDirty();
// The changed rectangles since the last call (clipped to the screen).
std::vector<RECT> screenTakeDirty();

// A picture drawn over the windows rather than by one (the drag image):
// `redraw` is called each time before the screen is presented, so that it can
// put itself back over whatever the windows painted under it. Null: none.
void screenSetOverlay(void (*redraw)());
// Runs the overlay's redraw, if there is one.
void screenRedrawOverlay();

// Clears the input panel height and dirty state (windowSystemReset).
void screenResetState();

}  // namespace device
