#include "storage/database.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"

const char* const VERSION_DATA_COLUMNS = "SchemaVersion INTEGER";

const char* const LIST_ATTRIBUTES_COLUMNS =
    " strListName TEXT,strBitmapFile TEXT,strPassword TEXT,crBackground INTEGER,crListName INTEGER"
    ",crNoteBackground INTEGER,crNoteText INTEGER,intButtonType INTEGER,intCompletionShow INTEGER"
    ",crItemLevel0 INTEGER,crItemLevel1 INTEGER,crItemLevel2 INTEGER,crItemLevel3 INTEGER"
    ",crItemLine INTEGER,crItemCheck INTEGER,crItemHidden INTEGER,bUseBitmapFile BOOLEAN"
    ",bPassword BOOLEAN,bCheckbox BOOLEAN,bHideChecked BOOLEAN,bAlphaSort BOOLEAN,bCheckSort BOOLEAN"
    ",bRootBold BOOLEAN,bStrikeCheck BOOLEAN,bColorChecked BOOLEAN,bAutoCheck BOOLEAN"
    ",bShowHiddenItems BOOLEAN,bHiliteHiddenItems BOOLEAN,bActive BOOLEAN";

const char* const ITEM_TABLE_COLUMNS =
    "longID INTEGER PRIMARY KEY,longParentID INTEGER,longOrder INTEGER,strText TEXT,bChecked BOOLEAN"
    ",bDisplay BOOLEAN,bNote BOOLEAN,bNodeExpand BOOLEAN,strNoteText TEXT,intNumChild INTEGER";

namespace {

const int PATH_BYTES = 200;

// Closes a file that is being refused. Unlike closeDatabaseFile it does not
// compact: a refused file must stay exactly as it was.
void closeRefused(sqlite3* db) { sqlite3_close(db); }

void indexItemTables(sqlite3* db);

// Whether the file can be used as a list database at all: it must be
// writable, not held by another writer, and intact. Checked before anything
// is written, so a refused file is never touched. Taking the write lock and
// releasing it without a change writes nothing.
bool usable(sqlite3* db) {
    if (sqlite3_db_readonly(db, "main") != 0) return false;
    char errorText[200];
    if (executeSql(db, "BEGIN IMMEDIATE;", errorText, sizeof errorText) != SQLITE_DONE) return false;
    if (executeSql(db, "COMMIT;", errorText, sizeof errorText) != SQLITE_DONE) {
        executeSql(db, "ROLLBACK;", errorText, sizeof errorText);
        return false;
    }
    // A damaged file whose first page still reads would open and lose lists
    // later; its pages are checked here instead.
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, "PRAGMA quick_check(1);", -1, &statement, nullptr) != SQLITE_OK || !statement)
        return false;
    bool intact = false;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        const unsigned char* verdict = sqlite3_column_text(statement, 0);
        intact = verdict && std::strcmp(reinterpret_cast<const char*>(verdict), "ok") == 0;
    }
    sqlite3_finalize(statement);
    return intact;
}

}  // namespace

sqlite3* openDatabaseFile(LPCWSTR path) {
    if (!path || !*path) return nullptr;
    // A path cut to fit would name another file, and opening it could create
    // that file; a path that does not fit is refused instead.
    if (std::char_traits<WCHAR>::length(path) > PATH_BYTES - 1) return nullptr;
    char narrow[codePageBytes(PATH_BYTES)];
    wideToCodePage(path, narrow, sizeof narrow, PATH_BYTES - 1);
    sqlite3* db = nullptr;
    if (sqlite3_open(narrow, &db) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

int closeDatabaseFile(sqlite3* db) {
    if (!db) return SQLITE_OK;
    char errorText[200];
    executeSql(db, "VACUUM", errorText, sizeof errorText);
    return sqlite3_close(db);
}

sqlite3* openListDatabase(LPCWSTR path) {
    sqlite3* db = openDatabaseFile(path);
    if (!db) return nullptr;
    if (!usable(db)) {
        closeRefused(db);
        return nullptr;
    }
    bool hasListAttributes = tableExists(db, "ListAttributes") == 1;
    bool hasVersionData = tableExists(db, "VersionData") == 1;
    if (hasVersionData && readSchemaVersion(db) != SCHEMA_VERSION) {
        closeRefused(db);
        return nullptr;
    }
    if (!hasVersionData || !hasListAttributes) {
        // The missing tables are added together or not at all, so a file
        // that cannot be completed is left as it was.
        char errorText[200];
        bool done = executeSql(db, "BEGIN TRANSACTION;", errorText, sizeof errorText) == SQLITE_DONE;
        if (done && !hasVersionData) {
            std::string insert = formatSql("INSERT INTO VersionData VALUES (%d);", SCHEMA_VERSION);
            done = createTable(db, "VersionData", VERSION_DATA_COLUMNS, errorText, sizeof errorText) &&
                   executeSql(db, insert.c_str(), errorText, sizeof errorText) == SQLITE_DONE;
        }
        if (done && !hasListAttributes)
            done = createTable(db, "ListAttributes", LIST_ATTRIBUTES_COLUMNS, errorText, sizeof errorText);
        if (done) done = executeSql(db, "COMMIT;", errorText, sizeof errorText) == SQLITE_DONE;
        if (!done) {
            executeSql(db, "ROLLBACK;", errorText, sizeof errorText);
            closeRefused(db);
            return nullptr;
        }
    }
    indexItemTables(db);
    registerSqlFunctions(db);
    return db;
}

int readSchemaVersion(sqlite3* db) {
    if (!db || countTables(db) == 0) return -1;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, "SELECT SchemaVersion FROM VersionData;", -1, &statement, nullptr) != SQLITE_OK ||
        !statement)
        return -1;
    int version = 1;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_count(statement) > 0) {
        char text[200];
        columnText(statement, 0, text, sizeof text);
        WCHAR wide[200];
        codePageToWide(text, wide, 200);
        version = readDecimal(wide);
    }
    sqlite3_finalize(statement);
    return version;
}

