#include "storage/item_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/codepage.h"
#include "state/app_state.h"
#include "storage/sql_helpers.h"

// Sections: text and statement helpers | writeItem | readItem | identifiers
// and parking | subtree walks | order numbers | whole-table cipher

namespace {

// --- text and statement helpers ---------------------------------------------

bool enciphered() { return attrCurrentList.bPassword == 1; }

bool tableReady(sqlite3* db, const char* listName) { return db && listName && tableExists(db, listName); }

long asLong(LONG value) { return static_cast<long>(value); }

// The 8-bit form of a quote-doubled wide text, at most `bytes` - 1 bytes,
// ready to sit between single quotes. False when the text does not form a
// closed literal: a single quote left undoubled would end the literal early
// and turn the rest of the text into SQL, so such a text is never run.
bool literalText(const WCHAR* wide, int chars, int bytes, std::string* out) {
    std::vector<WCHAR> copy(wide, wide + chars);
    copy[static_cast<size_t>(chars - 1)] = 0;  // a full field may lack its terminator
    std::vector<char> narrow(static_cast<size_t>(bytes));
    wideToCodePage(copy.data(), narrow.data(), bytes);
    out->assign(narrow.data());
    size_t run = 0;
    for (size_t i = 0; i <= out->size(); ++i) {
        if (i < out->size() && (*out)[i] == '\'') {
            ++run;
            continue;
        }
        if (run % 2) return false;
        run = 0;
    }
    return true;
}

int run(sqlite3* db, const std::string& sql) {
    char errorText[200];
    return executeSql(db, sql.c_str(), errorText, sizeof errorText);
}

// Prepares `sql` and steps once; 1 with column 0 of a non-NULL first row as
// a number, 0 without one (or NULL), -1 when it cannot be prepared.
int readNumber(sqlite3* db, const std::string& sql, LONG* value) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) return -1;
    int found = 0;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_type(statement, 0) != SQLITE_NULL) {
        *value = columnNumber(statement, 0);
        found = 1;
    }
    sqlite3_finalize(statement);
    return found;
}

// Grows a caller's identifier block to hold `count` identifiers.
bool growIds(LONG** ids, int count) {
    void* grown = std::realloc(*ids, sizeof(LONG) * static_cast<size_t>(count > 0 ? count : 1));
    if (!grown) return false;
    *ids = static_cast<LONG*>(grown);
    return true;
}

}  // namespace

int countItems(sqlite3* db, const char* listName) {
    if (!db || !listName) return 0;
    LONG count = 0;
    if (readNumber(db, formatSql("SELECT COUNT(*) FROM '%s';", quoteSql(listName).c_str()), &count) != 1) return 0;
    return count;
}

// --- writeItem ---------------------------------------------------------------

