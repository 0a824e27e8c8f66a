// One call that readies the device's system services for a host or a test.
#pragma once

#include <string>

namespace device {

struct SystemConfig {
    std::string rootDir;  // host folder behind "\"; empty: the default (device_fs.h)
    std::string cardDir;  // host folder behind "\Storage Card"; empty: $HOME
};

// Sets the root and the card, creates the standard folders, installs the
// SQLite VFS and loads the registry of the new root. False when the root's
// folders cannot be made or SQLite cannot take the VFS.
bool systemStartup(const SystemConfig& config);

}  // namespace device