int createItemTable(sqlite3* db, const char* listName) {
    char errorText[200];
    if (!createTable(db, listName, ITEM_TABLE_COLUMNS, errorText, sizeof errorText)) return 0;
    // A list works without its index, only slower; the table stays.
    indexItemTable(db, listName);
    return 1;
}

// --- the index of an item table ------------------------------------------------
//
// Every walk over a list asks for the children of one parent, so each item
// table gets an index on longParentID. Its name is the list's name followed
// by "' children": list names never hold a single quote, so no list can
// ever be called like an index, and each list's index name is its own.

namespace {

std::string indexName(const char* listName) { return quoteSql((std::string(listName) + "' children").c_str()); }

int runDone(sqlite3* db, const std::string& sql) {
    char errorText[200];
    return executeSql(db, sql.c_str(), errorText, sizeof errorText) == SQLITE_DONE ? 1 : 0;
}

// Every table of the file but VersionData and ListAttributes: the item
// tables, also of lists whose attribute row went missing.
std::vector<std::string> itemTables(sqlite3* db) {
    std::vector<std::string> names;
    Statement tables(db, "SELECT name FROM sqlite_master WHERE type='table';");
    while (tables.step() == SQLITE_ROW) {
        const unsigned char* name = sqlite3_column_text(tables.get(), 0);
        std::string text = name ? reinterpret_cast<const char*>(name) : "";
        if (text != "VersionData" && text != "ListAttributes" && text.rfind("sqlite_", 0) != 0) names.push_back(text);
    }
    return names;
}

// A file written before the indexes (or by another program) gets them when
// it is opened, all in one transaction; a table that cannot have one (it
// lacks the column) is left as it is. Nothing else in the file changes.
void indexItemTables(sqlite3* db) {
    std::vector<std::string> tables = itemTables(db);
    if (tables.empty()) return;
    CommandTransaction transaction(db);
    if (!transaction.begun()) return;
    for (const std::string& table : tables) indexItemTable(db, table.c_str());
    transaction.commit();
}

}  // namespace

int indexItemTable(sqlite3* db, const char* listName) {
    if (!db || !listName || !*listName) return 0;
    return runDone(db, formatSql("CREATE INDEX IF NOT EXISTS '%s' ON '%s' (longParentID);", indexName(listName).c_str(),
                                 quoteSql(listName).c_str()));
}

int renameItemIndex(sqlite3* db, const char* oldName, const char* newName) {
    if (!db || !oldName || !newName) return 0;
    if (!runDone(db, formatSql("DROP INDEX IF EXISTS '%s';", indexName(oldName).c_str()))) return 0;
    return indexItemTable(db, newName);
}

void purgeParkedItems(sqlite3* db, const char* listName) {
    if (!db || !listName || !tableExists(db, listName)) return;
    std::string sql = formatSql("SELECT longID from '%s' WHERE longID < 0;", quoteSql(listName).c_str());
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) return;
    std::vector<LONG> parked;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        char text[40];
        columnText(statement, 0, text, sizeof text);
        parked.push_back(readDecimal(text));
    }
    sqlite3_finalize(statement);
    if (parked.empty()) return;
    // One transaction for the whole purge, the statements compiled once: a
    // deleted branch of thousands of items would otherwise be as many
    // commits.
    StatementReuse reuse(db);
    CommandTransaction transaction(db);
    // Only identifiers are read and deleted, so the texts' form is no matter.
    const ItemTable table{db, listName};
    for (LONG id : parked) {
        LONG magnitude = id == INT32_MIN ? INT32_MAX : -id;
        deleteDescendants(table, magnitude);
        deleteItemRow(table, id);
    }
    transaction.commit();
}

void purgeAllLists(sqlite3* db, ListNameBox& box) {
    int count = box.count();
    for (int i = 0; i < count; ++i) {
        WCHAR wide[256];
        if (!box.textAt(i, wide, 256)) break;
        char name[codePageBytes(40)];
        wideToCodePage(wide, name, sizeof name, 40 - 1);
        purgeParkedItems(db, name);
    }
}
