// The program's resources (bitmaps, menus, dialog templates, strings, menu
// bars) as the device keeps them in the program file. The program registers
// them once at start-up; the platform's loaders (LoadImageW, LoadMenuW,
// DialogBoxParamW, LoadStringW, SHCreateMenuBar, ...) find them by type and id.
#pragma once

#include <cstddef>
#include <cstdint>

namespace device {

// Resource types, numbered as on the device where it has a number.
enum ResourceType : int {
    kResBitmap = 2,    // bytes of a .bmp file
    kResMenu = 4,      // a platform MenuTemplate (platform/shell)
    kResDialog = 5,    // a platform DialogTemplate (platform/window)
    kResAccelerator = 9,  // an array of ACCEL
    kResString = 6,    // a NUL-terminated char16_t string
    kResMenuBar = 0x6D62,  // a platform MenuBarTemplate (platform/shell)
};

struct Resource {
    const void* data = nullptr;  // owned by the registrant; lives for the process
    size_t size = 0;             // in bytes (0 where the type is a structure)
};

// Registers (or replaces) the resource of this type and id.
void resourceRegister(int type, int id, const void* data, size_t size);
// The resource of this type and id, or nullptr.
const Resource* resourceFind(int type, int id);
// Forgets every resource (tests).
void resourceClearAll();

}  // namespace device
