#include "common/paths.h"

#include <string>

#include "shlobj.h"
#include "windows.h"

namespace {

void copyOut(const std::u16string& text, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return;
    size_t length = text.size() < static_cast<size_t>(capacity - 1) ? text.size() : static_cast<size_t>(capacity - 1);
    std::char_traits<WCHAR>::copy(out, text.data(), length);
    out[length] = 0;
}

std::u16string textOf(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

}  // namespace

void getProgramFolder(WCHAR* out, int capacity) {
    // The module name is read into 200 characters, the last one a terminator,
    // as the settings path has always been built from it.
    WCHAR module[200] = {};
    DWORD length = GetModuleFileNameW(nullptr, module, 200);
    module[199] = 0;
    if (length == 0) module[0] = 0;
    std::u16string path = module;
    size_t slash = path.rfind(u'\\');
    // A backslash only at the very start means the root folder: empty.
    copyOut(slash == std::u16string::npos || slash == 0 ? std::u16string() : path.substr(0, slash), out, capacity);
}

void getDocumentsFolder(WCHAR* out, int capacity) {
    WCHAR folder[MAX_PATH] = {};
    if (SHGetSpecialFolderPath(nullptr, folder, CSIDL_PERSONAL, FALSE) && folder[0]) {
        folder[MAX_PATH - 1] = 0;
        copyOut(folder, out, capacity);
    } else {
        copyOut(u"\\My Documents", out, capacity);
    }
}

void getFolderPart(LPCWSTR path, WCHAR* out, int capacity) {
    std::u16string text = textOf(path);
    size_t slash = text.rfind(u'\\');
    copyOut(slash == std::u16string::npos ? std::u16string() : text.substr(0, slash), out, capacity);
}

void getFilePart(LPCWSTR path, WCHAR* out, int capacity) {
    std::u16string text = textOf(path);
    size_t slash = text.rfind(u'\\');
    copyOut(slash == std::u16string::npos ? text : text.substr(slash + 1), out, capacity);
}

int fileExists(LPCWSTR path) {
    if (!path || !*path) return 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    FindClose(search);
    return 1;
}

void makeUniqueFileName(LPCWSTR folder, LPCWSTR base, LPCWSTR extension, WCHAR* out, int capacity) {
    std::u16string candidate;
    for (int n = 1; n <= 1999; ++n) {
        std::string digits = std::to_string(n);
        candidate = textOf(folder) + u"\\" + textOf(base) + std::u16string(digits.begin(), digits.end()) +
                    textOf(extension);
        if (!fileExists(candidate.c_str())) break;
    }
    copyOut(candidate, out, capacity);
}
