// The steps of Import List that need no window: what the file holds, the
// new list it goes into, and reading it into the current list. The menu
// command (import_command.cpp) runs them between its dialogs and progress
// window; the command line runs them as they are.
#pragma once

#include "exchange/outline_document.h"
#include "storage/list_name_box.h"
#include "windows.h"

// What a file to import holds, read before anything changes.
struct ImportSource {
    int format = 0;           // ListFileFormat
    OutlineDocument outline;  // an OPML or Markdown file's outline, read whole
    // The outline, or null for a text file (read line by line as it goes in).
    const OutlineDocument* read() const;
};

// Checks the file at `path`: a file that is not text (OPML aside, whose
// parser judges it) and an OPML or Markdown file that does not read as an
// outline are refused with the program's message. 1 and `source` filled,
// or 0 told.
int readImportSource(HWND owner, LPCWSTR path, ImportSource* source);

// Creates the new list the file goes into and makes it current and active
// (strCurrentList, unlocked, the attributes of the list that was current
// without its password): named by a text file's first line or the outline's
// title, made unique among `names`. False when it cannot, after closing
// `progress` (may be null) and telling the person.
bool createImportList(HWND owner, HWND progress, LPCWSTR path, const ImportSource& source, ListNameBox& names);

// Creates the list `name` (code-page text of a valid, unused name) as
// createImportList does once it has named it.
bool createListForImport(HWND owner, HWND progress, const char* name);

// Reads the file into the current list with importList or importOutline;
// 1 read to its end, 0 stopped (told).
int importIntoCurrentList(HWND owner, HWND progress, LPCWSTR path, const ImportSource& source);