namespace {

LONG insertItem(sqlite3* db, const char* listName, const ItemRecord& item) {
    const std::string name = quoteSql(listName);
    std::string text;
    std::string note;
    bool textOk = literalText(item.strText, ITEM_TEXT_CHARS, ITEM_TEXT_CHARS, &text);
    bool noteOk = literalText(item.strNoteText, ITEM_NOTE_CHARS, ITEM_NOTE_CHARS, &note);
    std::string sql;
    if (item.fieldMask & ITEM_ALL) {
        LONG largest = maxAbsItemId(db, listName);
        // Identifiers only grow; at the top of the range there is no next one.
        if (largest >= INT32_MAX || !textOk || !noteOk) {
            sql.clear();
        } else if (enciphered()) {
            sql = formatSql("INSERT INTO '%s' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,"
                            "bNodeExpand,strNoteText,intNumChild) VALUES (%ld, %ld, %ld,bfencrypt('%s'),%d,%d,%d,%d,"
                            "bfencrypt('%s'),%d);",
                            name.c_str(), asLong(largest + 1), asLong(item.longParentID), asLong(item.longOrder),
                            text.c_str(), item.bChecked, item.bDisplay, item.bNote, item.bNodeExpand, note.c_str(),
                            item.intNumChild);
        } else {
            sql = formatSql("INSERT INTO '%s' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,"
                            "bNodeExpand,strNoteText,intNumChild) VALUES (%ld, %ld, %ld,'%s',%d,%d,%d,%d,'%s',%d);",
                            name.c_str(), asLong(largest + 1), asLong(item.longParentID), asLong(item.longOrder),
                            text.c_str(), item.bChecked, item.bDisplay, item.bNote, item.bNodeExpand, note.c_str(),
                            item.intNumChild);
        }
    }
    if (item.fieldMask & ITEM_TEXT) {
        if (!textOk)
            sql.clear();
        else if (enciphered())
            sql = formatSql("INSERT INTO '%s' (strText) VALUES (bfencrypt('%s'));", name.c_str(), text.c_str());
        else
            sql = formatSql("INSERT INTO '%s' (strText) VALUES ('%s');", name.c_str(), text.c_str());
    }
    if (sql.empty()) return -1;
    if (run(db, sql) != SQLITE_DONE) return -1;
    return static_cast<LONG>(sqlite3_last_insert_rowid(db));
}

// Runs the statements of every set bit on a stored item, in the fixed order;
// the code of the last one, or 0 when no bit applies. A text that would not
// form a closed literal counts as a failed statement and is not run.
int updateItem(sqlite3* db, const char* listName, const ItemRecord& item) {
    const std::string name = quoteSql(listName);
    const long id = asLong(item.longID);
    const bool cipher = enciphered();
    std::string text;
    std::string note;
    bool textOk = literalText(item.strText, ITEM_TEXT_CHARS, ITEM_TEXT_CHARS, &text);
    bool noteOk = literalText(item.strNoteText, ITEM_NOTE_CHARS, ITEM_NOTE_CHARS, &note);
    const int mask = item.fieldMask;
    int code = 0;

    if (mask & ITEM_ALL) {
        code = !textOk ? SQLITE_ERROR
               : cipher
                   ? run(db, formatSql("UPDATE '%s' SET longParentID=%ld,longOrder=%ld,strText=bfencrypt('%s') WHERE "
                                       "longID = %ld;",
                                       name.c_str(), asLong(item.longParentID), asLong(item.longOrder), text.c_str(), id))
                   : run(db, formatSql("UPDATE '%s' SET longParentID=%ld,longOrder=%ld,strText='%s' WHERE longID = %ld;",
                                       name.c_str(), asLong(item.longParentID), asLong(item.longOrder), text.c_str(), id));
        code = run(db, formatSql("UPDATE '%s' SET bChecked=%d,bDisplay=%d,bNote=%d,bNodeExpand=%d,intNumChild=%d WHERE "
                                 "longID = %ld;",
                                 name.c_str(), item.bChecked, item.bDisplay, item.bNote, item.bNodeExpand,
                                 item.intNumChild, id));
        code = !noteOk ? SQLITE_ERROR
               : cipher ? run(db, formatSql("UPDATE '%s' SET strNoteText=bfencrypt('%s') WHERE longID = %ld;",
                                            name.c_str(), note.c_str(), id))
                        : run(db, formatSql("UPDATE '%s' SET strNoteText='%s' WHERE longID = %ld;", name.c_str(),
                                            note.c_str(), id));
    }
    if (mask & ITEM_TEXT) {
        code = !textOk ? SQLITE_ERROR
               : cipher ? run(db, formatSql("UPDATE '%s' SET strText=bfencrypt('%s') WHERE longID = %ld;", name.c_str(),
                                            text.c_str(), id))
                        : run(db, formatSql("UPDATE '%s' SET strText='%s' WHERE longID = %ld;", name.c_str(),
                                            text.c_str(), id));
    }
    if (mask & ITEM_EXPAND)
        code = run(db, formatSql("UPDATE '%s' SET bNodeExpand=%d WHERE longID = %ld;", name.c_str(), item.bNodeExpand, id));
    if (mask & ITEM_CHECK)
        code = run(db, formatSql("UPDATE '%s' SET bChecked=%d WHERE longID = %ld;", name.c_str(), item.bChecked, id));
    if (mask & ITEM_NOTE) {
        code = !noteOk ? SQLITE_ERROR
               : cipher ? run(db, formatSql("UPDATE '%s' SET bNote=%d, strNoteText=bfencrypt('%s') WHERE longID = %ld;",
                                            name.c_str(), item.bNote, note.c_str(), id))
                        : run(db, formatSql("UPDATE '%s' SET bNote=%d, strNoteText='%s' WHERE longID = %ld;",
                                            name.c_str(), item.bNote, note.c_str(), id));
    }
    if (mask & ITEM_ORDER)
        code = run(db, formatSql("UPDATE '%s' SET longOrder=%ld WHERE longID = %ld;", name.c_str(),
                                 asLong(item.longOrder), id));
    if (mask & ITEM_NUMCHILD)
        code = run(db, formatSql("UPDATE '%s' SET intNumChild=%d WHERE longID = %ld;", name.c_str(), item.intNumChild, id));
    if (mask & ITEM_DISPLAY)
        code = run(db, formatSql("UPDATE '%s' SET bDisplay=%d, bNote=%d WHERE longID = %ld;", name.c_str(),
                                 item.bDisplay, item.bNote, id));
    if (mask & ITEM_PARENT)
        code = run(db, formatSql("UPDATE '%s' SET longParentID=%ld WHERE longID = %ld;", name.c_str(),
                                 asLong(item.longParentID), id));
    return code;
}

}  // namespace

