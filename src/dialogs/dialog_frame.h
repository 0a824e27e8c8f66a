// What the list-name and password dialogs share beyond the program's dialog
// look: their frame (they paint their own title and border, so the system's
// caption and frame go), their place on the screen above the input panel,
// and the input-panel rule for their text fields.
#pragma once

#include "windows.h"

// Takes the system caption and frame off `dialog`, keeping its client area
// the size the template gave it, and gives it the rounded shape.
void useProgramFrame(HWND dialog);
// Moves `dialog` up so that it is not hidden under the raised input panel,
// but never above the top of the work area.
void placeAboveInputPanel(HWND dialog);
// Raises the input panel for a text field, unless a hardware keyboard makes
// it unnecessary and the "keyboardsip" setting does not ask for it; the
// dialog is then moved clear of it.
void raiseInputPanelForText(HWND dialog);
