// An outline read from an OPML or Markdown file, before it goes into a
// list: the rows Import List inserts, in the order it inserts them, with
// the depth of each, and the name a new list takes from the file.
#pragma once

#include <string>
#include <vector>

#include "exchange/text_import.h"
#include "windows.h"

struct OutlineRow {
    int depth = 0;        // 0 = top level; a reader may jump, the import says so
    std::u16string text;  // as the file has it (one line is made of it later)
    int checked = 0;
    std::u16string note;  // line feeds, or carriage returns and line feeds, between lines
};

struct OutlineDocument {
    std::u16string title;  // the list's name in the file; empty when it has none
    std::vector<OutlineRow> rows;
};

// Nesting deeper than this is refused: no one keeps such a list, and the
// readers would walk it on the stack.
enum { OUTLINE_MAX_DEPTH = 1000 };

// Read the whole text of a file (`size` bytes at `bytes`). 1 when it is an
// outline; 0 with a message for the person when it is not.
int readOpml(const char* bytes, size_t size, OutlineDocument* out, std::u16string* message);
int readMarkdown(const char* bytes, size_t size, OutlineDocument* out, std::u16string* message);

// Reads the file at the device path `path` in `format` (LIST_FILE_OPML or
// LIST_FILE_MARKDOWN); 0 with the message when it cannot.
int readOutlineFile(LPCWSTR path, int format, OutlineDocument* out, std::u16string* message);

// The lines the tab-indented text would have for the outline: each row an
// item line at its depth (its text one line, blanks trimmed), followed by
// its note as a note line with carriage returns and line feeds.
std::vector<ImportLine> importLinesOf(const OutlineDocument& outline);

// UTF-8 (invalid sequences as U+FFFD) to wide text.
std::u16string wideFromUtf8(const char* text, size_t size);
