// The chooser's rules on names and paths: extensions, node paths, where a
// request starts and what mode 4 returns, and which folder entries the
// tree shows.
#include <string>

#include "dialogs/file_chooser.h"
#include "wcrt.h"

namespace {

std::u16string textOf(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

void copyOut(const std::u16string& text, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return;
    size_t length = text.size() < size_t(capacity - 1) ? text.size() : size_t(capacity - 1);
    std::char_traits<WCHAR>::copy(out, text.data(), length);
    out[length] = 0;
}

}  // namespace

int matchedExtensionLength(LPCWSTR name, LPCWSTR extensions) {
    if (!name || !extensions) return 0;
    size_t n = wcslen(name);
    for (const WCHAR* e = extensions; *e;) {
        const WCHAR* stop = wcschr(e, u';');
        size_t length = stop ? size_t(stop - e) : wcslen(e);
        if (length > 0 && n >= length && _wcsnicmp(name + (n - length), e, length) == 0) return int(length);
        if (!stop) break;
        e = stop + 1;
    }
    return 0;
}

int endsWithExtension(LPCWSTR name, LPCWSTR extensions) { return matchedExtensionLength(name, extensions) > 0; }

int pictureForFile(LPCWSTR name) {
    if (endsWithExtension(name, u".exe")) return CHOOSER_PIC_PROGRAM;
    if (endsWithExtension(name, u".db")) return CHOOSER_PIC_DATABASE;
    return CHOOSER_PIC_DOCUMENT;
}

void joinNodePath(LPCWSTR parentPath, LPCWSTR label, WCHAR* out, int capacity) {
    std::u16string parent = textOf(parentPath);
    // The root's label is the backslash itself; it gives no second one.
    if (parent != u"\\") parent += u'\\';
    copyOut(parent + textOf(label), out, capacity);
}

void requestStartFolder(const FileChooserRequest& request, WCHAR* out, int capacity) {
    std::u16string path = textOf(request.strPath);
    if (request.intMode != CHOOSE_NEW_FILE) return copyOut(path, out, capacity);
    size_t slash = path.rfind(u'\\');
    if (slash == std::u16string::npos) return copyOut(u"", out, capacity);
    copyOut(slash == 0 ? std::u16string(u"\\") : path.substr(0, slash), out, capacity);
}

void requestFileName(const FileChooserRequest& request, WCHAR* out, int capacity) {
    std::u16string path = textOf(request.strPath);
    size_t slash = path.rfind(u'\\');
    copyOut(slash == std::u16string::npos ? path : path.substr(slash + 1), out, capacity);
}

void newFilePath(LPCWSTR nodePath, LPCWSTR extension, LPCWSTR typedName, WCHAR* out, int capacity) {
    std::u16string folder = textOf(nodePath);
    if (endsWithExtension(folder.c_str(), extension)) {
        // A file node is selected: the new file goes beside it.
        size_t slash = folder.rfind(u'\\');
        folder = slash == std::u16string::npos ? std::u16string() : folder.substr(0, slash);
        if (folder.empty()) folder = u"\\";
    }
    if (folder.empty() || folder.back() != u'\\') folder += u'\\';
    copyOut(folder + textOf(typedName), out, capacity);
}

void folderPattern(LPCWSTR folder, WCHAR* out, int capacity) {
    std::u16string path = textOf(folder);
    copyOut(path + (path == u"\\" ? u"*.*" : u"\\*.*"), out, capacity);
}

int isListedFile(LPCWSTR name, int mode, LPCWSTR extension) {
    if (mode == CHOOSE_FOLDER || !name || !extension) return 0;
    int matched = matchedExtensionLength(name, extension);
    return matched > 0 && wcslen(name) > size_t(matched);
}

int folderHasContent(LPCWSTR path, int mode, LPCWSTR extension) {
    WCHAR pattern[MAX_PATH + 4];
    folderPattern(path, pattern, MAX_PATH + 4);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int content = 0;
    do {
        if (found.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY)
            content = 1;
        else if (mode != CHOOSE_FOLDER && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                 endsWithExtension(found.cFileName, extension))
            content = 1;
    } while (!content && FindNextFileW(search, &found));
    FindClose(search);
    return content;
}
