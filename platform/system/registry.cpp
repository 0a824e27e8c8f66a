// The registry calls over the tree of registry_store.h. Changes are written
// when a key is closed or flushed, and once more when the process ends.
#include "platform/system/registry.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/system/registry_store.h"
#include "wcrt.h"
#include "winerror.h"
#include "winreg.h"

namespace {

struct Registry {
    std::recursive_mutex lock;
    device::RegTree tree;
    bool loaded = false;
    bool dirty = false;
    std::map<uintptr_t, device::RegKey*> open;
    uintptr_t nextHandle = 0x2000;
};

Registry& reg() {
    static Registry r;
    static bool atExit = [] { return std::atexit([] { device::registryFlush(); }) == 0; }();
    (void)atExit;
    return r;
}

void ensureLoaded(Registry& r) {
    if (r.loaded) return;
    device::regLoadFile(r.tree);
    r.loaded = true;
    r.dirty = false;
}

// The key of a handle: a predefined root or an open key; nullptr otherwise.
device::RegKey* keyOf(Registry& r, HKEY h) {
    uintptr_t v = (uintptr_t)h, first = (uintptr_t)HKEY_CLASSES_ROOT;
    if (v >= first && v < first + device::kRegRoots) return &r.tree.roots[v - first];
    auto it = r.open.find(v);
    return it == r.open.end() ? nullptr : it->second;
}

// Splits a sub-key path; false for a leading backslash or an empty name.
bool splitKeyPath(LPCWSTR path, std::vector<std::u16string>& names) {
    if (!path || !*path) return true;
    std::u16string_view p(path);
    if (p[0] == u'\\') return false;
    while (!p.empty() && p.back() == u'\\') p.remove_suffix(1);
    size_t start = 0;
    while (start <= p.size()) {
        size_t cut = p.find(u'\\', start);
        if (cut == std::u16string_view::npos) cut = p.size();
        if (cut == start || cut - start > 255) return false;
        names.emplace_back(p.substr(start, cut - start));
        start = cut + 1;
    }
    return true;
}

HKEY openHandle(Registry& r, device::RegKey* key) {
    uintptr_t v = r.nextHandle;
    r.nextHandle += 4;
    r.open[v] = key;
    return (HKEY)v;
}

std::u16string valueName(LPCWSTR name) { return name ? std::u16string(name) : std::u16string(); }

}  // namespace

namespace device {

void registryReload() {
    Registry& r = reg();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    r.open.clear();
    r.loaded = false;
    ensureLoaded(r);
}

bool registryFlush() {
    Registry& r = reg();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    if (!r.loaded || !r.dirty) return true;
    if (!regSaveFile(r.tree)) return false;
    r.dirty = false;
    return true;
}

}  // namespace device

LONG RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES,
                     PHKEY phkResult, LPDWORD lpdwDisposition) {
    Registry& r = reg();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    ensureLoaded(r);
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    device::RegKey* key = keyOf(r, hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    std::vector<std::u16string> names;
    if (!splitKeyPath(lpSubKey, names)) return ERROR_BAD_PATHNAME;
    bool created = false;
    for (const std::u16string& name : names) {
        device::RegKey* next = key->child(name);
        if (!next) {
            key->children.push_back(std::make_unique<device::RegKey>());
            next = key->children.back().get();
            next->name = name;
            created = true;
        }
        key = next;
    }
    if (created) r.dirty = true;
    if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *phkResult = openHandle(r, key);
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult) {
    Registry& r = reg();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    ensureLoaded(r);
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    device::RegKey* key = keyOf(r, hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    std::vector<std::u16string> names;
    if (!splitKeyPath(lpSubKey, names)) return ERROR_BAD_PATHNAME;
    for (const std::u16string& name : names) {
        key = key->child(name);
        if (!key) return ERROR_FILE_NOT_FOUND;
    }
    *phkResult = openHandle(r, key);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    Registry& r = reg();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    ensureLoaded(r);
    device::RegKey* key = keyOf(r, hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    device::RegValue* v = key->value(valueName(lpValueName));
    if (!v) return ERROR_FILE_NOT_FOUND;
    if (lpType) *lpType = v->type;
    if (!lpcbData) return ERROR_SUCCESS;
    DWORD size = (DWORD)v->data.size();
    if (lpData) {
        if (*lpcbData < size) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        if (size) memcpy(lpData, v->data.data(), size);
    }
    *lpcbData = size;
    return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    Registry& r = reg();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    ensureLoaded(r);
    device::RegKey* key = keyOf(r, hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
    std::u16string name = valueName(lpValueName);
    device::RegValue* v = key->value(name);
    if (!v) {
        key->values.push_back(device::RegValue{name, 0, {}});
        v = &key->values.back();
    }
    v->type = dwType;
    v->data.assign(lpData, lpData + cbData);
    r.dirty = true;
    return ERROR_SUCCESS;
}

LONG RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
    Registry& r = reg();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    ensureLoaded(r);
    device::RegKey* key = keyOf(r, hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    device::RegValue* v = key->value(valueName(lpValueName));
    if (!v) return ERROR_FILE_NOT_FOUND;
    key->values.erase(key->values.begin() + (v - key->values.data()));
    r.dirty = true;
    return ERROR_SUCCESS;
}

LONG RegFlushKey(HKEY hKey) {
    Registry& r = reg();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    ensureLoaded(r);
    if (!keyOf(r, hKey)) return ERROR_INVALID_HANDLE;
    return device::registryFlush() ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LONG RegCloseKey(HKEY hKey) {
    Registry& r = reg();
    std::lock_guard<std::recursive_mutex> g(r.lock);
    uintptr_t v = (uintptr_t)hKey, first = (uintptr_t)HKEY_CLASSES_ROOT;
    if (v >= first && v < first + device::kRegRoots) return ERROR_SUCCESS;
    if (!r.open.erase(v)) return ERROR_INVALID_HANDLE;
    // A failed write is retried at the next close or flush.
    device::registryFlush();
    return ERROR_SUCCESS;
}
