// The list the program's benchmarks measure: 10,000 items, 1,000 at the top
// level, each with a chain of six descendants (depth 1 to 6) and three more
// children; every other top-level item is stored expanded, and a tenth of
// all items have a note.
#pragma once

#include <string>

#include "storage/sql_helpers.h"

namespace bench {

inline void addBigListRow(sqlite3* db, const char* list, LONG id, LONG parent, LONG order, int numChild,
                          int expand) {
    char error[200];
    bool note = id % 10 == 0;
    std::string sql = formatSql(
        "INSERT INTO '%s' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,bNodeExpand,strNoteText,"
        "intNumChild) VALUES (%ld,%ld,%ld,'Item number %ld of the list',0,1,%d,%d,'%s',%d);",
        list, (long)id, (long)parent, (long)order, (long)id, note ? 1 : 0, expand,
        note ? "A note that goes with this item" : "", numChild);
    executeSql(db, sql.c_str(), error, sizeof error);
}

// Fills the (existing, empty) item table `list` in one transaction.
inline void buildBigList(sqlite3* db, const char* list) {
    char error[200];
    executeSql(db, "BEGIN TRANSACTION;", error, sizeof error);
    LONG id = 1;
    for (int top = 0; top < 1000; ++top) {
        LONG topId = id++;
        int expand = top % 2 == 0 ? 1 : 0;
        addBigListRow(db, list, topId, 0, top + 1, 4, expand);
        LONG parent = topId;
        for (int depth = 1; depth <= 6; ++depth) {
            LONG chainId = id++;
            addBigListRow(db, list, chainId, parent, 1, depth < 6 ? 1 : 0, expand);
            parent = chainId;
        }
        for (int extra = 0; extra < 3; ++extra) addBigListRow(db, list, id++, topId, extra + 2, 0, 0);
    }
    executeSql(db, "COMMIT;", error, sizeof error);
}

}  // namespace bench
