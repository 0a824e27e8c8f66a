// Import List: a tab-indented text file (the form Export List writes) read
// into a new list or appended to the current one, with a progress window.
#pragma once

#include <string>

#include "state/command_handler.h"
#include "windows.h"

// Room for one line read, terminator included.
enum { IMPORT_LINE_CHARS = 1000 };

// 40043 "Import List...": chooses the file (remembered as
// "previousimportfolder"), asks where it goes when the database has lists,
// and imports it.
LRESULT onImportList(HWND hwnd, int id, HWND hwndCtl, int code);
// Imports the file at `path` as Import List does once a file is chosen:
// the text check, where it goes, the progress and the messages. Always 0.
LRESULT importListFile(HWND hwnd, LPCWSTR path);

// Reads the file at `path` into the current list (strCurrentList of
// dbCurrent): OPML or Markdown by its name or content (listFormatOfFile),
// else text in lines of at most lineCapacity - 1 characters, in one
// transaction; `progress` (may be null) shows how far it got. On a faulty
// line it closes the progress window, tells the user and keeps the items
// read before it. 1 read to its end, 0 stopped.
int importList(HWND owner, HWND progress, LPCWSTR path, int lineCapacity);

struct OutlineDocument;
// Inserts an outline read from an OPML or Markdown file into the current
// list as importList inserts the lines of a text file, with the same rules
// and messages. 1 inserted it all, 0 stopped.
int importOutline(HWND owner, HWND progress, const OutlineDocument& outline);

// The name of a list imported into a new list, from the file's first line:
// "!" and a name, or "List"; single quotes become "_"; a name the list-name
// box `box` has already gets " 1", " 2", ... The result fits a list name.
void makeImportListName(LPCWSTR firstLine, HWND box, WCHAR* out, int capacity);
// The same with the names of any list-name box.
class ListNameBox;
void makeImportListName(LPCWSTR firstLine, ListNameBox& box, WCHAR* out, int capacity);

// --- the rules of one line (for the import and its tests) --------------------

struct ImportLine {
    int skip = 0;       // a "!" line, or nothing on it
    int depth = 0;      // the tabs among its leading blanks and tabs
    int checked = 0;    // it ends in a tab and "X"
    int note = 0;       // it is a note line ("~")
    std::u16string text;  // the item text, or the note text after "~"
};
// Splits one line as read (its line feed and what follows are dropped).
ImportLine parseImportLine(const WCHAR* line);

// 1 when the file at `path` looks like text: no NUL bytes at its start
// unless it begins with a UTF-16 byte order mark.
int looksLikeText(LPCWSTR path);

// The import options dialog (template 163): 1 into a new list, 2 into the
// current list, 0 cancelled. `currentAllowed` 0 disables the second choice.
int runImportOptions(HWND owner, int currentAllowed);
