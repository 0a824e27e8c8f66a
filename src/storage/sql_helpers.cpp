#include "storage/sql_helpers.h"

#include <cstdarg>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/codepage.h"
#include "storage/statements.h"

std::string formatSql(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out;
    if (length > 0) {
        out.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<size_t>(length));
    }
    va_end(again);
    return out;
}

std::string quoteSql(const char* text) {
    std::string out;
    if (!text) return out;
    for (const char* p = text; *p; ++p) {
        out += *p;
        if (*p == '\'') out += '\'';
    }
    return out;
}

void copyErrorText(sqlite3* db, char* errorText, int errorCapacity) {
    if (!errorText || errorCapacity <= 0) return;
    const char* message = db ? sqlite3_errmsg(db) : "no database";
    std::strncpy(errorText, message ? message : "", static_cast<size_t>(errorCapacity - 1));
    errorText[errorCapacity - 1] = 0;
}

void columnText(sqlite3_stmt* statement, int column, char* out, int capacity) {
    if (!out || capacity <= 0) return;
    const unsigned char* text = sqlite3_column_text(statement, column);
    std::strncpy(out, text ? reinterpret_cast<const char*>(text) : "", static_cast<size_t>(capacity - 1));
    out[capacity - 1] = 0;
}

LONG columnNumber(sqlite3_stmt* statement, int column) {
    // A stored integer is taken as it is, clamped as its decimal text would
    // be read: a load reads several numbers of every row, and making text
    // of each to read it back was a good part of the load's time.
    if (sqlite3_column_type(statement, column) == SQLITE_INTEGER) {
        const sqlite3_int64 value = sqlite3_column_int64(statement, column);
        return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<LONG>(value);
    }
    return readDecimal(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

int executeSql(sqlite3* db, const char* sql, char* errorText, int errorCapacity) {
    if (!db || !sql) return SQLITE_MISUSE;
    if (commandRolledBack(db)) {
        copyErrorText(db, errorText, errorCapacity);
        return SQLITE_ABORT;
    }
    sqlite3_stmt* statement = nullptr;
    int code = sqlite3_prepare(db, sql, -1, &statement, nullptr);
    if (code != SQLITE_OK) {
        copyErrorText(db, errorText, errorCapacity);
        return code;
    }
    // A text of only blanks or comments prepares to no statement at all;
    // there is nothing to run, and stepping null would be a misuse.
    if (!statement) return SQLITE_DONE;
    code = sqlite3_step(statement);
    copyErrorText(db, errorText, errorCapacity);
    if (code != SQLITE_DONE && code != SQLITE_ROW && insideCommand(db)) noteStorageError(db);
    sqlite3_finalize(statement);
    return code;
}

int queryInt(sqlite3* db, const char* sql, char* errorText, int errorCapacity, int* value) {
    if (!db || !sql) return 0;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql, -1, &statement, nullptr) == SQLITE_OK && statement) {
        if (sqlite3_step(statement) == SQLITE_ROW) {
            if (value) *value = columnNumber(statement, 0);
            sqlite3_finalize(statement);
            return 1;
        }
        sqlite3_finalize(statement);
    }
    copyErrorText(db, errorText, errorCapacity);
    return 0;
}

namespace {

// Prepares `sql`, steps once and reads column 0 of a first row as a number.
// 1 with `value` set on a row, 0 on no row, -1 when it cannot be prepared.
int stepForNumber(sqlite3* db, const std::string& sql, LONG* value) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) return -1;
    int found = 0;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        *value = columnNumber(statement, 0);
        found = 1;
    }
    sqlite3_finalize(statement);
    return found;
}

}  // namespace

int countTables(sqlite3* db) {
    if (!db) return -1;
    LONG count = 0;
    if (stepForNumber(db, "SELECT COUNT(tbl_name) FROM sqlite_master WHERE TYPE='table';", &count) != 1) return -1;
    return count;
}

int tableExists(sqlite3* db, const char* name) {
    if (!db || !name) return 0;
    // The name is bound, so the statement is compiled once while a
    // StatementReuse is open: the item operations ask before each statement.
    Statement count(db, "SELECT COUNT(tbl_name) FROM sqlite_master WHERE TYPE='table' and NAME=?;");
    if (count.bindText(name).step() != SQLITE_ROW) return 0;
    return count.number(0) == 1 ? 1 : 0;
}

int createTable(sqlite3* db, const char* name, const char* columns, char* errorText, int errorCapacity) {
    if (!name || !*name || !columns || !*columns) return 0;
    std::string sql = formatSql("CREATE TABLE '%s' (%s);", quoteSql(name).c_str(), columns);
    if (executeSql(db, sql.c_str(), errorText, errorCapacity) == SQLITE_DONE) return 1;
    return 0;
}

int dropTable(sqlite3* db, const char* name) {
    if (!name || !*name) return 0;
    char errorText[200];
    std::string sql = formatSql("DROP TABLE '%s';", quoteSql(name).c_str());
    return executeSql(db, sql.c_str(), errorText, sizeof errorText) == SQLITE_DONE ? 1 : 0;
}

int renameTable(sqlite3* db, const char* oldName, const char* newName) {
    if (!oldName || !*oldName || !newName || !*newName) return 0;
    char errorText[200];
    std::string sql = formatSql("ALTER TABLE '%s' RENAME TO '%s';", quoteSql(oldName).c_str(),
                                quoteSql(newName).c_str());
    return executeSql(db, sql.c_str(), errorText, sizeof errorText) == SQLITE_DONE ? 1 : 0;
}

void doubleQuotes(WCHAR* text, int capacity) {
    if (!text || capacity <= 0) return;
    // The buffer may hold no terminator at all; never read past its room.
    int length = 0;
    while (length < capacity && text[length]) ++length;
    bool hasQuote = false;
    for (int i = 0; i < length && !hasQuote; ++i) hasQuote = text[i] == u'\'';
    if (!hasQuote) return;

    // A doubled pair is kept whole or left out: cutting between its two
    // quotes would leave one quote open and the statement it goes into would
    // fail, losing the text.
    std::vector<WCHAR> doubled;
    doubled.reserve(static_cast<size_t>(capacity));
    const size_t room = static_cast<size_t>(capacity - 1);
    for (int i = 0; i < length; ++i) {
        size_t need = text[i] == u'\'' ? 2 : 1;
        if (doubled.size() + need > room) break;
        doubled.push_back(text[i]);
        if (need == 2) doubled.push_back(u'\'');
    }
    std::char_traits<WCHAR>::copy(text, doubled.data(), doubled.size());
    text[doubled.size()] = 0;
    text[capacity - 1] = 0;
}
