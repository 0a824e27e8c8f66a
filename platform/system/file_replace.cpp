// How the platform keeps its own files: replaced whole by a write beside
// and a rename, and a damaged one kept for a person to look at.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/system/device_fs.h"
#include "platform/system/power_failure.h"
#include "platform/system/storage_limit.h"
#include "winbase.h"
#include "winerror.h"

namespace device {
namespace {

bool writeAll(int fd, std::string_view data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += (size_t)n;
    }
    return true;
}

}  // namespace

bool replaceDeviceFile(std::u16string_view devicePath, std::string_view bytes) {
    std::string host;
    if (!deviceToHost(devicePath, host)) return false;
    return replaceHostFile(host, bytes);
}

bool replaceHostFile(const std::string& host, std::string_view bytes) {
    std::string folder = host.substr(0, host.rfind('/'));
    mkdir(folder.c_str(), 0777);
    std::string temp = host + ".tmp";
    // The new contents are written whole before the old ones go.
    if (!fsStorageFits(temp, bytes.size())) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    beforeDeviceWrite();
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        SetLastError(errorFromErrno(errno));
        return false;
    }
    bool ok = writeAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) beforeDeviceWrite();
    if (ok) ok = rename(temp.c_str(), host.c_str()) == 0;
    if (!ok) {
        // Why it failed is the program's to tell (a full store, mostly).
        SetLastError(errorFromErrno(errno ? errno : EIO));
        unlink(temp.c_str());
        return false;
    }
    // The rename itself must reach the disk too.
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

void keepDamagedCopy(std::u16string_view devicePath) {
    std::string host;
    if (!deviceToHost(devicePath, host)) return;
    std::error_code ec;
    std::filesystem::copy_file(host, host + ".damaged", std::filesystem::copy_options::overwrite_existing, ec);
}

}  // namespace device