LONG writeItem(sqlite3* db, const char* listName, ItemRecord item) {
    if (!db || !listName) return -1;
    if (item.longID == 0) return insertItem(db, listName, item);
    return updateItem(db, listName, item) == SQLITE_DONE ? item.longID : -1;
}

// --- readItem ----------------------------------------------------------------

namespace {

// The fields one readItem statement fills, in column order.
enum class Field { Parent, Text, Checked, Display, Expand, Note, NoteText, NumChild, Order };

struct ReadForm {
    int bit;
    const char* cipherSql;  // with bfdecrypt; null when the plain form serves both
    const char* plainSql;
    std::vector<Field> fields;
};

const std::vector<ReadForm>& readForms() {
    static const std::vector<ReadForm> forms = {
        {ITEM_ALL,
         "SELECT longParentID,bfdecrypt(strText),bChecked,bDisplay,bNodeExpand,bNote,bfdecrypt(strNoteText),"
         "intNumChild,longOrder FROM '%s' WHERE longID = %ld;",
         "SELECT longParentID,strText,bChecked,bDisplay,bNodeExpand,bNote,strNoteText,intNumChild,longOrder FROM '%s' "
         "WHERE longID = %ld;",
         {Field::Parent, Field::Text, Field::Checked, Field::Display, Field::Expand, Field::Note, Field::NoteText,
          Field::NumChild, Field::Order}},
        {ITEM_TEXT, "SELECT bfdecrypt(strText) FROM '%s' WHERE longID = %ld;", "SELECT strText FROM '%s' WHERE longID = %ld;",
         {Field::Text}},
        {ITEM_TEXTNOTE, "SELECT bfdecrypt(strText),bfdecrypt(strNoteText) FROM '%s' WHERE longID = %ld;",
         "SELECT strText,strNoteText FROM '%s' WHERE longID = %ld;", {Field::Text, Field::NoteText}},
        {ITEM_NOTEFLAG, nullptr, "SELECT bNote FROM '%s' WHERE longID = %ld;", {Field::Note}},
        {ITEM_PARENT, nullptr, "SELECT longParentID FROM '%s' WHERE longID = %ld;", {Field::Parent}},
        {ITEM_NUMCHILD, nullptr, "SELECT intNumChild FROM '%s' WHERE longID = %ld;", {Field::NumChild}},
        {ITEM_NOTE, "SELECT bNote, bfdecrypt(strNoteText) FROM '%s' WHERE longID = %ld;",
         "SELECT bNote, strNoteText FROM '%s' WHERE longID = %ld;", {Field::Note, Field::NoteText}},
        {ITEM_ORDER, nullptr, "SELECT longOrder FROM '%s' WHERE longID = %ld;", {Field::Order}},
        {ITEM_EXPAND, nullptr, "SELECT bNodeExpand FROM '%s' WHERE longID = %ld;", {Field::Expand}},
        {ITEM_DISPLAY, nullptr, "SELECT bNote,bDisplay FROM '%s' WHERE longID = %ld;", {Field::Note, Field::Display}},
    };
    return forms;
}

void fillField(sqlite3_stmt* statement, int column, Field field, ItemRecord* item) {
    char text[ITEM_NOTE_CHARS];
    switch (field) {
    case Field::Parent: item->longParentID = columnNumber(statement, column); break;
    case Field::Checked: item->bChecked = columnNumber(statement, column); break;
    case Field::Display: item->bDisplay = columnNumber(statement, column); break;
    case Field::Expand: item->bNodeExpand = columnNumber(statement, column); break;
    case Field::Note: item->bNote = columnNumber(statement, column); break;
    case Field::NumChild: item->intNumChild = columnNumber(statement, column); break;
    case Field::Order: item->longOrder = columnNumber(statement, column); break;
    case Field::Text:
        columnText(statement, column, text, ITEM_TEXT_CHARS);
        codePageToWide(text, item->strText, ITEM_TEXT_CHARS);
        break;
    case Field::NoteText:
        columnText(statement, column, text, ITEM_NOTE_CHARS);
        codePageToWide(text, item->strNoteText, ITEM_NOTE_CHARS);
        break;
    }
}

}  // namespace

