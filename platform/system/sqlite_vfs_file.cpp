#include "platform/system/sqlite_vfs_file.h"

#include <errno.h>

#include <cstddef>
#include <string>

#include "platform/system/power_failure.h"
#include "platform/system/storage_limit.h"
#include "winbase.h"
#include "winerror.h"

namespace device {
namespace {

struct DeviceFile {
    sqlite3_file base;
    sqlite3_file* inner;  // the host VFS's file, right after this header
    const char* host;     // its host path; null for a temporary file
};

constexpr int kHeader = (int)((sizeof(DeviceFile) + 15) & ~size_t(15));

sqlite3_file* innerOf(sqlite3_file* file) { return reinterpret_cast<DeviceFile*>(file)->inner; }
const sqlite3_io_methods& hostMethods(sqlite3_file* file) { return *innerOf(file)->pMethods; }

int fileClose(sqlite3_file* file) {
    int rc = hostMethods(file).xClose(innerOf(file));
    file->pMethods = nullptr;
    return rc;
}

int fileRead(sqlite3_file* file, void* data, int amount, sqlite3_int64 offset) {
    return hostMethods(file).xRead(innerOf(file), data, amount, offset);
}

// A write that does not fit. Like every file call of the device, it leaves
// the reason as the thread's last error, which outlives SQLite's own error
// code when the statement's transaction is rolled back.
int full() {
    SetLastError(ERROR_DISK_FULL);
    return SQLITE_FULL;
}

int fileWrite(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
    DeviceFile* f = reinterpret_cast<DeviceFile*>(file);
    if (f->host && fsStorageLimit()) {
        sqlite3_int64 size = 0;
        const sqlite3_int64 end = offset + amount;
        if (hostMethods(file).xFileSize(f->inner, &size) == SQLITE_OK && end > size &&
            !fsStorageFits(f->host, (uint64_t)(end - size)))
            return full();
    }
    beforeDeviceWrite();
    int rc = hostMethods(file).xWrite(f->inner, data, amount, offset);
    // The host VFS knows ENOSPC as a full disk; a quota that is used up is
    // the same thing to the person.
    if ((rc == SQLITE_IOERR_WRITE && errno == EDQUOT) || rc == SQLITE_FULL) return full();
    return rc;
}

int fileTruncate(sqlite3_file* file, sqlite3_int64 size) {
    beforeDeviceWrite();
    return hostMethods(file).xTruncate(innerOf(file), size);
}
int fileSync(sqlite3_file* file, int flags) {
    beforeDeviceWrite();
    return hostMethods(file).xSync(innerOf(file), flags);
}
int fileSize(sqlite3_file* file, sqlite3_int64* size) { return hostMethods(file).xFileSize(innerOf(file), size); }
int fileLock(sqlite3_file* file, int level) { return hostMethods(file).xLock(innerOf(file), level); }
int fileUnlock(sqlite3_file* file, int level) { return hostMethods(file).xUnlock(innerOf(file), level); }
int fileCheckReservedLock(sqlite3_file* file, int* out) {
    return hostMethods(file).xCheckReservedLock(innerOf(file), out);
}
int fileControl(sqlite3_file* file, int op, void* arg) { return hostMethods(file).xFileControl(innerOf(file), op, arg); }
int fileSectorSize(sqlite3_file* file) { return hostMethods(file).xSectorSize(innerOf(file)); }
int fileDeviceCharacteristics(sqlite3_file* file) {
    return hostMethods(file).xDeviceCharacteristics(innerOf(file));
}

// Shared memory (WAL) and memory mapping need version 2 and 3 of the host's
// methods; a host file without them refuses as SQLite expects.
int fileShmMap(sqlite3_file* file, int page, int pageSize, int extend, void volatile** out) {
    const sqlite3_io_methods& m = hostMethods(file);
    return m.iVersion >= 2 && m.xShmMap ? m.xShmMap(innerOf(file), page, pageSize, extend, out) : SQLITE_IOERR_SHMMAP;
}
int fileShmLock(sqlite3_file* file, int offset, int n, int flags) {
    const sqlite3_io_methods& m = hostMethods(file);
    return m.iVersion >= 2 && m.xShmLock ? m.xShmLock(innerOf(file), offset, n, flags) : SQLITE_IOERR_SHMLOCK;
}
void fileShmBarrier(sqlite3_file* file) {
    const sqlite3_io_methods& m = hostMethods(file);
    if (m.iVersion >= 2 && m.xShmBarrier) m.xShmBarrier(innerOf(file));
}
int fileShmUnmap(sqlite3_file* file, int deleteFlag) {
    const sqlite3_io_methods& m = hostMethods(file);
    return m.iVersion >= 2 && m.xShmUnmap ? m.xShmUnmap(innerOf(file), deleteFlag) : SQLITE_OK;
}
int fileFetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** out) {
    const sqlite3_io_methods& m = hostMethods(file);
    if (m.iVersion >= 3 && m.xFetch) return m.xFetch(innerOf(file), offset, amount, out);
    *out = nullptr;
    return SQLITE_OK;
}
int fileUnfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
    const sqlite3_io_methods& m = hostMethods(file);
    return m.iVersion >= 3 && m.xUnfetch ? m.xUnfetch(innerOf(file), offset, page) : SQLITE_OK;
}

const sqlite3_io_methods kDeviceFileMethods = {
    3,
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileUnlock,
    fileCheckReservedLock,
    fileControl,
    fileSectorSize,
    fileDeviceCharacteristics,
    fileShmMap,
    fileShmLock,
    fileShmBarrier,
    fileShmUnmap,
    fileFetch,
    fileUnfetch,
};

}  // namespace

int deviceFileSize(sqlite3_vfs* host) { return kHeader + host->szOsFile; }

int openDeviceFile(sqlite3_vfs* host, const char* hostName, sqlite3_file* file, int flags, int* outFlags) {
    DeviceFile* f = reinterpret_cast<DeviceFile*>(file);
    f->base.pMethods = nullptr;
    f->inner = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(file) + kHeader);
    f->inner->pMethods = nullptr;
    f->host = hostName;
    int rc = host->xOpen(host, hostName, f->inner, flags, outFlags);
    if (f->inner->pMethods) f->base.pMethods = &kDeviceFileMethods;
    return rc;
}

}  // namespace device
