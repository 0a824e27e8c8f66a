// The state dump of the `dump` script step: the screen, the input panel, the
// cursor, every top-level window with its children (and what a tree view,
// list, combo box, edit or button holds), the menu bar and the tasks of the
// task store, as JSON.
#pragma once

#include <string>

namespace device {

std::string stateDumpJson();
// Writes the dump to a host file; false when it cannot be written.
bool writeStateDump(const std::string& hostPath);

}  // namespace device