int readItem(sqlite3* db, const char* listName, ItemRecord* item, int mask) {
    if (!db || !listName || !item || item->longID == 0) return 0;
    const ReadForm* form = nullptr;
    for (const ReadForm& candidate : readForms()) {
        if (mask & candidate.bit) {
            form = &candidate;
            break;
        }
    }
    if (!form) return 0;
    const char* templ = enciphered() && form->cipherSql ? form->cipherSql : form->plainSql;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::string sql = formatSql(templ, quoteSql(listName).c_str(), asLong(item->longID));
#pragma GCC diagnostic pop
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) return 0;
    int found = 0;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        for (size_t i = 0; i < form->fields.size(); ++i) fillField(statement, static_cast<int>(i), form->fields[i], item);
        found = 1;
    }
    sqlite3_finalize(statement);
    return found;
}

// --- identifiers and parking -------------------------------------------------

int parkItemId(sqlite3* db, const char* listName, LONG id) {
    if (id == 0) return 0;
    if (!db || !listName) return 1;
    long magnitude = std::labs(static_cast<long>(id));
    run(db, formatSql("UPDATE '%s' set longID = %ld WHERE longID = %ld;", quoteSql(listName).c_str(), asLong(id),
                      magnitude));
    return 1;
}

int unparkItemId(sqlite3* db, const char* listName, LONG id) {
    if (id == 0) return 0;
    if (!db || !listName) return 1;
    long magnitude = std::labs(static_cast<long>(id));
    run(db, formatSql("UPDATE '%s' set longID = %ld WHERE longID = %ld;", quoteSql(listName).c_str(), magnitude,
                      -magnitude));
    return 1;
}

int deleteItemRow(sqlite3* db, const char* listName, LONG id) {
    if (id == 0) return 0;
    if (!db || !listName) return 1;
    run(db, formatSql("DELETE FROM '%s' WHERE longID = %ld;", quoteSql(listName).c_str(), asLong(id)));
    return 1;
}

