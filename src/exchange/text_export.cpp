// Export List and the writing of a list as tab-indented text.
#include "exchange/text_export.h"

#include <string>
#include <vector>

#include "common/codepage.h"
#include "common/message_dialog.h"
#include "common/paths.h"
#include "dialogs/file_chooser.h"
#include "exchange/export_rows.h"
#include "exchange/list_file_format.h"
#include "exchange/remembered_paths.h"
#include "outline/current_items.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/item_statements.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"
#include "wcrt.h"

namespace {

void warn(HWND owner, LPCWSTR text) { messageDialog(owner, text, u"Warning Message", MD_STYLE_WARNING); }

void writeTabs(FILE* file, int depth) {
    for (int i = 0; i < depth; ++i) fputws(u"\t", file);
}

// One statement reads the whole list, rather than one per parent's
// children; false when it cannot be read to its end.
bool readList(sqlite3* db, const char* listName, ExportList* out) {
    ItemTable table = itemTableOf(db, listName);
    table.enciphered = attrCurrentList.bPassword == 1;
    Statement read = item_sql::prepare(
        table, "SELECT longID,$strText,bChecked,bNote,$strNoteText,intNumChild,longParentID FROM '@' WHERE "
               "longID > 0 ORDER BY longOrder;");
    if (!read.ready()) return false;
    sqlite3_stmt* statement = read.get();
    int code;
    while ((code = read.step()) == SQLITE_ROW) {
        ExportRow row;
        row.id = columnNumber(statement, 0);
        // The item's field holds 99 characters of text and 999 of note.
        char text[codePageBytes(ITEM_TEXT_CHARS)];
        columnText(statement, 1, text, codePageBytes(ITEM_TEXT_CHARS));
        WCHAR wide[ITEM_NOTE_CHARS];
        codePageToWide(text, wide, ITEM_TEXT_CHARS);
        row.text = wide;
        row.checked = int(columnNumber(statement, 2));
        row.hasNote = int(columnNumber(statement, 3));
        char note[codePageBytes(ITEM_NOTE_CHARS)];
        columnText(statement, 4, note, codePageBytes(ITEM_NOTE_CHARS));
        codePageToWide(note, wide, ITEM_NOTE_CHARS);
        row.note = wide;
        row.numChild = int(columnNumber(statement, 5));
        out->children[columnNumber(statement, 6)].push_back(out->rows.size());
        out->rows.push_back(row);
    }
    return code == SQLITE_DONE;
}

// The items under `parent` at `depth`, each followed by its note and, when
// it counts children, by its own children one level deeper. Every row has
// one parent, so the walk from the top level meets each row at most once;
// rows that do not descend from it are not written.
void writeChildren(FILE* file, const ExportList& list, LONG parent, int depth) {
    const std::vector<size_t>* children = list.childrenOf(parent);
    if (!children) return;
    for (size_t index : *children) {
        const ExportRow& row = list.rows[index];
        writeItemLine(file, depth, row.text.c_str(), row.checked == 1);
        if (row.hasNote == 1) writeNoteLines(file, depth, row.note.c_str());
        if (row.numChild > 0) writeChildren(file, list, row.id, depth + 1);
    }
}

}  // namespace

void writeTextList(FILE* file, LPCWSTR listName, const ExportList& list) {
    fputws(u"!", file);
    fputws(listName, file);
    fputws(u"\n", file);
    writeChildren(file, list, 0, 0);
}

void writeItemLine(FILE* file, int depth, LPCWSTR text, int checked) {
    writeTabs(file, depth);
    fputws(text ? text : u"", file);
    fputws(checked ? u"\tX\n" : u"\n", file);
}

void writeNoteLines(FILE* file, int depth, LPCWSTR note) {
    writeTabs(file, depth);
    fputws(u"~", file);
    std::u16string piece;
    for (const WCHAR* p = note ? note : u""; *p; ++p) {
        if (*p != u'\n') {
            piece += *p;
            continue;
        }
        piece += u'\n';
        fputws(piece.c_str(), file);
        piece.clear();
        writeTabs(file, depth);
        fputws(u"~", file);
    }
    piece += u'\n';
    fputws(piece.c_str(), file);
}

int exportList(HWND owner, LPCWSTR path) {
    if (!dbCurrent || !strCurrentList[0]) {
        warn(owner, u"Could not get record count!");
        return 0;
    }
    Statement count = item_sql::prepare(itemTableOf(dbCurrent, strCurrentList), "SELECT COUNT(*) FROM '@';");
    if (count.step() != SQLITE_ROW) {
        warn(owner, u"Could not get record count!");
        return 0;
    }
    const int rows = int(count.number(0));
    if (rows == 0) {
        warn(owner, u"Record count in list is zero!");
        return 0;
    }
    FILE* file = _wfopen(path, u"w");
    if (!file) {
        warn(owner, u"Could not open file!");
        return 0;
    }
    WCHAR name[CURRENT_LIST_BYTES];
    codePageToWide(strCurrentList, name, CURRENT_LIST_BYTES);
    ExportList list;
    if (!readList(dbCurrent, strCurrentList, &list)) {
        fclose(file);
        warn(owner, u"Error in retrieving database data!");
        return 0;
    }
    // The name given to the file chooses its format.
    switch (listFormatOfName(path)) {
        case LIST_FILE_OPML: writeOpmlList(file, name, list); break;
        case LIST_FILE_MARKDOWN: writeMarkdownList(file, name, list); break;
        default: writeTextList(file, name, list); break;
    }
    // A full store shows only when the buffered text is written out. Half a
    // list is no export: the piece that was written goes again.
    bool written = ferror(file) == 0;
    written = fclose(file) == 0 && written;
    if (!written) {
        const bool full = GetLastError() == ERROR_DISK_FULL;
        DeleteFileW(path);
        warn(owner, full ? u"The list could not be exported because the storage is full." : u"Could not open file!");
        return 0;
    }
    return 1;
}

LRESULT onExportList(HWND hwnd, int, HWND, int) {
    WCHAR path[CHOOSER_PATH_CHARS] = {};
    if (readRegistryText(REGISTRY_PREVIOUS_EXPORT, path, CHOOSER_PATH_CHARS) != 0 || !path[0]) {
        getDocumentsFolder(path, CHOOSER_PATH_CHARS);
        wcsncat(path, u"\\export_list.txt", size_t(CHOOSER_PATH_CHARS - 1) - wcslen(path));
    }
    FileChooserRequest request = {path, u"Export List to a File", kListFileExtensions, CHOOSE_NEW_FILE, CHOOSER_PATH_CHARS};
    int chosen = chooseFile(hwnd, &request);
    if (hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
    if (!chosen || !path[0]) return 0;
    writeRegistryText(REGISTRY_PREVIOUS_EXPORT, path);
    flushRegistryKey();
    setWaitCursor(1);
    exportList(hwnd, path);
    setWaitCursor(0);
    return 0;
}
