// The input-panel rule of the list-name and password dialogs.
#pragma once

#include "windows.h"

// Raises the input panel for a text field, unless a hardware keyboard makes
// it unnecessary and the "keyboardsip" setting does not ask for it.
void raiseInputPanelForText(HWND owner);
