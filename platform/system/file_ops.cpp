// Folder and file management: CreateDirectoryW, RemoveDirectoryW, CopyFileW,
// MoveFileW and DeleteFileW, with the device's error codes.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>

#include "platform/system/code_page.h"
#include "platform/system/device_fs.h"
#include "platform/system/power_failure.h"
#include "platform/system/storage_limit.h"
#include "winbase.h"
#include "winerror.h"

namespace {

BOOL fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

DWORD missing(const device::ResolvedPath& r) {
    return r.parentIsFolder ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

std::string folderOf(const std::string& host) { return host.substr(0, host.rfind('/')); }

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= (size_t)n;
    }
    return true;
}

// Copies a host file to a temporary name beside `to`, flushes it and renames
// it over `to`: either the whole copy arrives or `to` is left as it was.
// Keeps the source's permissions and modification time. Returns 0 or errno.
int copyHostFile(const std::string& from, const std::string& to) {
    static std::atomic<unsigned> counter{0};
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    struct stat st;
    if (fstat(in, &st) != 0) {
        int e = errno;
        close(in);
        return e;
    }
    // The copy lands beside the old file before it replaces it, so it needs
    // room for all of itself.
    if (!device::fsStorageFits(to, (uint64_t)st.st_size)) {
        close(in);
        return ENOSPC;
    }
    std::string temp = folderOf(to) + "/.qp-copy-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    int out = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0777);
    if (out < 0) {
        int e = errno;
        close(in);
        return e;
    }
    int err = 0;
    char buf[65536];
    for (;;) {
        ssize_t n = read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) { err = errno; break; }
        if (n == 0) break;
        device::beforeDeviceWrite();
        if (!writeAll(out, buf, (size_t)n)) { err = errno ? errno : EIO; break; }
    }
    if (!err && fsync(out) != 0) err = errno;
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (!err) futimens(out, times);
    if (close(out) != 0 && !err) err = errno;
    close(in);
    if (!err) device::beforeDeviceWrite();
    if (!err && rename(temp.c_str(), to.c_str()) != 0) err = errno;
    if (err) unlink(temp.c_str());
    return err;
}

// The last name of a device path as the caller wrote it.
std::u16string givenName(LPCWSTR path) {
    std::u16string s(path);
    while (!s.empty() && (s.back() == u'\\' || s.back() == u'/')) s.pop_back();
    size_t cut = s.find_last_of(u"\\/");
    return cut == std::u16string::npos ? s : s.substr(cut + 1);
}

}  // namespace

BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    if (!lpPathName) return fail(ERROR_INVALID_PARAMETER);
    device::ResolvedPath r;
    if (DWORD err = device::resolveDevicePath(lpPathName, r)) return fail(err);
    if (r.exists) return fail(ERROR_ALREADY_EXISTS);
    if (!r.parentIsFolder) return fail(ERROR_PATH_NOT_FOUND);
    if (mkdir(r.host.c_str(), 0777) != 0) return fail(device::errorFromErrno(errno, ERROR_PATH_NOT_FOUND));
    return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR lpPathName) {
    if (!lpPathName) return fail(ERROR_INVALID_PARAMETER);
    device::ResolvedPath r;
    if (DWORD err = device::resolveDevicePath(lpPathName, r)) return fail(err);
    if (!r.exists) return fail(missing(r));
    if (r.isRoot || r.isCard) return fail(ERROR_ACCESS_DENIED);
    if (!r.isFolder) return fail(ERROR_DIRECTORY);
    if (rmdir(r.host.c_str()) != 0) return fail(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : device::errorFromErrno(errno));
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR lpFileName) {
    if (!lpFileName) return fail(ERROR_INVALID_PARAMETER);
    device::ResolvedPath r;
    if (DWORD err = device::resolveDevicePath(lpFileName, r)) return fail(err);
    if (!r.exists) return fail(missing(r));
    if (r.isFolder) return fail(ERROR_ACCESS_DENIED);
    if (unlink(r.host.c_str()) != 0) return fail(device::errorFromErrno(errno));
    return TRUE;
}

BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
    if (!lpExistingFileName || !lpNewFileName) return fail(ERROR_INVALID_PARAMETER);
    device::ResolvedPath from, to;
    if (DWORD err = device::resolveDevicePath(lpExistingFileName, from)) return fail(err);
    if (!from.exists) return fail(missing(from));
    if (from.isFolder) return fail(ERROR_ACCESS_DENIED);
    if (DWORD err = device::resolveDevicePath(lpNewFileName, to)) return fail(err);
    if (!to.parentIsFolder) return fail(ERROR_PATH_NOT_FOUND);
    if (to.exists && to.isFolder) return fail(ERROR_ACCESS_DENIED);
    if (to.exists && bFailIfExists) return fail(ERROR_FILE_EXISTS);
    if (to.exists && to.host == from.host) return fail(ERROR_SHARING_VIOLATION);
    if (int e = copyHostFile(from.host, to.host)) return fail(device::errorFromErrno(e, ERROR_PATH_NOT_FOUND));
    return TRUE;
}

BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName) {
    if (!lpExistingFileName || !lpNewFileName) return fail(ERROR_INVALID_PARAMETER);
    device::ResolvedPath from, to;
    if (DWORD err = device::resolveDevicePath(lpExistingFileName, from)) return fail(err);
    if (!from.exists) return fail(missing(from));
    if (from.isRoot || from.isCard) return fail(ERROR_ACCESS_DENIED);
    if (DWORD err = device::resolveDevicePath(lpNewFileName, to)) return fail(err);
    if (!to.parentIsFolder || to.isRoot) return fail(ERROR_PATH_NOT_FOUND);
    std::string target = to.host;
    if (to.exists) {
        // Renaming to the same name in another case is allowed; anything
        // else already there stays untouched.
        if (to.host != from.host) return fail(ERROR_ALREADY_EXISTS);
        target = folderOf(to.host) + "/" + device::wideToUtf8(givenName(lpNewFileName));
        if (target == from.host) return TRUE;
    }
    if (rename(from.host.c_str(), target.c_str()) == 0) return TRUE;
    if (errno != EXDEV) return fail(device::errorFromErrno(errno, ERROR_PATH_NOT_FOUND));
    // Between the card and the device's own store: copy, then delete.
    if (from.isFolder) return fail(ERROR_NOT_SAME_DEVICE);
    if (int e = copyHostFile(from.host, target)) return fail(device::errorFromErrno(e, ERROR_PATH_NOT_FOUND));
    if (unlink(from.host.c_str()) != 0) return fail(device::errorFromErrno(errno));
    return TRUE;
}
