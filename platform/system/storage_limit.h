// The device's storage size. A pocket device's store fills up; so that this
// can happen on a desktop disk too, the device can be given a size: the files
// under the root may then hold at most that many bytes together, and a write
// that would go beyond it fails as it does on a full disk (ERROR_DISK_FULL
// for the file calls, SQLITE_FULL for SQLite). The storage card has no size
// of its own here: only its host disk can fill it.
#pragma once

#include <cstdint>
#include <string>

namespace device {

// 0: no size of its own (only the host disk limits the root).
void fsSetStorageLimit(uint64_t bytes);
uint64_t fsStorageLimit();
// The bytes the files under the root hold now (the card excluded).
uint64_t fsStorageUsed();
// Whether the host file `hostPath` may grow by `growth` bytes: always true
// without a size or outside the root; else whether the total stays within it.
bool fsStorageFits(const std::string& hostPath, uint64_t growth);

}  // namespace device
