// What the dialog manager keeps per dialog window, and the helpers its files
// share. Private to platform/dialogs.
#pragma once

#include <vector>

#include "windows.h"

namespace dlg {

// Button and edit messages the dialog manager sends to controls. The
// control areas define the public names; the values are the device's.
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
constexpr UINT kBmSetStyle = 0x00F4;
constexpr UINT kBmClick = 0x00F5;
constexpr UINT kEmSetSel = 0x00B1;
constexpr WPARAM kBstChecked = 1;
constexpr DWORD kBsTypeMask = 0x0F;
constexpr DWORD kBsPushButton = 0x00;
constexpr DWORD kBsDefPushButton = 0x01;
constexpr DWORD kBsAutoRadioButton = 0x09;
constexpr WORD kBnClicked = 0;

// The loop of a modal dialog: EndDialog records the result here and the
// loop ends. It lives on DialogBox's stack, not in the dialog, so the loop
// can still read it when the dialog has been destroyed.
struct ModalState {
    bool done = false;
    INT_PTR result = 0;
    HWND owner = nullptr;
    bool ownerDisabled = false;  // the loop disabled the owner (EndDialog enables it)
};

struct DialogInfo {
    HFONT font = nullptr;  // the template font (nullptr: the system font)
    bool ownsFont = false;
    SIZE base{1, 1};       // base units in pixels
    int defId = 0;         // DM_SETDEFID / the template's default push button
    HWND savedFocus = nullptr;
    bool ended = false;
    INT_PTR result = 0;
    ModalState* modal = nullptr;
};

// The record of a dialog window (nullptr: not a dialog, or gone).
DialogInfo* info(HWND hwnd);
DialogInfo& attachInfo(HWND hwnd);
// Forgets the record and deletes the font the dialog made.
void detachInfo(HWND hwnd);

// WM_GETDLGCODE of a control (0 for no window).
UINT dlgCode(HWND ctrl, WPARAM wParam = 0, LPARAM lParam = 0);
// The dialog's controls in tab order: its children top to bottom, and the
// children of shown, enabled WS_EX_CONTROLPARENT children (pages) in place.
std::vector<HWND> controlsInOrder(HWND dialog);
// The control with this id among controlsInOrder (nullptr: none).
HWND findControl(HWND dialog, int id);
// Gives a control the focus as the dialog keyboard does: an edit's text is
// selected, and a push button that gets it shows as the default one.
void focusControl(HWND dialog, HWND ctrl);
// Shows the push button that Enter would press with this focus as the
// default one, and every other push button as a plain one.
void showDefaultButton(HWND dialog, HWND focus);

}  // namespace dlg
