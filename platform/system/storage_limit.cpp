#include "platform/system/storage_limit.h"

#include <atomic>
#include <filesystem>

#include "platform/system/device_fs.h"

namespace device {
namespace {

std::atomic<uint64_t> limitBytes{0};

bool inside(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

}  // namespace

void fsSetStorageLimit(uint64_t bytes) { limitBytes = bytes; }

uint64_t fsStorageLimit() { return limitBytes; }

uint64_t fsStorageUsed() {
    namespace fs = std::filesystem;
    // Counted afresh each time: the store is small, and nothing can drift
    // from what the disk holds (SQLite's journals come and go on their own).
    uint64_t used = 0;
    std::error_code ec;
    const fs::path card = fsCard();
    fs::recursive_directory_iterator it(fsRoot(), fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code statError;
        if (it->is_directory(statError)) {
            if (it->path() == card) it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file(statError)) {
            uint64_t size = it->file_size(statError);
            if (!statError) used += size;
        }
    }
    return used;
}

bool fsStorageFits(const std::string& hostPath, uint64_t growth) {
    const uint64_t limit = limitBytes;
    if (limit == 0 || growth == 0) return true;
    if (!inside(hostPath, fsRoot()) || inside(hostPath, fsCard())) return true;
    const uint64_t used = fsStorageUsed();
    return used <= limit && growth <= limit - used;
}

}  // namespace device
