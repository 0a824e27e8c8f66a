// Open files: CreateFileW, ReadFile, WriteFile, GetFileSize, SetFilePointer,
// SetEndOfFile, FlushFileBuffers and CloseHandle.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/system/device_fs.h"
#include "platform/system/kernel_handles.h"
#include "platform/system/power_failure.h"
#include "platform/system/storage_limit.h"
#include "winbase.h"
#include "winerror.h"

namespace {

struct OpenFile : device::KernelObject {
    int fd = -1;
    std::string host;
    bool canRead = false, canWrite = false;
    ~OpenFile() override {
        if (fd >= 0) close(fd);
    }
};

BOOL fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// Whether the file may grow to end at `end`: a device whose store is full
// refuses the write before any byte of it lands.
bool growthFits(const OpenFile& f, off_t end) {
    if (!device::fsStorageLimit()) return true;
    struct stat st;
    if (fstat(f.fd, &st) != 0 || end <= st.st_size) return true;
    return device::fsStorageFits(f.host, (uint64_t)(end - st.st_size));
}

OpenFile* fileOf(HANDLE h) {
    OpenFile* f = device::handleGet<OpenFile>(h);
    if (!f) SetLastError(ERROR_INVALID_HANDLE);
    return f;
}

}  // namespace

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                   DWORD dwCreationDisposition, DWORD, HANDLE) {
    auto failHandle = [](DWORD e) {
        SetLastError(e);
        return INVALID_HANDLE_VALUE;
    };
    if (!lpFileName || dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING)
        return failHandle(ERROR_INVALID_PARAMETER);
    device::ResolvedPath r;
    if (DWORD err = device::resolveDevicePath(lpFileName, r)) return failHandle(err);
    if (r.isFolder || r.isRoot) return failHandle(ERROR_ACCESS_DENIED);
    if (!r.parentIsFolder) return failHandle(ERROR_PATH_NOT_FOUND);
    bool read = dwDesiredAccess & GENERIC_READ, write = dwDesiredAccess & GENERIC_WRITE;
    int flags = O_CLOEXEC | (read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY);
    switch (dwCreationDisposition) {
        case CREATE_NEW:
            if (r.exists) return failHandle(ERROR_FILE_EXISTS);
            flags |= O_CREAT | O_EXCL;
            break;
        case CREATE_ALWAYS:
            flags |= O_CREAT | O_TRUNC;
            break;
        case OPEN_EXISTING:
            if (!r.exists) return failHandle(ERROR_FILE_NOT_FOUND);
            break;
        case OPEN_ALWAYS:
            flags |= O_CREAT;
            break;
        case TRUNCATE_EXISTING:
            if (!r.exists) return failHandle(ERROR_FILE_NOT_FOUND);
            if (!write) return failHandle(ERROR_ACCESS_DENIED);
            flags |= O_TRUNC;
            break;
    }
    // Truncating needs write access on the host, even when the caller only
    // asked to read (CREATE_ALWAYS with GENERIC_READ).
    if ((flags & O_TRUNC) && !write) flags = (flags & ~O_ACCMODE) | O_RDWR;
    int fd = open(r.host.c_str(), flags, 0666);
    if (fd < 0) return failHandle(device::errorFromErrno(errno));
    auto file = std::make_unique<OpenFile>();
    file->fd = fd;
    file->host = r.host;
    file->canRead = read;
    file->canWrite = write;
    // As on the device, opening over an existing file succeeds and says so.
    bool existed = r.exists && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return device::handleAdd(std::move(file));
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead, LPOVERLAPPED) {
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
    OpenFile* f = fileOf(hFile);
    if (!f) return FALSE;
    if (!f->canRead) return fail(ERROR_ACCESS_DENIED);
    if (!lpBuffer && nNumberOfBytesToRead) return fail(ERROR_INVALID_PARAMETER);
    DWORD done = 0;
    while (done < nNumberOfBytesToRead) {
        ssize_t n = read(f->fd, (char*)lpBuffer + done, nNumberOfBytesToRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(device::errorFromErrno(errno));
        if (n == 0) break;  // end of file: success with fewer bytes
        done += (DWORD)n;
    }
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED) {
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
    OpenFile* f = fileOf(hFile);
    if (!f) return FALSE;
    if (!f->canWrite) return fail(ERROR_ACCESS_DENIED);
    if (!lpBuffer && nNumberOfBytesToWrite) return fail(ERROR_INVALID_PARAMETER);
    off_t at = lseek(f->fd, 0, SEEK_CUR);
    if (at >= 0 && !growthFits(*f, at + (off_t)nNumberOfBytesToWrite)) return fail(ERROR_DISK_FULL);
    device::beforeDeviceWrite();
    DWORD done = 0;
    while (done < nNumberOfBytesToWrite) {
        ssize_t n = write(f->fd, (const char*)lpBuffer + done, nNumberOfBytesToWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
            return fail(n < 0 ? device::errorFromErrno(errno) : ERROR_DISK_FULL);
        }
        done += (DWORD)n;
    }
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    OpenFile* f = fileOf(hFile);
    struct stat st;
    if (!f || fstat(f->fd, &st) != 0) {
        if (f) SetLastError(device::errorFromErrno(errno));
        return INVALID_FILE_SIZE;
    }
    uint64_t size = (uint64_t)st.st_size;
    if (lpFileSizeHigh) *lpFileSizeHigh = (DWORD)(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return (DWORD)size;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, LONG* lpDistanceToMoveHigh, DWORD dwMoveMethod) {
    OpenFile* f = fileOf(hFile);
    if (!f) return INVALID_SET_FILE_POINTER;
    int whence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : dwMoveMethod == FILE_CURRENT ? SEEK_CUR
               : dwMoveMethod == FILE_END ? SEEK_END : -1;
    if (whence < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    // Without a high part the distance is a signed 32-bit value.
    int64_t distance = lpDistanceToMoveHigh
        ? (int64_t)(((uint64_t)(uint32_t)*lpDistanceToMoveHigh << 32) | (uint32_t)lDistanceToMove)
        : (int64_t)lDistanceToMove;
    off_t base = whence == SEEK_SET ? 0 : lseek(f->fd, 0, whence);
    if (base < 0 || (int64_t)base + distance < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    off_t pos = lseek(f->fd, (off_t)((int64_t)base + distance), SEEK_SET);
    if (pos < 0) {
        SetLastError(device::errorFromErrno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = (LONG)((uint64_t)pos >> 32);
    SetLastError(ERROR_SUCCESS);
    return (DWORD)pos;
}

BOOL SetEndOfFile(HANDLE hFile) {
    OpenFile* f = fileOf(hFile);
    if (!f) return FALSE;
    if (!f->canWrite) return fail(ERROR_ACCESS_DENIED);
    off_t pos = lseek(f->fd, 0, SEEK_CUR);
    if (pos >= 0 && !growthFits(*f, pos)) return fail(ERROR_DISK_FULL);
    if (pos < 0 || ftruncate(f->fd, pos) != 0) return fail(device::errorFromErrno(errno));
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile) {
    OpenFile* f = fileOf(hFile);
    if (!f) return FALSE;
    if (fsync(f->fd) != 0) return fail(device::errorFromErrno(errno));
    return TRUE;
}

BOOL CloseHandle(HANDLE hObject) {
    // Searches are closed with FindClose, as on the device.
    if (!device::handleGet<OpenFile>(hObject)) return fail(ERROR_INVALID_HANDLE);
    device::handleRemove(hObject);
    return TRUE;
}