LONG maxAbsItemId(sqlite3* db, const char* listName) {
    if (!tableReady(db, listName)) return 0;
    // The largest absolute identifier is the largest one or the negative of
    // the smallest. Each of these is one look at the end of the table's
    // key, where MAX(ABS(longID)) reads every row: a new item in a long
    // list (and an import of many) would otherwise take a scan each.
    const std::string name = quoteSql(listName);
    LONG largest = 0;
    LONG smallest = 0;
    if (readNumber(db, formatSql("SELECT MAX(longID) FROM '%s';", name.c_str()), &largest) == -1) return 0;
    if (readNumber(db, formatSql("SELECT MIN(longID) FROM '%s';", name.c_str()), &smallest) == -1) return 0;
    int64_t magnitude = std::max<int64_t>(int64_t(largest) < 0 ? -int64_t(largest) : int64_t(largest),
                                          int64_t(smallest) < 0 ? -int64_t(smallest) : int64_t(smallest));
    return magnitude > INT32_MAX ? INT32_MAX : LONG(magnitude);
}

// --- subtree walks -----------------------------------------------------------

void collectDescendants(sqlite3* db, const char* listName, LONG parentId, LONG** ids, int* count) {
    if (!db || !listName || !ids || !count) return;
    const std::string name = quoteSql(listName);
    auto prepareChildren = [&](LONG parent) -> sqlite3_stmt* {
        std::string sql = formatSql("SELECT longID,intNumChild FROM '%s' WHERE longParentID = %ld AND longID >= 0;",
                                    name.c_str(), asLong(parent));
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return nullptr;
        return statement;
    };
    sqlite3_stmt* first = prepareChildren(parentId);
    if (!first) return;
    if (!*ids && !growIds(ids, 1)) {
        sqlite3_finalize(first);
        return;
    }
    // Depth first with the open queries on an explicit stack, so a deep tree
    // cannot exhaust the call stack. A damaged file can make an item its own
    // ancestor; an identifier already collected is not visited again, so
    // such a loop ends instead of running forever.
    std::unordered_set<LONG> seen{parentId};
    std::vector<sqlite3_stmt*> open{first};
    while (!open.empty()) {
        sqlite3_stmt* statement = open.back();
        if (sqlite3_step(statement) != SQLITE_ROW) {
            sqlite3_finalize(statement);
            open.pop_back();
            continue;
        }
        LONG id = columnNumber(statement, 0);
        LONG children = columnNumber(statement, 1);
        if (!seen.insert(id).second) continue;
        if (!growIds(ids, *count + 1)) continue;
        (*ids)[(*count)++] = id;
        if (children > 0) {
            if (sqlite3_stmt* inner = prepareChildren(id)) open.push_back(inner);
        }
    }
}

void deleteDescendants(sqlite3* db, const char* listName, LONG parentId) {
    LONG* ids = nullptr;
    int count = 0;
    collectDescendants(db, listName, parentId, &ids, &count);
    if (count > 0) {
        const std::string name = quoteSql(listName);
        for (int i = 0; i < count; ++i)
            run(db, formatSql("DELETE FROM '%s' WHERE longID = %ld;", name.c_str(), asLong(ids[i])));
    }
    std::free(ids);
}

int listAllIds(sqlite3* db, const char* listName, LONG** ids) {
    if (!db || !listName || !ids) return 0;
    std::string sql = formatSql("SELECT longID FROM '%s';", quoteSql(listName).c_str());
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) return 0;
    int count = 0;
    if (!*ids && !growIds(ids, 1)) {
        sqlite3_finalize(statement);
        return 0;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        if (!growIds(ids, count + 1)) break;
        (*ids)[count++] = columnNumber(statement, 0);
    }
    sqlite3_finalize(statement);
    return count;
}

void checkDescendants(sqlite3* db, const char* listName, LONG parentId) {
    LONG* ids = nullptr;
    int count = 0;
    collectDescendants(db, listName, parentId, &ids, &count);
    if (count > 0) {
        const std::string name = quoteSql(listName);
        run(db, "BEGIN TRANSACTION;");
        for (int i = 0; i < count; ++i)
            run(db, formatSql("UPDATE '%s' SET bChecked = %d WHERE longID = %ld;", name.c_str(), 1, asLong(ids[i])));
        run(db, "COMMIT;");
        run(db, "END TRANSACTION;");
    }
    std::free(ids);
}

