// The dialog manager's services for the platform's other areas (the
// property sheet builds its pages with it; the automation finds dialogs and
// their controls through the ordinary window calls, since a dialog is an
// ordinary window of class WC_DIALOG with its controls as children).
#pragma once

#include "platform/dialogs/dialog_template.h"
#include "windows.h"

namespace device {

// Registers the dialog class WC_DIALOG (a global class, so it survives
// windowSystemReset). Idempotent; every creation call makes sure of it.
void registerDialogClass();

// The template the program registered under this resource number
// (MAKEINTRESOURCEW(id)); nullptr when there is none or the name is a string.
const DialogTemplate* findDialogTemplate(LPCWSTR name);

enum DialogCreateFlags : unsigned {
    // Create the dialog as a child of `parent` (a property page): WS_POPUP,
    // WS_CAPTION, WS_SYSMENU, DS_MODALFRAME, DS_CENTER and WS_VISIBLE are
    // dropped, WS_CHILD and DS_CONTROL added (so Tab moves through the
    // page's controls from its parent dialog), the page sits at (0, 0) of the
    // parent's client area and stays hidden until the caller shows it. Its
    // WM_INITDIALOG does not take the focus.
    kDialogAsChild = 1,
};

// Creates a modeless dialog from a template: `parent` is the owner of a
// popup (its top-level window is used) or the parent of a child; the
// dialog procedure gets WM_SETFONT, then every control is created, then
// WM_INITDIALOG with `param`. Returns nullptr when a control's class is
// unknown (unless DS_NOFAILCREATE), the parent is invalid, or the dialog
// procedure destroyed the dialog during initialisation.
HWND createDialogFromTemplate(const DialogTemplate& t, HINSTANCE instance, HWND parent, DLGPROC proc,
                              LPARAM param, unsigned flags = 0);

// Whether the window is a dialog made by this manager (it has dialog units,
// a default button and a saved focus).
bool isDialogWindow(HWND hwnd);

// The dialog's base units in pixels (cx: average character width, cy:
// character height of its font); {0, 0} for a window that is no dialog.
SIZE dialogBaseUnits(HWND dialog);

// Base units of a font as the device measures them: the height of the
// font and half of (the width of the 52 letters A-Z a-z / 26, rounded).
SIZE fontBaseUnits(HFONT font);

}  // namespace device
