// The windows follow a new screen size, as on a device rotated or with a
// larger screen: windows across the whole screen (the program's main window,
// full-screen dialogs) stretch with it, the menu bars and the input panel stay
// at the bottom, smaller windows stay centred; then every top-level window
// hears WM_SETTINGCHANGE, as a device tells its programs of a new screen.
#pragma once

namespace device {

// The smallest screen the program is laid out for: 240 x 240, or 480 x 480
// on the high-resolution screen.
int smallestScreenSide();

// Resizes the screen (clamped to the smallest) and places the windows
// again; false when the size did not change.
bool screenFollowSize(int width, int height);

}  // namespace device
