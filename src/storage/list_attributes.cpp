#include "storage/list_attributes.h"

#include <cstring>
#include <string>

#include "common/codepage.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"

namespace {

bool ready(sqlite3* db) { return db && tableExists(db, "ListAttributes"); }

void setWide(WCHAR* field, int capacity, const char16_t* text) {
    size_t length = std::char_traits<WCHAR>::length(text);
    if (length > static_cast<size_t>(capacity - 1)) length = static_cast<size_t>(capacity - 1);
    std::char_traits<WCHAR>::copy(field, text, length);
    field[length] = 0;
}

// The numeric attributes in the order they are written. Colours go into
// the statement as "%ld", flags and numbers as "%d"; both come out as the
// same decimal text, so one template serves, and the value is widened to
// long for it.
struct NumberColumn {
    const char* name;
    long (*value)(const ListAttributes&);
};

#define COLOUR_COLUMN(field) \
    { #field, [](const ListAttributes& a) { return static_cast<long>(static_cast<LONG>(a.field)); } }
#define FLAG_COLUMN(field) \
    { #field, [](const ListAttributes& a) { return static_cast<long>(a.field); } }

const NumberColumn numberColumns[] = {
    COLOUR_COLUMN(crBackground),   COLOUR_COLUMN(crListName),     COLOUR_COLUMN(crNoteBackground),
    COLOUR_COLUMN(crNoteText),     COLOUR_COLUMN(crItemLevel0),   COLOUR_COLUMN(crItemLevel1),
    COLOUR_COLUMN(crItemLevel2),   COLOUR_COLUMN(crItemLevel3),   COLOUR_COLUMN(crItemCheck),
    COLOUR_COLUMN(crItemHidden),   COLOUR_COLUMN(crItemLine),     FLAG_COLUMN(bUseBitmapFile),
    FLAG_COLUMN(bRootBold),        FLAG_COLUMN(bStrikeCheck),     FLAG_COLUMN(bColorChecked),
    FLAG_COLUMN(bCheckbox),        FLAG_COLUMN(intButtonType),    FLAG_COLUMN(bAlphaSort),
    FLAG_COLUMN(bCheckSort),       FLAG_COLUMN(bPassword),        FLAG_COLUMN(intCompletionShow),
    FLAG_COLUMN(bAutoCheck),       FLAG_COLUMN(bShowHiddenItems), FLAG_COLUMN(bHiliteHiddenItems),
    FLAG_COLUMN(bHideChecked),
};

#undef COLOUR_COLUMN
#undef FLAG_COLUMN

}  // namespace

ListAttributes defaultListAttributes() {
    ListAttributes a{};
    a.crListName = 0x960000;
    a.crBackground = 0xD7FFFF;
    a.crNoteBackground = 0x6AFFFF;
    a.crNoteText = 0x960000;
    a.crItemLevel0 = 0xB40000;
    a.crItemLevel1 = 0x00DC00;
    a.crItemLevel2 = 0x0000DC;
    a.crItemLevel3 = 0xFF0080;
    a.crItemLine = 0x848484;
    a.crItemCheck = 0xB9B9B9;
    a.crItemHidden = 0xFF00FF;
    a.bUseBitmapFile = 0;
    setWide(a.strBitmapFile, LIST_BITMAP_CHARS, u"(None)");
    a.bPassword = 0;
    a.bCheckbox = 1;
    a.bHideChecked = 0;
    a.bAlphaSort = 0;
    a.bCheckSort = 0;
    a.bShowHiddenItems = 1;
    a.bHiliteHiddenItems = 1;
    a.bAutoCheck = 0;
    a.bRootBold = 1;
    a.bStrikeCheck = 1;
    a.bColorChecked = 1;
    a.intButtonType = 1;
    a.intCompletionShow = 0;
    return a;
}

int writeListAttributes(sqlite3* db, const char* listName, ListAttributes attributes) {
    if (!ready(db) || !listName) return 0;
    const std::string name = listName;

    Statement select(db, "SELECT * FROM ListAttributes WHERE strListName=?;");
    const int code = select.bindText(name).step();
    if (code != SQLITE_ROW && code != SQLITE_DONE) return 0;
    if (code == SQLITE_DONE &&
        Statement(db, "INSERT INTO ListAttributes (strListName) VALUES (?);").bindText(name).run() != SQLITE_DONE)
        return 0;

    // Each value goes in as its decimal text between quotes, as the column
    // has always been written; the column's type stores it as a number.
    for (const NumberColumn& column : numberColumns) {
        Statement update(db, std::string("UPDATE ListAttributes SET ") + column.name + "=? WHERE strListName=?;");
        if (update.bindText(std::to_string(column.value(attributes))).bindText(name).run() != SQLITE_DONE) return 0;
    }

    // The verifier is hex text and a picture path rarely holds a quote; a
    // bound value is stored as it is either way.
    char text[LIST_PASSWORD_CHARS];
    wideToCodePage(attributes.strPassword, text, LIST_PASSWORD_CHARS);
    if (Statement(db, "UPDATE ListAttributes SET strPassword=? WHERE strListName=?;").bindText(text).bindText(name).run() !=
        SQLITE_DONE)
        return 0;

    char path[codePageBytes(LIST_BITMAP_CHARS)];
    wideToCodePage(attributes.strBitmapFile, path, sizeof path, LIST_BITMAP_CHARS - 1);
    if (Statement(db, "UPDATE ListAttributes SET strBitmapFile=? WHERE strListName=?;").bindText(path).bindText(name).run() !=
        SQLITE_DONE)
        return 0;
    return 1;
}

int readListAttributes(sqlite3* db, const char* listName, ListAttributes* attributes) {
    if (!ready(db) || !listName || !attributes) return 0;
    Statement select(db, "SELECT * FROM ListAttributes WHERE strListName=?;");
    if (select.bindText(listName).step() != SQLITE_ROW) return 0;
    sqlite3_stmt* statement = select.get();
    ListAttributes& a = *attributes;
    char text[codePageBytes(200)];
    columnText(statement, 0, text, sizeof text);
    codePageToWide(text, a.strListName, LIST_NAME_CHARS);
    columnText(statement, 1, text, sizeof text);
    codePageToWide(text, a.strBitmapFile, LIST_BITMAP_CHARS);
    columnText(statement, 2, text, sizeof text);
    codePageToWide(text, a.strPassword, LIST_PASSWORD_CHARS);

    // Columns 3 to 27 in the order of the table; bActive (28) has no field.
    a.crBackground = static_cast<COLORREF>(columnNumber(statement, 3));
    a.crListName = static_cast<COLORREF>(columnNumber(statement, 4));
    a.crNoteBackground = static_cast<COLORREF>(columnNumber(statement, 5));
    a.crNoteText = static_cast<COLORREF>(columnNumber(statement, 6));
    a.intButtonType = columnNumber(statement, 7);
    a.intCompletionShow = columnNumber(statement, 8);
    a.crItemLevel0 = static_cast<COLORREF>(columnNumber(statement, 9));
    a.crItemLevel1 = static_cast<COLORREF>(columnNumber(statement, 10));
    a.crItemLevel2 = static_cast<COLORREF>(columnNumber(statement, 11));
    a.crItemLevel3 = static_cast<COLORREF>(columnNumber(statement, 12));
    a.crItemLine = static_cast<COLORREF>(columnNumber(statement, 13));
    a.crItemCheck = static_cast<COLORREF>(columnNumber(statement, 14));
    a.crItemHidden = static_cast<COLORREF>(columnNumber(statement, 15));
    a.bUseBitmapFile = columnNumber(statement, 16);
    a.bPassword = columnNumber(statement, 17);
    a.bCheckbox = columnNumber(statement, 18);
    a.bHideChecked = columnNumber(statement, 19);
    a.bAlphaSort = columnNumber(statement, 20);
    a.bCheckSort = columnNumber(statement, 21);
    a.bRootBold = columnNumber(statement, 22);
    a.bStrikeCheck = columnNumber(statement, 23);
    a.bColorChecked = columnNumber(statement, 24);
    a.bAutoCheck = columnNumber(statement, 25);
    a.bShowHiddenItems = columnNumber(statement, 26);
    a.bHiliteHiddenItems = columnNumber(statement, 27);
    return 1;
}

namespace {

// Steps `select` once for a first row and copies its column 0 into `out`.
int readFirstName(Statement& select, char* out, int capacity) {
    if (select.step() != SQLITE_ROW) return 0;
    columnText(select.get(), 0, out, capacity);
    return 1;
}

}  // namespace

int readActiveListName(sqlite3* db, char* out, int capacity) {
    if (!ready(db) || !out || capacity <= 0) return 0;
    Statement select(db, "SELECT strListName FROM ListAttributes WHERE bActive=?;");
    return readFirstName(select.bindText("1"), out, capacity);
}

int setActiveList(sqlite3* db, const char* listName) {
    if (!ready(db) || !listName) return 0;
    Statement clear(db, "UPDATE ListAttributes SET bActive=?;");
    if (!clear.ready()) return 0;
    clear.bindText("0").run();
    Statement mark(db, "UPDATE ListAttributes SET bActive=? WHERE strListName = ?;");
    if (!mark.ready()) return 0;
    mark.bindText("1").bindText(listName).run();
    return 1;
}

int deleteListAttributes(sqlite3* db, const char* listName) {
    if (!ready(db) || !listName) return 0;
    Statement remove(db, "DELETE FROM ListAttributes WHERE strListName = ?;");
    return remove.bindText(listName).run() == SQLITE_DONE ? 1 : 0;
}

int readFirstListName(sqlite3* db, char* out, int capacity) {
    if (!out || capacity <= 0) return 0;
    out[0] = 0;
    if (!ready(db)) return 0;
    Statement select(db, "SELECT strListName FROM ListAttributes;");
    return readFirstName(select, out, capacity);
}

int fillListNameBox(sqlite3* db, ListNameBox& box) {
    if (!ready(db)) return 0;
    Statement select(db, "SELECT strListName FROM ListAttributes;");
    if (!select.ready()) return 0;
    box.reset();
    int added = 0;
    while (select.step() == SQLITE_ROW) {
        char name[codePageBytes(LIST_NAME_CHARS)];
        columnText(select.get(), 0, name, sizeof name);
        WCHAR wide[LIST_NAME_CHARS];
        codePageToWide(name, wide, LIST_NAME_CHARS);
        if (box.add(wide)) ++added;
    }
    return added;
}

void describeDatabase(sqlite3* db, LPCWSTR path, WCHAR* out, int capacity) {
    if (!out || capacity <= 0) return;
    std::u16string text = u"'";
    if (path) text += path;
    text += u"'\n";
    if (!db) {
        text += u"\n\nError in retrieving database attributes!";
    } else if (!tableExists(db, "ListAttributes")) {
        text += u"\n\nError in opening 'ListAttributes' table!";
    } else {
        Statement count(db, "SELECT COUNT(*) FROM ListAttributes;");
        if (!count.ready()) {
            text += u"\n\nError in getting list count!";
        } else {
            LONG lists = count.step() == SQLITE_ROW ? columnNumber(count.get(), 0) : 0;
            std::string digits = std::to_string(lists);
            text += u"\n- Number of Lists: ";
            text += std::u16string(digits.begin(), digits.end());
        }
    }
    size_t length = text.size() < static_cast<size_t>(capacity - 1) ? text.size() : static_cast<size_t>(capacity - 1);
    std::char_traits<WCHAR>::copy(out, text.data(), length);
    out[length] = 0;
}
