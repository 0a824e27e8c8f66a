// File searches: FindFirstFileW, FindNextFileW, FindClose and
// GetFileAttributesW. A search takes a snapshot of the folder when it starts.
#include <dirent.h>
#include <errno.h>

#include <algorithm>
#include <vector>

#include "platform/system/device_fs.h"
#include "platform/system/file_info.h"
#include "platform/system/kernel_handles.h"
#include "wcrt.h"
#include "winbase.h"
#include "winerror.h"

namespace {

struct FoundEntry {
    std::u16string name;
    device::FileInfo info;
};

struct Search : device::KernelObject {
    std::vector<FoundEntry> entries;
    size_t next = 0;
};

void fill(const FoundEntry& e, LPWIN32_FIND_DATAW data) {
    *data = WIN32_FIND_DATAW{};
    data->dwFileAttributes = e.info.attributes;
    data->ftCreationTime = e.info.created;
    data->ftLastAccessTime = e.info.accessed;
    data->ftLastWriteTime = e.info.written;
    data->nFileSizeHigh = (DWORD)(e.info.size >> 32);
    data->nFileSizeLow = (DWORD)e.info.size;
    size_t n = std::min(e.name.size(), (size_t)MAX_PATH - 1);
    std::copy_n(e.name.data(), n, data->cFileName);
    data->cFileName[n] = 0;
}

HANDLE fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

// Lists the folder `host` into `out`, keeping the names that match.
DWORD listFolder(const std::string& host, std::u16string_view pattern, bool isRoot, std::vector<FoundEntry>& out) {
    DIR* d = opendir(host.c_str());
    if (!d) return device::errorFromErrno(errno, ERROR_PATH_NOT_FOUND);
    while (dirent* e = readdir(d)) {
        std::string_view raw = e->d_name;
        if (raw == "." || raw == "..") continue;
        std::u16string name = device::hostNameToDevice(raw);
        // In the root the card takes the place of any folder of its name.
        if (isRoot && _wcsicmp(name.c_str(), u"Storage Card") == 0) continue;
        if (!device::matchWildcards(pattern, name)) continue;
        FoundEntry entry{name, {}};
        if (device::hostFileInfo(host + "/" + std::string(raw), name, false, entry.info)) out.push_back(entry);
    }
    closedir(d);
    if (isRoot && device::matchWildcards(pattern, u"Storage Card")) {
        FoundEntry card{u"Storage Card", {}};
        if (device::hostFileInfo(device::fsCard(), card.name, true, card.info)) out.push_back(card);
    }
    std::sort(out.begin(), out.end(), [](const FoundEntry& a, const FoundEntry& b) { return a.name < b.name; });
    return ERROR_SUCCESS;
}

}  // namespace

HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData) {
    if (!lpFileName || !lpFindFileData) return fail(ERROR_INVALID_PARAMETER);
    device::ResolvedPath r;
    if (DWORD err = device::resolveDevicePath(lpFileName, r, true)) return fail(err);
    auto search = std::make_unique<Search>();
    if (r.name.find_first_of(u"*?") != std::u16string::npos) {
        if (!r.parentIsFolder) return fail(ERROR_PATH_NOT_FOUND);
        std::string folder = r.host.substr(0, r.host.rfind('/'));
        bool inRoot = r.device.rfind(u'\\') == 0;
        if (DWORD err = listFolder(folder, r.name, inRoot, search->entries)) return fail(err);
    } else {
        if (r.isRoot) return fail(ERROR_FILE_NOT_FOUND);
        if (!r.exists) return fail(r.parentIsFolder ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        FoundEntry only{r.name, {}};
        if (!device::hostFileInfo(r.host, r.name, r.isCard, only.info)) return fail(ERROR_FILE_NOT_FOUND);
        search->entries.push_back(only);
    }
    if (search->entries.empty()) return fail(ERROR_FILE_NOT_FOUND);
    fill(search->entries[0], lpFindFileData);
    search->next = 1;
    return device::handleAdd(std::move(search));
}

BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData) {
    Search* s = device::handleGet<Search>(hFindFile);
    if (!s || !lpFindFileData) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (s->next >= s->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    fill(s->entries[s->next++], lpFindFileData);
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
    if (!device::handleGet<Search>(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    device::handleRemove(hFindFile);
    return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR lpFileName) {
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    device::ResolvedPath r;
    if (DWORD err = device::resolveDevicePath(lpFileName, r)) {
        SetLastError(err);
        return INVALID_FILE_ATTRIBUTES;
    }
    device::FileInfo info;
    if (!r.exists || !device::hostFileInfo(r.host, r.name, r.isCard, info)) {
        SetLastError(r.parentIsFolder ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    return info.attributes;
}
