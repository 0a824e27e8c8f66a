// Files dropped from the desktop, for the hosts: the first window under the
// point that accepts files, or one of its ancestors, gets WM_DROPFILES.
#pragma once

#include <string>
#include <vector>

namespace device {

// Host paths of the dropped files; each becomes the device path of the same
// file when it lies in the root or on the card. False when no window there
// accepts files.
bool dropFiles(int x, int y, const std::vector<std::string>& hostPaths);

}  // namespace device
