// State the outline's input files share: what the last pen-down hit, and
// the helpers both the window procedure and the notifications use.
#pragma once

#include "windows.h"

namespace outline_input {

// The item hit by the last button-down on the outline, and where it was.
inline HTREEITEM hitLastTap = nullptr;
inline POINT ptLastTap = {0, 0};

// The Edit menu's item `id` of the menu bar enabled (1) or disabled (0).
void enableMenuItem(UINT id, int enabled);
// Raises the input panel when the device has no keyboard or the setting
// "keyboardsip" asks for it.
void raiseSipByRule();
// Shows the outline, the notes pane and the splitter where hidden.
void showPanes();
// Clears the selection, focuses the outline, empties the notes pane and
// brings the commands up to date.
void deselect(HWND tree);
// Repaints the edit bar strip of the main window.
void invalidateEditBar(BOOL erase);

}  // namespace outline_input
