#include "storage/item_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/codepage.h"
#include "storage/item_statements.h"
#include "storage/sql_helpers.h"

// Sections: statement assembly | writeItem | readItem | identifiers and
// parking. Subtree walks, order numbers and the whole-table cipher are in
// item_walks.cpp.

// --- statement assembly ---------------------------------------------------------

namespace item_sql {

namespace {

// The text a template last gave, for the table it gave it for: a command
// that runs one statement for many rows asks for the same text each time.
struct Assembled {
    std::string name;
    bool enciphered;
    std::string text;
};

std::string assembleNew(const char* templ, const ItemTable& table);

}  // namespace

std::string assemble(const char* templ, const ItemTable& table) {
    static std::unordered_map<const char*, Assembled> last;
    const char* name = table.name ? table.name : "";
    auto found = last.find(templ);
    if (found != last.end() && found->second.enciphered == table.enciphered && found->second.name == name)
        return found->second.text;
    std::string text = assembleNew(templ, table);
    last[templ] = Assembled{name, table.enciphered, text};
    return text;
}

namespace {

std::string assembleNew(const char* templ, const ItemTable& table) {
    const bool cipher = table.enciphered;
    std::string out;
    for (const char* p = templ; *p; ++p) {
        if (*p == '@') {
            out += quoteSql(table.name);
        } else if (*p == '#') {
            out += cipher ? "bfencrypt(?)" : "?";
        } else if (*p == '$') {
            const char* start = ++p;
            while ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z')) ++p;
            std::string column(start, p);
            out += cipher ? "bfdecrypt(" + column + ")" : column;
            --p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace

bool tableReady(const ItemTable& table) { return table.db && table.name && tableExists(table.db, table.name); }

}  // namespace item_sql

using item_sql::prepare;

namespace {

// The 8-bit form of a quote-doubled wide text, at most `bytes` - 1 bytes,
// with its doubled quotes made single again: the value that is bound. False
// when the text does not form a closed literal: a single quote left
// undoubled is refused as it always was, so the same texts fail.
bool literalText(const WCHAR* wide, int chars, int bytes, std::string* out) {
    // Kept on the stack: an import converts two fields of every item.
    WCHAR copy[ITEM_NOTE_CHARS];
    char narrow[codePageBytes(ITEM_NOTE_CHARS)];
    if (chars > ITEM_NOTE_CHARS || bytes > ITEM_NOTE_CHARS) return false;
    int length = 0;
    while (length < chars - 1 && wide[length]) ++length;  // a full field may lack its terminator
    std::char_traits<WCHAR>::copy(copy, wide, static_cast<size_t>(length));
    copy[length] = 0;
    // `bytes` - 1 characters, in as many bytes as the code page needs.
    wideToCodePage(copy, narrow, codePageBytes(bytes), bytes - 1);
    const std::string_view doubled(narrow);
    out->clear();
    size_t run = 0;
    for (size_t i = 0; i <= doubled.size(); ++i) {
        if (i < doubled.size() && doubled[i] == '\'') {
            ++run;
            continue;
        }
        if (run % 2) return false;
        out->append(run / 2, '\'');
        run = 0;
        if (i < doubled.size()) *out += doubled[i];
    }
    return true;
}

}  // namespace

int countItems(const ItemTable& table) {
    if (!table.db || !table.name) return 0;
    Statement count = prepare(table, "SELECT COUNT(*) FROM '@';");
    return count.step() == SQLITE_ROW ? int(count.number(0)) : 0;
}

// --- writeItem ---------------------------------------------------------------

namespace {

// The identifiers of the open ItemIdRun: its table and, once read, the
// largest absolute identifier in it.
struct IdRun {
    bool open = false;
    sqlite3* db = nullptr;
    std::string name;
    bool known = false;
    LONG largest = 0;
};

IdRun& idRun() {
    static IdRun run;
    return run;
}

bool inIdRun(const ItemTable& table) {
    const IdRun& run = idRun();
    return run.open && run.db == table.db && table.name && run.name == table.name;
}

LONG largestItemId(const ItemTable& table) {
    if (!inIdRun(table)) return maxAbsItemId(table);
    IdRun& run = idRun();
    if (!run.known) {
        run.largest = maxAbsItemId(table);
        run.known = true;
    }
    return run.largest;
}

// A row was inserted as `id` (0: the insert failed, and what the table
// holds is read again next time).
void noteInserted(const ItemTable& table, LONG id) {
    if (!inIdRun(table)) return;
    IdRun& run = idRun();
    if (id <= 0)
        run.known = false;
    else if (run.known && id > run.largest)
        run.largest = id;
}

LONG insertItem(const ItemTable& table, const ItemRecord& item) {
    std::string text;
    std::string note;
    bool textOk = literalText(item.strText, ITEM_TEXT_CHARS, ITEM_TEXT_CHARS, &text);
    bool noteOk = literalText(item.strNoteText, ITEM_NOTE_CHARS, ITEM_NOTE_CHARS, &note);
    int code = 0;
    if (item.fieldMask & ITEM_TEXT) {
        // The text alone replaces a full insert asked for in the same call.
        if (!textOk) return -1;
        code = prepare(table, "INSERT INTO '@' (strText) VALUES (#);").bindText(text).run();
    } else if (item.fieldMask & ITEM_ALL) {
        LONG largest = largestItemId(table);
        // Identifiers only grow; at the top of the range there is no next one.
        if (largest >= INT32_MAX || !textOk || !noteOk) return -1;
        Statement insert = prepare(table,
                                   "INSERT INTO '@' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,"
                                   "bNodeExpand,strNoteText,intNumChild) VALUES (?, ?, ?,#,?,?,?,?,#,?);");
        insert.bind(largest + 1).bind(item.longParentID).bind(item.longOrder).bindText(text);
        insert.bind(item.bChecked).bind(item.bDisplay).bind(item.bNote).bind(item.bNodeExpand).bindText(note);
        code = insert.bind(item.intNumChild).run();
    } else {
        return -1;
    }
    if (code != SQLITE_DONE) {
        noteInserted(table, 0);
        return -1;
    }
    const LONG id = static_cast<LONG>(sqlite3_last_insert_rowid(table.db));
    noteInserted(table, id);
    return id;
}

// Runs the statements of every set bit on a stored item, in the fixed order.
// True when each of them ran to its end; every one is still tried after a
// failure, as the bits are independent columns. A text that would not form
// a closed literal counts as a failed statement and is not run. `ran` tells
// whether any bit applied.
bool updateItem(const ItemTable& table, const ItemRecord& item, bool* ran) {
    std::string text;
    std::string note;
    const bool textOk = literalText(item.strText, ITEM_TEXT_CHARS, ITEM_TEXT_CHARS, &text);
    const bool noteOk = literalText(item.strNoteText, ITEM_NOTE_CHARS, ITEM_NOTE_CHARS, &note);
    const int mask = item.fieldMask;
    const long long id = item.longID;
    bool allDone = true;
    *ran = false;
    auto done = [&](Statement& statement) {
        *ran = true;
        if (statement.run() != SQLITE_DONE) allDone = false;
    };
    auto refused = [&] {
        *ran = true;
        allDone = false;
    };
    auto set = [&](const char* templ, long long value) {
        done(prepare(table, templ).bind(value).bind(id));
    };

    if (mask & ITEM_ALL) {
        if (textOk)
            done(prepare(table, "UPDATE '@' SET longParentID=?,longOrder=?,strText=# WHERE longID = ?;")
                     .bind(item.longParentID)
                     .bind(item.longOrder)
                     .bindText(text)
                     .bind(id));
        else
            refused();
        done(prepare(table,
                     "UPDATE '@' SET bChecked=?,bDisplay=?,bNote=?,bNodeExpand=?,intNumChild=? WHERE longID = ?;")
                 .bind(item.bChecked)
                 .bind(item.bDisplay)
                 .bind(item.bNote)
                 .bind(item.bNodeExpand)
                 .bind(item.intNumChild)
                 .bind(id));
        if (noteOk)
            done(prepare(table, "UPDATE '@' SET strNoteText=# WHERE longID = ?;").bindText(note).bind(id));
        else
            refused();
    }
    if (mask & ITEM_TEXT) {
        if (textOk)
            done(prepare(table, "UPDATE '@' SET strText=# WHERE longID = ?;").bindText(text).bind(id));
        else
            refused();
    }
    if (mask & ITEM_EXPAND) set("UPDATE '@' SET bNodeExpand=? WHERE longID = ?;", item.bNodeExpand);
    if (mask & ITEM_CHECK) set("UPDATE '@' SET bChecked=? WHERE longID = ?;", item.bChecked);
    if (mask & ITEM_NOTE) {
        if (noteOk)
            done(prepare(table, "UPDATE '@' SET bNote=?, strNoteText=# WHERE longID = ?;")
                     .bind(item.bNote)
                     .bindText(note)
                     .bind(id));
        else
            refused();
    }
    if (mask & ITEM_ORDER) set("UPDATE '@' SET longOrder=? WHERE longID = ?;", item.longOrder);
    if (mask & ITEM_NUMCHILD) set("UPDATE '@' SET intNumChild=? WHERE longID = ?;", item.intNumChild);
    if (mask & ITEM_DISPLAY)
        done(prepare(table, "UPDATE '@' SET bDisplay=?, bNote=? WHERE longID = ?;")
                 .bind(item.bDisplay)
                 .bind(item.bNote)
                 .bind(id));
    if (mask & ITEM_PARENT) set("UPDATE '@' SET longParentID=? WHERE longID = ?;", item.longParentID);
    return allDone;
}

}  // namespace

LONG writeItem(const ItemTable& table, ItemRecord item) {
    if (!table.db || !table.name) return -1;
    if (item.longID == 0) return insertItem(table, item);
    bool ran = false;
    // A failure of any of the statements is the call's failure, not only of
    // the last one: a half-written item must not be reported as stored.
    bool allDone = updateItem(table, item, &ran);
    return ran && allDone ? item.longID : -1;
}

// --- readItem ----------------------------------------------------------------

namespace {

// The fields one readItem statement fills, in column order.
enum class Field { Parent, Text, Checked, Display, Expand, Note, NoteText, NumChild, Order };

struct ReadForm {
    int bit;
    const char* sql;
    std::vector<Field> fields;
};

const std::vector<ReadForm>& readForms() {
    static const std::vector<ReadForm> forms = {
        {ITEM_ALL,
         "SELECT longParentID,$strText,bChecked,bDisplay,bNodeExpand,bNote,$strNoteText,intNumChild,longOrder FROM '@' "
         "WHERE longID = ?;",
         {Field::Parent, Field::Text, Field::Checked, Field::Display, Field::Expand, Field::Note, Field::NoteText,
          Field::NumChild, Field::Order}},
        {ITEM_TEXT, "SELECT $strText FROM '@' WHERE longID = ?;", {Field::Text}},
        {ITEM_TEXTNOTE, "SELECT $strText,$strNoteText FROM '@' WHERE longID = ?;", {Field::Text, Field::NoteText}},
        {ITEM_NOTEFLAG, "SELECT bNote FROM '@' WHERE longID = ?;", {Field::Note}},
        {ITEM_PARENT, "SELECT longParentID FROM '@' WHERE longID = ?;", {Field::Parent}},
        {ITEM_NUMCHILD, "SELECT intNumChild FROM '@' WHERE longID = ?;", {Field::NumChild}},
        {ITEM_NOTE, "SELECT bNote, $strNoteText FROM '@' WHERE longID = ?;", {Field::Note, Field::NoteText}},
        {ITEM_ORDER, "SELECT longOrder FROM '@' WHERE longID = ?;", {Field::Order}},
        {ITEM_EXPAND, "SELECT bNodeExpand FROM '@' WHERE longID = ?;", {Field::Expand}},
        {ITEM_DISPLAY, "SELECT bNote,bDisplay FROM '@' WHERE longID = ?;", {Field::Note, Field::Display}},
    };
    return forms;
}

void fillField(sqlite3_stmt* statement, int column, Field field, ItemRecord* item) {
    char text[codePageBytes(ITEM_NOTE_CHARS)];
    switch (field) {
    case Field::Parent: item->longParentID = columnNumber(statement, column); break;
    case Field::Checked: item->bChecked = columnNumber(statement, column); break;
    case Field::Display: item->bDisplay = columnNumber(statement, column); break;
    case Field::Expand: item->bNodeExpand = columnNumber(statement, column); break;
    case Field::Note: item->bNote = columnNumber(statement, column); break;
    case Field::NumChild: item->intNumChild = columnNumber(statement, column); break;
    case Field::Order: item->longOrder = columnNumber(statement, column); break;
    case Field::Text:
        columnText(statement, column, text, codePageBytes(ITEM_TEXT_CHARS));
        codePageToWide(text, item->strText, ITEM_TEXT_CHARS);
        break;
    case Field::NoteText:
        columnText(statement, column, text, codePageBytes(ITEM_NOTE_CHARS));
        codePageToWide(text, item->strNoteText, ITEM_NOTE_CHARS);
        break;
    }
}

}  // namespace

int readItem(const ItemTable& table, ItemRecord* item, int mask) {
    if (!table.db || !table.name || !item || item->longID == 0) return 0;
    const ReadForm* form = nullptr;
    for (const ReadForm& candidate : readForms()) {
        if (mask & candidate.bit) {
            form = &candidate;
            break;
        }
    }
    if (!form) return 0;
    Statement read = prepare(table, form->sql);
    if (read.bind(item->longID).step() != SQLITE_ROW) return 0;
    for (size_t i = 0; i < form->fields.size(); ++i) fillField(read.get(), static_cast<int>(i), form->fields[i], item);
    return 1;
}

// --- identifiers and parking -------------------------------------------------

namespace {

int runWithIds(const ItemTable& table, const char* templ, long long first, long long second) {
    return prepare(table, templ).bind(first).bind(second).run();
}

}  // namespace

int parkItemId(const ItemTable& table, LONG id) {
    if (id == 0) return 0;
    if (!table.db || !table.name) return 1;
    const long long magnitude = std::llabs(static_cast<long long>(id));
    runWithIds(table, "UPDATE '@' set longID = ? WHERE longID = ?;", id, magnitude);
    return 1;
}

int unparkItemId(const ItemTable& table, LONG id) {
    if (id == 0) return 0;
    if (!table.db || !table.name) return 1;
    const long long magnitude = std::llabs(static_cast<long long>(id));
    runWithIds(table, "UPDATE '@' set longID = ? WHERE longID = ?;", magnitude, -magnitude);
    return 1;
}

int deleteItemRow(const ItemTable& table, LONG id) {
    if (id == 0) return 0;
    if (!table.db || !table.name) return 1;
    prepare(table, "DELETE FROM '@' WHERE longID = ?;").bind(id).run();
    return 1;
}

LONG maxAbsItemId(const ItemTable& table) {
    if (!item_sql::tableReady(table)) return 0;
    // The largest absolute identifier is the largest one or the negative of
    // the smallest. Each of these is one look at the end of the table's
    // key, where MAX(ABS(longID)) reads every row: a new item in a long
    // list (and an import of many) would otherwise take a scan each.
    Statement largest = prepare(table, "SELECT MAX(longID) FROM '@';");
    Statement smallest = prepare(table, "SELECT MIN(longID) FROM '@';");
    if (!largest.ready() || !smallest.ready()) return 0;
    largest.step();
    smallest.step();
    const int64_t most = largest.number(0);
    const int64_t least = smallest.number(0);
    const int64_t magnitude = std::max<int64_t>(most < 0 ? -most : most, least < 0 ? -least : least);
    return magnitude > INT32_MAX ? INT32_MAX : LONG(magnitude);
}

ItemIdRun::ItemIdRun(const ItemTable& table) {
    IdRun& run = idRun();
    if (run.open || !table.db || !table.name) return;
    run = IdRun{true, table.db, table.name, false, 0};
    owner_ = true;
}

ItemIdRun::~ItemIdRun() {
    if (owner_) idRun() = IdRun{};
}
