#include "platform/system/sqlite_vfs.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/system/code_page.h"
#include "platform/system/device_fs.h"
#include "platform/system/power_failure.h"
#include "platform/system/sqlite_vfs_file.h"

namespace device {
namespace {

sqlite3_vfs deviceVfs;
std::mutex namesLock;

sqlite3_vfs* hostVfs() { return (sqlite3_vfs*)deviceVfs.pAppData; }

// The unix VFS keeps the name pointer it was opened with for the life of the
// file (and of its shared memory), without telling us when it lets go. So the
// translated names are kept for the whole run: there are only as many as the
// distinct files the program opens.
const char* keepName(const std::string& name) {
    static std::set<std::string> names;
    std::lock_guard<std::mutex> g(namesLock);
    return names.insert(name).first->c_str();
}

// Main database names carry their URI parameters behind them, in the layout
// SQLite reads them from; those are made by SQLite and kept likewise.
const char* keepDatabaseName(const std::string& host, const char* original) {
    std::vector<std::string> params;
    for (int i = 0;; ++i) {
        const char* key = sqlite3_uri_key(original, i);
        if (!key) break;
        const char* value = sqlite3_uri_parameter(original, key);
        params.emplace_back(key);
        params.emplace_back(value ? value : "");
    }
    std::string id = host;
    for (const std::string& p : params) id += std::string("\0", 1) + p;
    static std::map<std::string, sqlite3_filename> made;
    std::lock_guard<std::mutex> g(namesLock);
    // Released when the process ends, when no connection uses them any more.
    static bool released = std::atexit([] {
        for (auto& entry : made) sqlite3_free_filename(entry.second);
        made.clear();
    }) == 0;
    (void)released;
    if (auto it = made.find(id); it != made.end()) return it->second;
    std::vector<const char*> ptrs;
    for (const std::string& p : params) ptrs.push_back(p.c_str());
    sqlite3_filename f = sqlite3_create_filename(host.c_str(), (host + "-journal").c_str(), (host + "-wal").c_str(),
                                                 (int)params.size() / 2, ptrs.empty() ? nullptr : ptrs.data());
    if (f) made[id] = f;
    return f;
}

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Host path of a device name in the system code page. Journals follow their
// database, whatever case the database's name has on disk.
bool translate(const char* name, std::string& host) {
    std::string_view n = name;
    for (std::string_view suffix : {"-journal", "-wal", "-shm"}) {
        if (!endsWith(n, suffix)) continue;
        ResolvedPath db;
        std::u16string base = ansiToWide(n.substr(0, n.size() - suffix.size()));
        if (resolveDevicePath(base, db) == 0 && db.exists && !db.isFolder) {
            host = db.host + std::string(suffix);
            return true;
        }
    }
    return deviceToHost(ansiToWide(n), host);
}

int xOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    if (!name) return openDeviceFile(hostVfs(), nullptr, file, flags, outFlags);
    std::string host;
    if (!translate(name, host)) {
        file->pMethods = nullptr;
        return SQLITE_CANTOPEN;
    }
    const char* kept = (flags & SQLITE_OPEN_MAIN_DB) ? keepDatabaseName(host, name) : keepName(host);
    if (!kept) {
        file->pMethods = nullptr;
        return SQLITE_NOMEM;
    }
    return openDeviceFile(hostVfs(), kept, file, flags, outFlags);
}

int xDelete(sqlite3_vfs*, const char* name, int syncDir) {
    std::string host;
    if (!translate(name, host)) return SQLITE_IOERR_DELETE_NOENT;
    beforeDeviceWrite();
    return hostVfs()->xDelete(hostVfs(), host.c_str(), syncDir);
}

int xAccess(sqlite3_vfs*, const char* name, int flags, int* result) {
    std::string host;
    if (!translate(name, host)) {
        *result = 0;
        return SQLITE_OK;
    }
    return hostVfs()->xAccess(hostVfs(), host.c_str(), flags, result);
}

// The full name stays a device path: backslashes, absolute, the names as
// given. Every later call translates it the same way.
int xFullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    std::string full = "\\";
    for (const char* p = name; *p; ++p) {
        char c = *p == '/' ? '\\' : *p;
        if (c == '\\' && full.back() == '\\') continue;
        full.push_back(c);
    }
    if (full.size() > 1 && full.back() == '\\') full.pop_back();
    ResolvedPath check;
    if (resolveDevicePath(ansiToWide(full), check) != 0) return SQLITE_CANTOPEN;
    if ((int)full.size() >= size) return SQLITE_CANTOPEN;
    memcpy(out, full.c_str(), full.size() + 1);
    return SQLITE_OK;
}

}  // namespace

bool installSqliteVfs() {
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] {
        if (sqlite3_initialize() != SQLITE_OK) return;
        sqlite3_vfs* unixVfs = sqlite3_vfs_find("unix");
        if (!unixVfs) return;
        deviceVfs = *unixVfs;
        deviceVfs.pNext = nullptr;
        deviceVfs.zName = kDeviceVfsName;
        deviceVfs.pAppData = unixVfs;
        deviceVfs.szOsFile = deviceFileSize(unixVfs);
        deviceVfs.xOpen = xOpen;
        deviceVfs.xDelete = xDelete;
        deviceVfs.xAccess = xAccess;
        deviceVfs.xFullPathname = xFullPathname;
        ok = sqlite3_vfs_register(&deviceVfs, 1) == SQLITE_OK;
    });
    // Someone may have made another VFS the default since; ours comes back.
    if (ok && sqlite3_vfs_find(nullptr) != &deviceVfs) sqlite3_vfs_register(&deviceVfs, 1);
    return ok;
}

}  // namespace device
