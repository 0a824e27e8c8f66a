// A list as Export List reads it, and the writers of the file formats it
// can go out in. Each writer walks the rows from the top level in sibling
// order; only rows that descend from the top level are written.
#pragma once

#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "windows.h"

// One item as the export reads it.
struct ExportRow {
    LONG id;
    int checked;
    int hasNote;
    int numChild;
    std::u16string text;
    std::u16string note;
};

// Every live row of the list, grouped under its parent in sibling order.
struct ExportList {
    std::vector<ExportRow> rows;
    std::unordered_map<LONG, std::vector<size_t>> children;

    // The rows under `parent` in sibling order; null when it has none.
    const std::vector<size_t>* childrenOf(LONG parent) const {
        auto found = children.find(parent);
        return found == children.end() ? nullptr : &found->second;
    }
};

// Tab-indented text: "!" and the name, then the items and their "~" notes.
void writeTextList(FILE* file, LPCWSTR listName, const ExportList& list);
// OPML 2.0: the name as the head's title, an outline per item.
void writeOpmlList(FILE* file, LPCWSTR listName, const ExportList& list);
// Markdown: the name as a heading, the items as a task list.
void writeMarkdownList(FILE* file, LPCWSTR listName, const ExportList& list);
