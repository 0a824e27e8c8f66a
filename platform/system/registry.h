// Host and test control of the registry.
#pragma once

namespace device {

// Forgets open keys and loads the registry of the current device root.
void registryReload();
// Writes pending changes to the registry file; false when that failed.
bool registryFlush();

}  // namespace device
