// The form in which the program keeps its dialog templates as resources.
//
// A template is plain constant data the program writes once and registers
// at start-up under kResDialog (platform/system/resource_table.h):
//
//   static const device::DialogTemplate kNameDialog{
//       DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 124, 60,
//       u"", u"Tahoma", 8,
//       {{u"edit", u"", 1119, WS_TABSTOP | ES_AUTOHSCROLL | WS_BORDER, 0, 7, 20, 110, 12},
//        {u"button", u"OK", 1000, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 10, 40, 45, 14}}};
//   device::resourceRegister(device::kResDialog, 145, &kNameDialog, 0);
//
// Positions and sizes are in dialog units of the template's font (x units
// are a quarter of the font's average character width, y units an eighth of
// its height). The dialog's x, y and cx, cy give its client area; a popup is
// placed relative to its owner's client area (DS_ABSALIGN: to the screen,
// DS_CENTER: centred in the work area). Every item becomes a child window
// (WS_CHILD is added) with its id, in template order, which is also the tab
// order and the order of GetWindow(GW_CHILD)/GW_HWNDNEXT.
#pragma once

#include <vector>

#include "windows.h"

namespace device {

struct DialogItemTemplate {
    // A class name ("button", "edit", "static", "listbox", "scrollbar",
    // "combobox", "SysTreeView32", ...) or one of the predefined atoms
    // MAKEINTRESOURCEW(0x0080) button ... MAKEINTRESOURCEW(0x0085) combobox.
    LPCWSTR className = nullptr;
    // The window text; MAKEINTRESOURCEW(n) passes a resource number (a
    // picture static's bitmap) through to the control's creation.
    LPCWSTR text = nullptr;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    LPCWSTR caption = nullptr;
    // With DS_SETFONT: the face and point size of the dialog's font, which
    // every control gets through WM_SETFONT; without it the system's dialog
    // font gives the units and controls keep their own font.
    LPCWSTR fontFace = nullptr;
    int pointSize = 0;
    std::vector<DialogItemTemplate> items;
};

}  // namespace device
