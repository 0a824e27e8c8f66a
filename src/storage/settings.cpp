#include "storage/settings.h"

#include <string>

#include "common/codepage.h"
#include "common/paths.h"
#include "storage/database.h"
#include "storage/sql_helpers.h"

namespace {

const int PATH_CHARS = 260;
// A statement that does not fit here is not run.
const int STATEMENT_BYTES = 200;

void programFilePath(LPCWSTR fileName, bool forReading, WCHAR* out) {
    WCHAR folder[200];
    getProgramFolder(folder, 200);
    settingsPathIn(folder, fileName, forReading, out, PATH_CHARS);
}

// The wide text with its single quotes doubled, so that any key or value
// sits intact inside its literal.
std::u16string doubled(LPCWSTR text) {
    std::u16string out;
    for (const WCHAR* p = text; p && *p; ++p) {
        out += *p;
        if (*p == u'\'') out += u'\'';
    }
    return out;
}

// The key's 8-bit form (at most 199 bytes), quote-doubled.
std::string narrowKey(LPCWSTR key) {
    char narrow[200];
    wideToCodePage(key, narrow, sizeof narrow);
    return quoteSql(narrow);
}

}  // namespace

void settingsPathIn(LPCWSTR folder, LPCWSTR fileName, bool forReading, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return;
    std::u16string path = folder ? folder : u"";
    if (forReading && path.size() == 1) path.clear();
    path += u"\\";
    if (fileName) path += fileName;
    size_t length = path.size() < static_cast<size_t>(capacity - 1) ? path.size() : static_cast<size_t>(capacity - 1);
    std::char_traits<WCHAR>::copy(out, path.data(), length);
    out[length] = 0;
}

int getSetting(LPCWSTR key, WCHAR* value, int capacity) {
    if (!key) return -1;
    WCHAR path[PATH_CHARS];
    programFilePath(u"settings.qux", true, path);
    sqlite3* db = openDatabaseFile(path);
    if (!db) return -1;
    if (countTables(db) == 0) {
        closeDatabaseFile(db);
        return -1;
    }
    std::string sql = formatSql("SELECT strValue FROM AppSettings WHERE strKey='%s';", narrowKey(key).c_str());
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) {
        closeDatabaseFile(db);
        return -1;
    }
    int result = 1;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_count(statement) > 0) {
        char text[codePageBytes(200)];
        columnText(statement, 0, text, sizeof text);
        WCHAR wide[200];
        codePageToWide(text, wide, 200);
        if (value && capacity > 0) {
            std::u16string found = wide;
            size_t length = found.size() < static_cast<size_t>(capacity - 1) ? found.size()
                                                                             : static_cast<size_t>(capacity - 1);
            std::char_traits<WCHAR>::copy(value, found.data(), length);
            value[length] = 0;
            value[capacity - 1] = 0;
        }
        result = 0;
    }
    sqlite3_finalize(statement);
    closeDatabaseFile(db);
    return result;
}

int setSetting(LPCWSTR key, LPCWSTR value) {
    if (!key || !value) return -1;
    WCHAR path[PATH_CHARS];
    programFilePath(u"settings.qux", false, path);
    sqlite3* db = openDatabaseFile(path);
    if (!db) return -1;
    char errorText[200];
    if (countTables(db) == 0 && !createTable(db, "AppSettings", "strKey TEXT, strValue TEXT", errorText, sizeof errorText)) {
        closeDatabaseFile(db);
        return -1;
    }
    std::string select = formatSql("SELECT strValue FROM AppSettings WHERE strKey='%s';", narrowKey(key).c_str());
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, select.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) {
        closeDatabaseFile(db);
        return -1;
    }
    int code = sqlite3_step(statement);
    sqlite3_finalize(statement);

    std::u16string wideKey = doubled(key);
    std::u16string wideValue = doubled(value);
    std::u16string statementText;
    if (code == SQLITE_DONE) {
        statementText = u"INSERT INTO AppSettings VALUES ('" + wideKey + u"','" + wideValue + u"');";
    } else if (code == SQLITE_ROW) {
        statementText = u"UPDATE AppSettings SET strValue='" + wideValue + u"' WHERE strKey='" + wideKey + u"';";
    } else {
        closeDatabaseFile(db);
        return -1;
    }
    if (statementText.size() > STATEMENT_BYTES - 1) {
        closeDatabaseFile(db);
        return -1;
    }
    char narrow[codePageBytes(STATEMENT_BYTES)];
    wideToCodePage(statementText.c_str(), narrow, sizeof narrow, STATEMENT_BYTES - 1);
    code = executeSql(db, narrow, errorText, sizeof errorText);
    closeDatabaseFile(db);
    return code == SQLITE_DONE ? 0 : -1;
}

int getSettingInt(LPCWSTR key, int* value) {
    WCHAR text[100];
    if (getSetting(key, text, 100) != 0) return 0;
    if (value) *value = readDecimal(text);
    return 1;
}

int getSettingText(LPCWSTR key, WCHAR* value) { return getSetting(key, value, SETTING_TEXT_CHARS) == 0 ? 1 : 0; }

int setSettingInt(LPCWSTR key, int value) {
    std::string digits = std::to_string(value);
    std::u16string text(digits.begin(), digits.end());
    return setSetting(key, text.c_str());
}

int setSettingText(LPCWSTR key, LPCWSTR value) { return setSetting(key, value); }

int settingsFileExists() {
    WCHAR path[PATH_CHARS];
    programFilePath(u"settings.qux", true, path);
    return fileExists(path);
}

int defaultDatabaseExists() {
    WCHAR path[PATH_CHARS];
    programFilePath(u"quillet.qu2", false, path);
    return fileExists(path);
}
