// The formats a list file can have: tab-indented text, OPML or Markdown.
#pragma once

#include "windows.h"

enum ListFileFormat {
    LIST_FILE_TEXT = 0,
    LIST_FILE_OPML = 1,
    LIST_FILE_MARKDOWN = 2,
};

// The extensions the chooser offers for Import and Export List.
extern const WCHAR kListFileExtensions[];

// The format a file name asks for by its extension (".opml"; ".md" or
// ".markdown"; anything else is text), ignoring letter case.
int listFormatOfName(LPCWSTR path);

// The format of a file to import: by its extension, and a file of any
// other name whose content starts with "<?xml" or "<opml" (after a byte
// order mark and white space) is OPML.
int listFormatOfFile(LPCWSTR path);