// --- order numbers -----------------------------------------------------------

LONG nextOrder(sqlite3* db, const char* listName, LONG parentId) {
    if (!tableReady(db, listName)) return 0;
    LONG largest = 0;
    int found = readNumber(db, formatSql("SELECT MAX(longOrder) FROM '%s' WHERE longParentID=%ld;",
                                         quoteSql(listName).c_str(), asLong(parentId)),
                           &largest);
    if (found < 0) return 0;
    if (found == 0) return 1;
    return largest < INT32_MAX ? largest + 1 : INT32_MAX;
}

LONG readOrder(sqlite3* db, const char* listName, LONG id) {
    if (!tableReady(db, listName)) return 0;
    LONG order = 0;
    if (readNumber(db, formatSql("SELECT longOrder FROM '%s' WHERE longID=%ld;", quoteSql(listName).c_str(), asLong(id)),
                   &order) != 1)
        return 0;
    return order;
}

int writeOrder(sqlite3* db, const char* listName, LONG id, LONG order) {
    if (!tableReady(db, listName)) return 0;
    return run(db, formatSql("UPDATE '%s' SET longOrder=%ld WHERE longID=%ld;", quoteSql(listName).c_str(),
                             asLong(order), asLong(id)));
}

int countChildRows(sqlite3* db, const char* listName, LONG parentId) {
    if (!tableReady(db, listName)) return 0;
    LONG count = 0;
    if (readNumber(db, formatSql("SELECT COUNT(longID) FROM '%s' WHERE longParentID=%ld AND longID > 0;",
                                 quoteSql(listName).c_str(), asLong(parentId)),
                   &count) != 1)
        return 0;
    return count;
}

void sequenceOrder(sqlite3* db, const char* listName, LONG parentId, LONG id) {
    if (!tableReady(db, listName)) return;
    int children = countChildRows(db, listName, parentId);
    if (children <= 0) return;
    const std::string name = quoteSql(listName);
    LONG order = readOrder(db, listName, id);
    if (id > 0) {
        run(db, formatSql("UPDATE '%s' SET longOrder = longOrder+1 WHERE longParentID = %ld AND longOrder >= %ld AND "
                          "longID != %ld;",
                          name.c_str(), asLong(parentId), asLong(order), asLong(id)));
        return;
    }
    std::string sql = formatSql("SELECT longID FROM '%s' WHERE longParentID=%ld AND longID > 0 ORDER BY longOrder;",
                                name.c_str(), asLong(parentId));
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) return;
    std::vector<LONG> ids;
    ids.reserve(static_cast<size_t>(children));
    while (static_cast<int>(ids.size()) < children && sqlite3_step(statement) == SQLITE_ROW)
        ids.push_back(columnNumber(statement, 0));
    sqlite3_finalize(statement);

    run(db, "BEGIN TRANSACTION;");
    for (size_t j = 0; j < ids.size(); ++j)
        run(db, formatSql("UPDATE '%s' SET longOrder = %ld WHERE longID = %ld;", name.c_str(),
                          static_cast<long>(j + 1), asLong(ids[j])));
    run(db, "COMMIT;");
    run(db, "END TRANSACTION;");
}

// --- whole-table cipher --------------------------------------------------------

int encipherItemTable(sqlite3* db, const char* listName) {
    if (!db || !listName) return SQLITE_MISUSE;
    const std::string name = quoteSql(listName);
    run(db, formatSql("UPDATE '%s' SET strText = bfencrypt(strText);", name.c_str()));
    return run(db, formatSql("UPDATE '%s' SET strNoteText = bfencrypt(strNoteText);", name.c_str()));
}

int decipherItemTable(sqlite3* db, const char* listName) {
    if (!db || !listName) return SQLITE_MISUSE;
    const std::string name = quoteSql(listName);
    run(db, formatSql("UPDATE '%s' SET strText = bfdecrypt(strText);", name.c_str()));
    return run(db, formatSql("UPDATE '%s' SET strNoteText = bfdecrypt(strNoteText);", name.c_str()));
}
