// LoadLibraryW, GetProcAddressW and FreeLibrary over the images of
// module_images.h.
#include <map>
#include <mutex>

#include "platform/system/code_page.h"
#include "platform/system/device_fs.h"
#include "platform/system/module_images.h"
#include "platform/system/program_identity.h"
#include "platform/system/text_fields.h"
#include "winerror.h"

namespace device {
namespace {

struct Library {
    std::u16string hostKey;  // the file it was loaded from, as the host names it
    std::vector<ModuleExport> exports;
    int references = 0;
};

struct Modules {
    std::mutex lock;
    std::map<std::u16string, std::vector<ModuleExport>> images;
    std::map<uintptr_t, Library> loaded;
    uintptr_t nextHandle = 0x10000000;
};

Modules& modules() {
    static Modules m;
    return m;
}

// The exports a library file gives, checked against its image; false when
// the file is no library.
bool parseLibrary(const Modules& m, const std::string& text, std::vector<ModuleExport>& out) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t eol = text.find('\n', start);
        std::string_view line(text.data() + start, (eol == std::string::npos ? text.size() : eol) - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) lines.push_back(line);
        start = eol == std::string::npos ? text.size() : eol + 1;
    }
    if (lines.size() < 2 || lines[0] != deviceFileHeader("library") || lines[1].substr(0, 6) != "image ") return false;
    auto image = m.images.find(utf8ToWide(lines[1].substr(6)));
    if (image == m.images.end()) return false;
    out.clear();
    for (size_t i = 2; i < lines.size(); ++i) {
        if (lines[i].substr(0, 7) != "export ") return false;
        std::u16string name = utf8ToWide(lines[i].substr(7));
        const ModuleExport* found = nullptr;
        for (const ModuleExport& e : image->second)
            if (e.name == name) found = &e;
        if (!found) return false;
        out.push_back(*found);
    }
    return true;
}

// Where a library name leads: a bare name is looked for in "\Windows".
std::u16string libraryPath(LPCWSTR name) {
    std::u16string n(name);
    if (n.find(u'\\') != std::u16string::npos || n.find(u'/') != std::u16string::npos) return n;
    return u"\\Windows\\" + n;
}

// The loaded library of a handle; nullptr (ERROR_INVALID_HANDLE) for none.
Library* find(Modules& m, HMODULE h) {
    auto it = m.loaded.find((uintptr_t)h);
    if (it != m.loaded.end()) return &it->second;
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

}  // namespace

void registerModuleImage(std::u16string_view image, std::vector<ModuleExport> exports) {
    Modules& m = modules();
    std::lock_guard<std::mutex> g(m.lock);
    m.images[std::u16string(image)] = std::move(exports);
}

std::string moduleFileText(std::u16string_view image) {
    Modules& m = modules();
    std::lock_guard<std::mutex> g(m.lock);
    auto it = m.images.find(std::u16string(image));
    if (it == m.images.end()) return {};
    std::string text = deviceFileHeader("library") + "\nimage " + wideToUtf8(image) + "\n";
    for (const ModuleExport& e : it->second) text += "export " + wideToUtf8(e.name) + "\n";
    return text;
}

bool writeModuleFile(std::u16string_view devicePath, std::u16string_view image) {
    std::string text = moduleFileText(image);
    if (text.empty()) return false;
    // A library already in place is left alone: rewriting it at every start
    // would need room the store may not have.
    std::vector<uint8_t> present;
    if (readDeviceFile(devicePath, present) && std::string(present.begin(), present.end()) == text) return true;
    return replaceDeviceFile(devicePath, text);
}

}  // namespace device

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) {
    using namespace device;
    if (!lpLibFileName || !*lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::u16string path = libraryPath(lpLibFileName);
    ResolvedPath r;
    if (resolveDevicePath(path, r) != ERROR_SUCCESS || !r.exists || r.isFolder) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    std::vector<uint8_t> bytes;
    if (!readDeviceFile(path, bytes)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    Modules& m = modules();
    std::lock_guard<std::mutex> g(m.lock);
    std::u16string key = utf8ToWide(r.host);
    for (auto& [handle, lib] : m.loaded) {
        if (lib.hostKey == key) {
            ++lib.references;
            return (HMODULE)handle;
        }
    }
    Library lib;
    if (!parseLibrary(m, std::string(bytes.begin(), bytes.end()), lib.exports)) {
        SetLastError(ERROR_BAD_EXE_FORMAT);
        return nullptr;
    }
    lib.hostKey = key;
    lib.references = 1;
    uintptr_t handle = m.nextHandle;
    m.nextHandle += 0x10000;
    m.loaded[handle] = std::move(lib);
    return (HMODULE)handle;
}

FARPROC GetProcAddressW(HMODULE hModule, LPCWSTR lpProcName) {
    using namespace device;
    Modules& m = modules();
    std::lock_guard<std::mutex> g(m.lock);
    Library* lib = find(m, hModule);
    if (!lib) return nullptr;
    // Entries are found by name only; none of these libraries numbers them.
    if (lpProcName && !IS_INTRESOURCE(lpProcName)) {
        for (const ModuleExport& e : lib->exports)
            if (e.name == lpProcName) return e.proc;
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE hLibModule) {
    using namespace device;
    Modules& m = modules();
    std::lock_guard<std::mutex> g(m.lock);
    Library* lib = find(m, hLibModule);
    if (!lib) return FALSE;
    if (--lib->references == 0) m.loaded.erase((uintptr_t)hLibModule);
    return TRUE;
}
