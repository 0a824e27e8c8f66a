#include "exchange/remembered_paths.h"

#include "wcrt.h"

namespace {

HKEY openKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, REGISTRY_KEY_PATH, 0, 0, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

}  // namespace

int readRegistryText(LPCWSTR valueName, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return 1;
    out[0] = 0;
    HKEY key = openKey();
    if (!key) return 1;
    WCHAR value[REGISTRY_TEXT_BYTES / sizeof(WCHAR) + 1] = {};
    DWORD bytes = REGISTRY_TEXT_BYTES;
    DWORD type = 0;
    LONG result = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<LPBYTE>(value), &bytes);
    RegCloseKey(key);
    // Only text counts: a value of another type is no path.
    if (result != ERROR_SUCCESS || type != REG_SZ) return 1;
    value[bytes / sizeof(WCHAR)] = 0;  // a value stored without its terminator
    wcsncpy(out, value, size_t(capacity - 1));
    out[capacity - 1] = 0;
    return 0;
}

int writeRegistryText(LPCWSTR valueName, LPCWSTR text) {
    HKEY key = openKey();
    if (!key) return 1;
    const WCHAR* value = text ? text : u"";
    DWORD bytes = DWORD((wcslen(value) + 1) * sizeof(WCHAR));
    LONG result = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    RegCloseKey(key);
    flushRegistryKey();
    return result == ERROR_SUCCESS ? 0 : 1;
}

void flushRegistryKey() {
    HKEY key = openKey();
    if (!key) return;
    RegFlushKey(key);
    RegCloseKey(key);
}
