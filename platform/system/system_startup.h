// One call that readies the device's system services for a host or a test.
#pragma once

#include <cstdint>
#include <string>

namespace device {

struct SystemConfig {
    std::string rootDir;  // host folder behind "\"; empty: the default (device_fs.h)
    std::string cardDir;  // host folder behind "\Storage Card"; empty: $HOME
    uint64_t storageLimit = 0;  // bytes the root may hold; 0: no size of its own
};

// Sets the root, the card and the storage size, creates the standard folders, installs the
// SQLite VFS and loads the registry of the new root. False when the root's
// folders cannot be made or SQLite cannot take the VFS. The system code page
// is the one that registry holds.
bool systemStartup(const SystemConfig& config);

}  // namespace device
