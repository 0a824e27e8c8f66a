#include "storage/settings.h"

#include <string>

#include "common/codepage.h"
#include "common/message_dialog.h"
#include "common/paths.h"
#include "storage/database.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"
#include "windows.h"

namespace {

const int PATH_CHARS = 260;
// A statement that does not fit here is not run.
const int STATEMENT_BYTES = 200;

void programFilePath(LPCWSTR fileName, bool forReading, WCHAR* out) {
    WCHAR folder[200];
    getProgramFolder(folder, 200);
    settingsPathIn(folder, fileName, forReading, out, PATH_CHARS);
}

// How many characters the text takes inside a literal, its quotes doubled.
size_t literalLength(LPCWSTR text) {
    size_t length = 0;
    for (const WCHAR* p = text; p && *p; ++p) length += *p == u'\'' ? 2 : 1;
    return length;
}

// The key's 8-bit form, at most 199 bytes.
std::string narrowKey(LPCWSTR key) {
    char narrow[200];
    wideToCodePage(key, narrow, sizeof narrow);
    return narrow;
}

// The 8-bit form of a text that fits a statement.
std::string narrowText(LPCWSTR text) {
    char narrow[codePageBytes(STATEMENT_BYTES)];
    wideToCodePage(text, narrow, sizeof narrow, STATEMENT_BYTES - 1);
    return narrow;
}

// The value of `key` on the open settings file: 0 found (copied, cut to
// capacity - 1 characters), 1 no such key, -1 the query failed.
int readValue(sqlite3* db, LPCWSTR key, WCHAR* value, int capacity) {
    Statement select(db, "SELECT strValue FROM AppSettings WHERE strKey=?;");
    if (!select.ready()) return -1;
    const int code = select.bindText(narrowKey(key)).step();
    if (code == SQLITE_DONE) return 1;
    if (code != SQLITE_ROW) return -1;
    if (sqlite3_column_count(select.get()) == 0) return 1;
    char text[codePageBytes(200)];
    columnText(select.get(), 0, text, sizeof text);
    WCHAR wide[200];
    codePageToWide(text, wide, 200);
    if (value && capacity > 0) {
        std::u16string found = wide;
        size_t length =
            found.size() < static_cast<size_t>(capacity - 1) ? found.size() : static_cast<size_t>(capacity - 1);
        std::char_traits<WCHAR>::copy(value, found.data(), length);
        value[length] = 0;
        value[capacity - 1] = 0;
    }
    return 0;
}

// Stores `value` under `key` on the open settings file, a new row or the
// key's row changed; 0 stored, -1 not. The statement's text, the key and
// the value in their literals, must fit STATEMENT_BYTES; one that does not
// is not run.
// `tooLong`: refused for its length, before anything was written.
int writeValue(sqlite3* db, LPCWSTR key, LPCWSTR value, bool& tooLong) {
    int code = SQLITE_ERROR;
    std::string stored;
    bool hasStored = false;
    {
        Statement select(db, "SELECT strValue FROM AppSettings WHERE strKey=?;");
        if (!select.ready()) return -1;
        code = select.bindText(narrowKey(key)).step();
        const unsigned char* text = code == SQLITE_ROW ? sqlite3_column_text(select.get(), 0) : nullptr;
        hasStored = text != nullptr;
        if (text) stored.assign(reinterpret_cast<const char*>(text), size_t(sqlite3_column_bytes(select.get(), 0)));
    }
    if (code != SQLITE_DONE && code != SQLITE_ROW) return -1;
    const bool insert = code == SQLITE_DONE;
    const char* shape = insert ? "INSERT INTO AppSettings VALUES ('','');"
                               : "UPDATE AppSettings SET strValue='' WHERE strKey='';";
    tooLong = std::char_traits<char>::length(shape) + literalLength(key) + literalLength(value) > STATEMENT_BYTES - 1;
    if (tooLong) return -1;
    const std::string narrowValue = narrowText(value);
    if (insert) {
        Statement write(db, "INSERT INTO AppSettings VALUES (?,?);");
        return write.bindText(narrowText(key)).bindText(narrowValue).run() == SQLITE_DONE ? 0 : -1;
    }
    // A value stored already is not written again: most writes (the
    // database at every start, the splitter at every layout) store what is
    // there, and each write waits for the disk.
    if (hasStored && stored == narrowValue) return 0;
    Statement write(db, "UPDATE AppSettings SET strValue=? WHERE strKey=?;");
    return write.bindText(narrowValue).bindText(narrowText(key)).run() == SQLITE_DONE ? 0 : -1;
}

// Closes the settings file. It is compacted when that can change it: a
// connection that changed no row of a file without free pages would only
// write the same file again and wait for the disk.
void closeSettingsFile(sqlite3* db) {
    bool compact = sqlite3_total_changes(db) != 0;
    if (!compact) {
        Statement freePages(db, "PRAGMA freelist_count;");
        compact = freePages.step() != SQLITE_ROW || freePages.number(0) != 0;
    }
    if (compact)
        closeDatabaseFile(db);
    else
        sqlite3_close(db);
}

// A settings write that failed is told once, until one succeeds again: a
// full store would otherwise fail every layout and every choice.
void tellUnsavedSetting(bool failed, bool full) {
    static bool told = false;
    if (!failed) {
        told = false;
        return;
    }
    // A full store inside a command is told by the command, or by the
    // command table at its end; one the last message told of is known.
    if (told || (full && (insideCommand() || lastMessageAnsweredFullStore()))) return;
    told = true;
    // The window the person works in owns it, so that it waits for the answer.
    messageDialog(GetActiveWindow(),
                  full ? u"Your change could not be saved because the storage is full." : u"Your change could not be saved.",
                  u"Error", MD_STYLE_WARNING);
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
    const int result = readValue(db, key, value, capacity);
    closeSettingsFile(db);
    return result;
}

int setSetting(LPCWSTR key, LPCWSTR value) {
    if (!key || !value) return -1;
    WCHAR path[PATH_CHARS];
    programFilePath(u"settings.qux", false, path);
    sqlite3* db = openDatabaseFile(path);
    if (!db) {
        tellUnsavedSetting(true, GetLastError() == ERROR_DISK_FULL);
        return -1;
    }
    char errorText[200];
    const bool hasTable =
        countTables(db) != 0 || createTable(db, "AppSettings", "strKey TEXT, strValue TEXT", errorText, sizeof errorText);
    bool tooLong = false;
    const int result = hasTable ? writeValue(db, key, value, tooLong) : -1;
    const bool full = GetLastError() == ERROR_DISK_FULL || sqlite3_errcode(db) == SQLITE_FULL;
    closeSettingsFile(db);
    if (!tooLong) tellUnsavedSetting(result != 0, full);
    return result;
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
