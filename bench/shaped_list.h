// The list shape the big-list benchmarks measure, made at bench time for any
// size N: N/10 top-level items, descendants down to depth 6, every tenth item
// with a note, and one branch (the middle top-level item) of N/10 items.
// Identifiers follow the outline's order, so the last item is the last one a
// walk from the top reaches; its text alone holds the word "needle".
#pragma once

#include <sqlite3.h>

#include <algorithm>
#include <string>

#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/sql_helpers.h"

namespace bench {

struct ShapedList {
    long items = 0;
    long branchRoot = 0;   // the branch of items / 10
    long branchItems = 0;  // its root included
    long lastItem = 0;
};

class ShapedListWriter {
public:
    ShapedListWriter(sqlite3* db, const std::string& list) : db_(db) {
        std::string sql = "INSERT INTO '" + list +
                          "' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,bNodeExpand,strNoteText,"
                          "intNumChild) VALUES (?,?,?,?,0,1,?,?,?,?);";
        sqlite3_prepare_v2(db, sql.c_str(), -1, &insert_, nullptr);
    }
    ~ShapedListWriter() { sqlite3_finalize(insert_); }
    ShapedListWriter(const ShapedListWriter&) = delete;
    ShapedListWriter& operator=(const ShapedListWriter&) = delete;

    ShapedList write(long items) {
        ShapedList shape;
        shape.items = items;
        total_ = items;
        const long tops = std::max(1L, items / 10);
        const long branch = std::max(1L, items / 10);
        const long branchAt = tops / 2;
        long rest = std::max(0L, items - tops - (branch - 1));
        const long others = tops > 1 ? tops - 1 : 1;
        sqlite3_exec(db_, "BEGIN;", nullptr, nullptr, nullptr);
        for (long top = 0; top < tops; ++top) {
            long below = top == branchAt ? branch - 1 : rest / others + (top - (top > branchAt) < rest % others);
            if (top == tops - 1) below = std::max(0L, items - next_ - 1);  // the last one takes what is left
            if (top == branchAt) {
                shape.branchRoot = next_ + 1;
                shape.branchItems = below + 1;
            }
            node(0, top + 1, 1, below, top % 2 == 0);
        }
        sqlite3_exec(db_, "COMMIT;", nullptr, nullptr, nullptr);
        shape.lastItem = next_;
        return shape;
    }

private:
    // Smallest k with k^levels >= count: the fan-out that fits `count`
    // items into `levels` levels.
    static long fanOut(long count, int levels) {
        if (levels <= 1) return count;
        long k = 1;
        for (;;) {
            long capacity = 1;
            for (int i = 0; i < levels && capacity < count; ++i) capacity *= k;
            if (capacity >= count) return k;
            ++k;
        }
    }

    // One item at `depth` (1 = top level) with `below` items under it.
    void node(long parent, long order, int depth, long below, bool expand) {
        const long id = ++next_;
        const long children = below == 0 ? 0 : std::min(below, fanOut(below, 6 - depth));
        const bool last = id == total_;
        std::string text = "Item " + std::to_string(id) + (last ? " needle" : " of the list");
        std::string note = id % 10 == 0 ? "A note that goes with item " + std::to_string(id) : "";
        sqlite3_bind_int64(insert_, 1, id);
        sqlite3_bind_int64(insert_, 2, parent);
        sqlite3_bind_int64(insert_, 3, order);
        sqlite3_bind_text(insert_, 4, text.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert_, 5, note.empty() ? 0 : 1);
        sqlite3_bind_int(insert_, 6, expand && children > 0 ? 1 : 0);
        sqlite3_bind_text(insert_, 7, note.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert_, 8, children);
        sqlite3_step(insert_);
        sqlite3_reset(insert_);
        long left = below - children;
        for (long c = 0; c < children; ++c) {
            long share = left / children + (c < left % children ? 1 : 0);
            node(id, c + 1, depth + 1, share, expand);
        }
    }

    sqlite3* db_;
    sqlite3_stmt* insert_ = nullptr;
    long next_ = 0;
    long total_ = 0;
};

// A fresh database file at host path `file` holding one active list of that
// shape, with the default attributes; false when it cannot be written.
inline bool makeShapedDatabase(const char* file, long items, const std::string& list, ShapedList* shape) {
    sqlite3* db = nullptr;
    // A host path, so SQLite's own file layer rather than the device's.
    if (items <= 0 ||
        sqlite3_open_v2(file, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, "unix") != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    char error[200];
    bool ok = createTable(db, "VersionData", VERSION_DATA_COLUMNS, error, sizeof error) &&
              executeSql(db, "INSERT INTO VersionData VALUES (1);", error, sizeof error) == SQLITE_DONE &&
              createTable(db, "ListAttributes", LIST_ATTRIBUTES_COLUMNS, error, sizeof error) &&
              createItemTable(db, list.c_str()) && writeListAttributes(db, list.c_str(), defaultListAttributes()) &&
              setActiveList(db, list.c_str());
    if (ok) *shape = ShapedListWriter(db, list).write(items);
    sqlite3_close(db);
    return ok;
}

}  // namespace bench
