// The program's resources (bitmaps, menus, dialog templates, strings, menu
// bars) as the device keeps them in the program file. The program registers
// them once at start-up; the loaders (LoadImageW, LoadMenuW, DialogBoxParamW,
// LoadStringW, SHCreateMenuBar, ...) find them by type and id. The forms of
// the structured ones are in winmenu.h (MenuTemplate), windlg.h
// (DialogTemplate) and aygshell.h (MenuBarTemplate).
#pragma once

#include <cstddef>

namespace device {

// Resource types, numbered as on the device where it has a number.
enum ResourceType : int {
    kResBitmap = 2,        // bytes of a .bmp file
    kResMenu = 4,          // a MenuTemplate (winmenu.h)
    kResDialog = 5,        // a DialogTemplate (windlg.h)
    kResString = 6,        // a NUL-terminated char16_t string
    kResAccelerator = 9,   // an array of ACCEL (winuser.h)
    kResMenuBar = 0x6D62,  // a MenuBarTemplate (aygshell.h)
};

// Registers (or replaces) the resource of this type and id. `data` stays
// the registrant's and must live for the process; `size` is in bytes (0
// where the type is a structure).
void resourceRegister(int type, int id, const void* data, size_t size);

}  // namespace device
