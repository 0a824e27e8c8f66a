// Menus from the program's resources (shared by LoadMenuW and the menu bar).
#pragma once

#include "windows.h"

namespace shell {

// The MenuTemplate registered under kResMenu with this id, or nullptr.
const device::MenuTemplate* findMenuTemplate(int id);
// A menu bar (CreateMenu) holding the template's items; nullptr when the
// template is malformed.
HMENU menuFromTemplate(const device::MenuTemplate& tmpl);

}  // namespace shell
