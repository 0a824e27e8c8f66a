// The input-panel rule: the soft keyboard comes up for a text field when the
// device has no keyboard of its own, or the user asked for it anyway.
#include "lists/list_input_panel.h"

#include "shell/app_state.h"

void raiseInputPanelForText(HWND owner) {
    if (bHasKeyboard == 0 || bKeyboardSip == 1) SHSipPreference(owner, SIP_UP);
}
