#include "exchange/import_steps.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/codepage.h"
#include "common/message_dialog.h"
#include "dialogs/progress_window.h"
#include "exchange/list_file_format.h"
#include "exchange/text_import.h"
#include "lists/list_management.h"
#include "state/app_state.h"
#include "storage/list_attributes.h"
#include "wcrt.h"

namespace {

// The first line of the file, at most 199 characters; empty when the file
// is empty.
bool readFirstLine(LPCWSTR path, WCHAR* line, int capacity) {
    FILE* file = _wfopen(path, u"r");
    if (!file) return false;
    if (!fgetws(line, capacity, file)) line[0] = 0;
    fclose(file);
    return true;
}

// The first line a text file of the outline would have: "!" and the
// outline's title, which names the new list.
void titleLine(const OutlineDocument& outline, WCHAR* line, int capacity) {
    std::u16string title = u"!" + outline.title;
    size_t length = std::min(title.size(), size_t(capacity - 1));
    std::char_traits<WCHAR>::copy(line, title.data(), length);
    line[length] = 0;
}

void tell(HWND owner, HWND progress, LPCWSTR text, LPCWSTR caption) {
    closeProgressWindow(progress);
    messageDialog(owner, text, caption, MD_STYLE_WARNING);
}

}  // namespace

bool createListForImport(HWND owner, HWND progress, const char* name) {
    ListAttributes attributes = attrCurrentList;
    attributes.bPassword = 0;
    attributes.strPassword[0] = 0;
    codePageToWide(name, attributes.strListName, LIST_NAME_CHARS);
    if (!createList(name, attributes)) {
        tell(owner, progress, u"Failed to create new list!", u"Error");
        return false;
    }
    attrCurrentList = attributes;
    bListLocked = 0;
    bNoLists = 0;
    std::char_traits<char>::copy(strCurrentList, name, std::char_traits<char>::length(name) + 1);
    return true;
}

const OutlineDocument* ImportSource::read() const { return format != LIST_FILE_TEXT ? &outline : nullptr; }

int looksLikeText(LPCWSTR path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;  // opening it will say what is wrong
    unsigned char head[4096];
    DWORD got = 0;
    BOOL read = ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    if (!read || got < 2) return 1;
    bool utf16 = (head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF);
    if (utf16) return 1;
    for (DWORD i = 0; i < got; ++i)
        if (head[i] == 0) return 0;
    return 1;
}

int readImportSource(HWND owner, LPCWSTR path, ImportSource* source) {
    source->format = listFormatOfFile(path);
    // A picture or a database renamed .txt would come in as lists of noise;
    // XML names its own encoding, and the parser judges it.
    if (source->format != LIST_FILE_OPML && !looksLikeText(path)) {
        messageDialog(owner, u"The selected file is not a text file!", u"Warning Message", MD_STYLE_WARNING);
        return 0;
    }
    // An outline is read whole before anything changes, so that a file
    // that is not one leaves the lists as they were.
    if (source->format != LIST_FILE_TEXT) {
        std::u16string message;
        if (!readOutlineFile(path, source->format, &source->outline, &message)) {
            messageDialog(owner, message.c_str(), u"Warning Message", MD_STYLE_WARNING);
            return 0;
        }
    }
    return 1;
}

bool createImportList(HWND owner, HWND progress, LPCWSTR path, const ImportSource& source, ListNameBox& names) {
    WCHAR firstLine[200] = {};
    if (const OutlineDocument* outline = source.read()) {
        titleLine(*outline, firstLine, 200);
    } else if (!readFirstLine(path, firstLine, 200)) {
        tell(owner, progress, u"Could not open file!", u"Warning Message");
        return false;
    }
    WCHAR name[LIST_NAME_CHARS];
    makeImportListName(firstLine, names, name, LIST_NAME_CHARS);
    char stored[codePageBytes(LIST_NAME_CHARS)];
    wideToCodePage(name, stored, sizeof stored, LIST_NAME_CHARS - 1);
    return createListForImport(owner, progress, stored);
}

int importIntoCurrentList(HWND owner, HWND progress, LPCWSTR path, const ImportSource& source) {
    const OutlineDocument* outline = source.read();
    return outline ? importOutline(owner, progress, *outline) : importList(owner, progress, path, IMPORT_LINE_CHARS);
}
