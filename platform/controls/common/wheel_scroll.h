// The wheel in the controls that scroll by lines (tree view, edit, list box
// and the combo box's drop-down): WM_MOUSEWHEEL becomes three SB_LINEUP or
// SB_LINEDOWN a notch, sent to the control as its scroll bar would.
#pragma once

#include "windef.h"

namespace device {

constexpr int kWheelLinesPerNotch = 3;

// Handles WM_MOUSEWHEEL for hwnd; returns the message's result (0).
LRESULT wheelScrollLines(HWND hwnd, WPARAM wParam);

}  // namespace device
