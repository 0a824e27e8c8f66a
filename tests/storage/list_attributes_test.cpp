// The ListAttributes row of a list: defaults, writing every column, reading
// back, the active list, the list-name box and the database description.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/list_attributes.h"
#include "storage_test_util.h"

using storage_test::MemoryListDb;
using storage_test::scalar;

namespace {

// A list-name box that is a plain list of names.
class NameList : public ListNameBox {
public:
    std::vector<std::u16string> names;
    int failAt = -1;  // textAt fails from this index on
    int count() override { return static_cast<int>(names.size()); }
    bool textAt(int index, WCHAR* out, int capacity) override {
        if (index < 0 || index >= count() || (failAt >= 0 && index >= failAt)) return false;
        std::u16string text = names[static_cast<size_t>(index)].substr(0, static_cast<size_t>(capacity - 1));
        std::char_traits<char16_t>::copy(out, text.c_str(), text.size() + 1);
        return true;
    }
    void reset() override { names.clear(); }
    bool add(const WCHAR* name) override {
        names.push_back(name);
        return true;
    }
};

// Every attribute different from its default and from each other.
ListAttributes distinctive() {
    ListAttributes a = defaultListAttributes();
    a.crListName = 0x010203;
    a.crBackground = 0x040506;
    a.crNoteBackground = 0x070809;
    a.crNoteText = 0x0A0B0C;
    a.crItemLevel0 = 0x0D0E0F;
    a.crItemLevel1 = 0x101112;
    a.crItemLevel2 = 0x131415;
    a.crItemLevel3 = 0x161718;
    a.crItemLine = 0x191A1B;
    a.crItemCheck = 0x1C1D1E;
    a.crItemHidden = 0x1F2021;
    a.bUseBitmapFile = 1;
    std::u16string bitmap = u"\\My Documents\\Bob's picture.jpg";
    std::char_traits<char16_t>::copy(a.strBitmapFile, bitmap.c_str(), bitmap.size() + 1);
    a.bPassword = 1;
    std::u16string password = u"0123456789abcdef";
    std::char_traits<char16_t>::copy(a.strPassword, password.c_str(), password.size() + 1);
    a.bCheckbox = 0;
    a.bHideChecked = 1;
    a.bAlphaSort = 1;
    a.bCheckSort = 1;
    a.bShowHiddenItems = 0;
    a.bHiliteHiddenItems = 0;
    a.bAutoCheck = 1;
    a.bRootBold = 0;
    a.bStrikeCheck = 0;
    a.bColorChecked = 0;
    a.intButtonType = 3;
    a.intCompletionShow = 2;
    return a;
}

void expectSameAttributes(const ListAttributes& a, const ListAttributes& b) {
    EXPECT_EQ(a.crListName, b.crListName);
    EXPECT_EQ(a.crBackground, b.crBackground);
    EXPECT_EQ(a.crNoteBackground, b.crNoteBackground);
    EXPECT_EQ(a.crNoteText, b.crNoteText);
    EXPECT_EQ(a.crItemLevel0, b.crItemLevel0);
    EXPECT_EQ(a.crItemLevel1, b.crItemLevel1);
    EXPECT_EQ(a.crItemLevel2, b.crItemLevel2);
    EXPECT_EQ(a.crItemLevel3, b.crItemLevel3);
    EXPECT_EQ(a.crItemLine, b.crItemLine);
    EXPECT_EQ(a.crItemCheck, b.crItemCheck);
    EXPECT_EQ(a.crItemHidden, b.crItemHidden);
    EXPECT_EQ(a.bUseBitmapFile, b.bUseBitmapFile);
    EXPECT_EQ(std::u16string(a.strBitmapFile), std::u16string(b.strBitmapFile));
    EXPECT_EQ(a.bPassword, b.bPassword);
    EXPECT_EQ(std::u16string(a.strPassword), std::u16string(b.strPassword));
    EXPECT_EQ(a.bCheckbox, b.bCheckbox);
    EXPECT_EQ(a.bHideChecked, b.bHideChecked);
    EXPECT_EQ(a.bAlphaSort, b.bAlphaSort);
    EXPECT_EQ(a.bCheckSort, b.bCheckSort);
    EXPECT_EQ(a.bShowHiddenItems, b.bShowHiddenItems);
    EXPECT_EQ(a.bHiliteHiddenItems, b.bHiliteHiddenItems);
    EXPECT_EQ(a.bAutoCheck, b.bAutoCheck);
    EXPECT_EQ(a.bRootBold, b.bRootBold);
    EXPECT_EQ(a.bStrikeCheck, b.bStrikeCheck);
    EXPECT_EQ(a.bColorChecked, b.bColorChecked);
    EXPECT_EQ(a.intButtonType, b.intButtonType);
    EXPECT_EQ(a.intCompletionShow, b.intCompletionShow);
}

TEST(ListAttributesStore, DefaultsAreTheStartUpAttributes) {
    ListAttributes a = defaultListAttributes();
    EXPECT_EQ(std::u16string(a.strListName), u"");
    EXPECT_EQ(a.crListName, 0x960000u);
    EXPECT_EQ(a.crBackground, 0xD7FFFFu);
    EXPECT_EQ(a.crNoteBackground, 0x6AFFFFu);
    EXPECT_EQ(a.crNoteText, 0x960000u);
    EXPECT_EQ(a.crItemLevel0, 0xB40000u);
    EXPECT_EQ(a.crItemLevel1, 0x00DC00u);
    EXPECT_EQ(a.crItemLevel2, 0x0000DCu);
    EXPECT_EQ(a.crItemLevel3, 0xFF0080u);
    EXPECT_EQ(a.crItemLine, 0x848484u);
    EXPECT_EQ(a.crItemCheck, 0xB9B9B9u);
    EXPECT_EQ(a.crItemHidden, 0xFF00FFu);
    EXPECT_EQ(std::u16string(a.strBitmapFile), u"(None)");
    EXPECT_EQ(std::u16string(a.strPassword), u"");
    EXPECT_EQ(a.bUseBitmapFile + a.bPassword + a.bHideChecked + a.bAlphaSort + a.bCheckSort + a.bAutoCheck, 0);
    EXPECT_EQ(a.bCheckbox + a.bShowHiddenItems + a.bHiliteHiddenItems + a.bRootBold + a.bStrikeCheck + a.bColorChecked, 6);
    EXPECT_EQ(a.intButtonType, 1);
    EXPECT_EQ(a.intCompletionShow, 0);
}

TEST(ListAttributesStore, WriteInsertsOnceThenUpdatesTheSameRow) {
    MemoryListDb db;
    ListAttributes written = distinctive();
    ASSERT_EQ(writeListAttributes(db, "Groceries", written), 1);
    ASSERT_EQ(writeListAttributes(db, "Groceries", written), 1);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM ListAttributes;"), "1");
    // Stored as decimal text of the values; the name in the record is not
    // written and bActive is not touched.
    EXPECT_EQ(scalar(db, "SELECT crItemHidden FROM ListAttributes;"), std::to_string(0x1F2021));
    EXPECT_EQ(scalar(db, "SELECT bActive FROM ListAttributes;"), "<null>");
    // A picture path with a quote is stored as it is.
    EXPECT_EQ(scalar(db, "SELECT strBitmapFile FROM ListAttributes;"), "\\My Documents\\Bob's picture.jpg");

    ListAttributes read = defaultListAttributes();
    ASSERT_EQ(readListAttributes(db, "Groceries", &read), 1);
    EXPECT_EQ(std::u16string(read.strListName), u"Groceries");
    expectSameAttributes(read, written);

    written.crBackground = 0xFFFFFF;
    written.bAlphaSort = 0;
    ASSERT_EQ(writeListAttributes(db, "Groceries", written), 1);
    ASSERT_EQ(readListAttributes(db, "Groceries", &read), 1);
    expectSameAttributes(read, written);
    EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM ListAttributes;"), "1");
}

TEST(ListAttributesStore, ReadOfAMissingRowLeavesTheRecordAlone) {
    MemoryListDb db;
    ListAttributes read = distinctive();
    EXPECT_EQ(readListAttributes(db, "Nothing", &read), 0);
    expectSameAttributes(read, distinctive());
}

TEST(ListAttributesStore, NullColumnsReadAsZeroAndEmpty) {
    MemoryListDb db;
    char error[200];
    ASSERT_EQ(executeSql(db, "INSERT INTO ListAttributes (strListName) VALUES ('Bare');", error, sizeof error), 101);
    ListAttributes read = distinctive();
    ASSERT_EQ(readListAttributes(db, "Bare", &read), 1);
    EXPECT_EQ(std::u16string(read.strBitmapFile), u"");
    EXPECT_EQ(std::u16string(read.strPassword), u"");
    EXPECT_EQ(read.crBackground, 0u);
    EXPECT_EQ(read.bCheckbox, 0);
    EXPECT_EQ(read.intButtonType, 0);
}

TEST(ListAttributesStore, LongTextsAreCutToTheirFields) {
    MemoryListDb db;
    char error[200];
    std::string longName(60, 'n');
    std::string longPath(150, 'p');
    ASSERT_EQ(executeSql(db, ("INSERT INTO ListAttributes (strListName, strBitmapFile, strPassword) VALUES ('" + longName +
                              "','" + longPath + "','" + longPath + "');")
                                 .c_str(),
                         error, sizeof error),
              101);
    ListAttributes read = defaultListAttributes();
    ASSERT_EQ(readListAttributes(db, longName.c_str(), &read), 1);
    EXPECT_EQ(std::u16string(read.strListName), std::u16string(39, u'n'));
    EXPECT_EQ(std::u16string(read.strBitmapFile), std::u16string(79, u'p'));
    EXPECT_EQ(std::u16string(read.strPassword), std::u16string(79, u'p'));

    // Written back, a path at its capacity keeps all 79 characters.
    ASSERT_EQ(writeListAttributes(db, longName.c_str(), read), 1);
    EXPECT_EQ(scalar(db, "SELECT length(strBitmapFile) FROM ListAttributes;"), "79");
}

TEST(ListAttributesStore, OneActiveList) {
    MemoryListDb db;
    char name[40] = "unchanged";
    EXPECT_EQ(readActiveListName(db, name, sizeof name), 0);
    for (const char* list : {"A", "B", "C"}) ASSERT_EQ(writeListAttributes(db, list, defaultListAttributes()), 1);
    EXPECT_EQ(readActiveListName(db, name, sizeof name), 0);
    EXPECT_EQ(setActiveList(db, "B"), 1);
    EXPECT_EQ(readActiveListName(db, name, sizeof name), 1);
    EXPECT_STREQ(name, "B");
    EXPECT_EQ(setActiveList(db, "C"), 1);
    EXPECT_EQ(storage_test::column(db, "SELECT strListName FROM ListAttributes WHERE bActive=1;"), "C");
    // A name without a row leaves no list active.
    EXPECT_EQ(setActiveList(db, "Nope"), 1);
    EXPECT_EQ(readActiveListName(db, name, sizeof name), 0);
    // The name is cut to the buffer.
    ASSERT_EQ(setActiveList(db, "A"), 1);
    char tiny[1] = {'x'};
    EXPECT_EQ(readActiveListName(db, tiny, 1), 1);
    EXPECT_EQ(tiny[0], 0);
}

TEST(ListAttributesStore, FirstNameDeleteAndFillTheBox) {
    MemoryListDb db;
    char name[40] = "junk";
    EXPECT_EQ(readFirstListName(db, name, sizeof name), 0);
    EXPECT_STREQ(name, "");

    NameList box;
    box.names = {u"stale"};
    EXPECT_EQ(fillListNameBox(db, box), 0);
    EXPECT_TRUE(box.names.empty());

    for (const char* list : {"Work", "Home", "Caf\xe9"}) ASSERT_EQ(writeListAttributes(db, list, defaultListAttributes()), 1);
    EXPECT_EQ(readFirstListName(db, name, sizeof name), 1);
    EXPECT_STREQ(name, "Work");
    EXPECT_EQ(fillListNameBox(db, box), 3);
    EXPECT_EQ(box.names, (std::vector<std::u16string>{u"Work", u"Home", u"Caf\u00e9"}));

    EXPECT_EQ(deleteListAttributes(db, "Home"), 1);
    EXPECT_EQ(fillListNameBox(db, box), 2);
    EXPECT_EQ(deleteListAttributes(db, "Home"), 1);  // nothing to delete is still done
}

TEST(ListAttributesStore, DescribeDatabase) {
    MemoryListDb db;
    WCHAR text[300];
    for (const char* list : {"A", "B", "C"}) ASSERT_EQ(writeListAttributes(db, list, defaultListAttributes()), 1);
    describeDatabase(db, u"\\My Documents\\lists.qu2", text, 300);
    EXPECT_EQ(std::u16string(text), u"'\\My Documents\\lists.qu2'\n\n- Number of Lists: 3");
    describeDatabase(nullptr, u"\\x.qu2", text, 300);
    EXPECT_EQ(std::u16string(text), u"'\\x.qu2'\n\n\nError in retrieving database attributes!");
    describeDatabase(db, u"\\x.qu2", text, 8);
    EXPECT_EQ(std::u16string(text), u"'\\x.qu2");

    sqlite3* bare = nullptr;
    sqlite3_open(":memory:", &bare);
    describeDatabase(bare, u"\\y.qu2", text, 300);
    EXPECT_EQ(std::u16string(text), u"'\\y.qu2'\n\n\nError in opening 'ListAttributes' table!");
    sqlite3_close(bare);
}

TEST(ListAttributesStore, NothingRunsWithoutTheTable) {
    sqlite3* bare = nullptr;
    sqlite3_open(":memory:", &bare);
    ListAttributes a = defaultListAttributes();
    char name[40];
    NameList box;
    box.names = {u"kept"};
    EXPECT_EQ(writeListAttributes(bare, "A", a), 0);
    EXPECT_EQ(readListAttributes(bare, "A", &a), 0);
    EXPECT_EQ(readActiveListName(bare, name, sizeof name), 0);
    EXPECT_EQ(setActiveList(bare, "A"), 0);
    EXPECT_EQ(deleteListAttributes(bare, "A"), 0);
    EXPECT_EQ(readFirstListName(bare, name, sizeof name), 0);
    EXPECT_EQ(fillListNameBox(bare, box), 0);
    EXPECT_EQ(box.names.size(), 1u);
    EXPECT_EQ(countTables(bare), 0);
    EXPECT_EQ(writeListAttributes(nullptr, "A", a), 0);
    sqlite3_close(bare);
}

TEST(ListAttributesStore, WriteStopsAtTheFirstFailingStatement) {
    MemoryListDb db;
    char error[200];
    ASSERT_EQ(writeListAttributes(db, "L", defaultListAttributes()), 1);
    // A trigger refusing one column makes that statement fail: the ones
    // before it are stored, the ones after keep their old values.
    ASSERT_EQ(executeSql(db,
                         "CREATE TRIGGER refuse BEFORE UPDATE OF bCheckbox ON ListAttributes "
                         "BEGIN SELECT RAISE(ABORT, 'no'); END;",
                         error, sizeof error),
              101);
    ListAttributes changed = distinctive();
    EXPECT_EQ(writeListAttributes(db, "L", changed), 0);
    ListAttributes read = defaultListAttributes();
    ASSERT_EQ(readListAttributes(db, "L", &read), 1);
    EXPECT_EQ(read.bColorChecked, changed.bColorChecked);            // before it
    EXPECT_EQ(read.bCheckbox, defaultListAttributes().bCheckbox);    // the refused one
    EXPECT_EQ(read.intButtonType, defaultListAttributes().intButtonType);  // after it
}

}  // namespace
