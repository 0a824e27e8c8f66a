// What the device shows of a host file: attributes, size and times.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "windef.h"

namespace device {

struct FileInfo {
    DWORD attributes = 0;
    uint64_t size = 0;
    FILETIME created{}, accessed{}, written{};
};

// Fills `info` for an existing host path; false when it cannot be examined.
// `isCard` marks the card's own folder, which carries the temporary
// attribute as storage cards do on the device.
bool hostFileInfo(const std::string& host, std::u16string_view deviceName, bool isCard, FileInfo& info);
// FILETIME (100 ns since 1601-01-01 UTC) of a Unix time.
FILETIME fileTimeFromUnix(int64_t seconds, long nanoseconds);
// Case-insensitive match of a name against '*' and '?' ("*.*" matches all).
bool matchWildcards(std::u16string_view pattern, std::u16string_view name);

}  // namespace device
