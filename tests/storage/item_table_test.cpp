// Items of a list table: writing and reading under the field mask, plain and
// enciphered statement forms, identifiers and parking, order numbers and
// subtree walks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "crypto/cipher.h"
#include "state/app_state.h"
#include "storage/item_table.h"
#include "storage_test_util.h"

using storage_test::column;
using storage_test::MemoryListDb;
using storage_test::itemsOf;
using storage_test::scalar;
using storage_test::StatementLog;

namespace {

const char* const LIST = "To do";

class ItemTable : public ::testing::Test {
protected:
    void SetUp() override {
        attrCurrentList = defaultListAttributes();
        ASSERT_EQ(createItemTable(db, LIST), 1);
    }
    void TearDown() override { attrCurrentList = defaultListAttributes(); }

    // A new item's record, its texts quote-doubled as callers pass them.
    static ItemRecord item(LONG parent, LONG order, const std::u16string& text, const std::u16string& note = u"") {
        ItemRecord r{};
        r.longParentID = parent;
        r.longOrder = order;
        setText(r.strText, ITEM_TEXT_CHARS, text);
        setText(r.strNoteText, ITEM_NOTE_CHARS, note);
        r.bDisplay = 1;
        r.fieldMask = ITEM_ALL;
        return r;
    }
    static void setText(WCHAR* field, int capacity, const std::u16string& text) {
        std::u16string cut = text.substr(0, static_cast<size_t>(capacity - 1));
        std::char_traits<char16_t>::copy(field, cut.c_str(), cut.size() + 1);
        doubleQuotes(field, capacity);
    }
    LONG add(LONG parent, LONG order, const std::u16string& text, int children = 0) {
        ItemRecord r = item(parent, order, text);
        r.intNumChild = children;
        return writeItem(itemsOf(db, LIST), r);
    }
    ItemRecord readBack(LONG id, int mask = ITEM_ALL) {
        ItemRecord r{};
        r.longID = id;
        EXPECT_EQ(readItem(itemsOf(db, LIST), &r, mask), 1) << "item " << id;
        return r;
    }
    std::string q(const std::string& sql) { return scalar(db, sql); }
    std::string ids(const std::string& where = "1") {
        return column(db, "SELECT longID FROM 'To do' WHERE " + where + " ORDER BY longID;");
    }

    MemoryListDb db;
};

TEST_F(ItemTable, TheTableIsCreatedWithItsColumnList) {
    EXPECT_EQ(q("SELECT sql FROM sqlite_master WHERE name='To do';"),
              "CREATE TABLE 'To do' (longID INTEGER PRIMARY KEY,longParentID INTEGER,longOrder INTEGER,strText TEXT,"
              "bChecked BOOLEAN,bDisplay BOOLEAN,bNote BOOLEAN,bNodeExpand BOOLEAN,strNoteText TEXT,intNumChild INTEGER)");
    // A second creation fails and leaves the table alone.
    ASSERT_EQ(add(0, 1, u"kept"), 1);
    EXPECT_EQ(createItemTable(db, LIST), 0);
    EXPECT_EQ(countItems(itemsOf(db, LIST)), 1);
}

TEST_F(ItemTable, NewItemsGetTheNextIdentifierAboveEveryParkedOne) {
    EXPECT_EQ(maxAbsItemId(itemsOf(db, LIST)), 0);
    EXPECT_EQ(add(0, 1, u"first"), 1);
    for (int i = 2; i <= 7; ++i) EXPECT_EQ(add(0, i, u"more"), i);
    EXPECT_EQ(parkItemId(itemsOf(db, LIST), -7), 1);
    EXPECT_EQ(maxAbsItemId(itemsOf(db, LIST)), 7);
    EXPECT_EQ(add(0, 8, u"after the parked one"), 8);
    EXPECT_EQ(countItems(itemsOf(db, LIST)), 8);
    EXPECT_EQ(countItems(itemsOf(db, "missing")), 0);
}

TEST_F(ItemTable, FullInsertAndFullReadRoundTrip) {
    ItemRecord r = item(3, 4, u"Milk & eggs", u"two litres\r\nfree range");
    r.bChecked = 1;
    r.bDisplay = 0;
    r.bNote = 1;
    r.bNodeExpand = 1;
    r.intNumChild = 2;
    LONG id = writeItem(itemsOf(db, LIST), r);
    ASSERT_EQ(id, 1);
    ItemRecord back = readBack(id);
    EXPECT_EQ(back.longParentID, 3);
    EXPECT_EQ(back.longOrder, 4);
    EXPECT_EQ(std::u16string(back.strText), u"Milk & eggs");
    EXPECT_EQ(std::u16string(back.strNoteText), u"two litres\r\nfree range");
    EXPECT_EQ(back.bChecked, 1);
    EXPECT_EQ(back.bDisplay, 0);
    EXPECT_EQ(back.bNote, 1);
    EXPECT_EQ(back.bNodeExpand, 1);
    EXPECT_EQ(back.intNumChild, 2);
}

TEST_F(ItemTable, TextOnlyInsertTakesTheRowidAndLeavesTheRestNull) {
    ASSERT_EQ(add(0, 1, u"a"), 1);
    ItemRecord r = item(0, 0, u"imported");
    r.fieldMask = ITEM_ALL | ITEM_TEXT;  // the text-only insert replaces the full one
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), 2);
    EXPECT_EQ(q("SELECT longParentID FROM 'To do' WHERE longID=2;"), "<null>");
    EXPECT_EQ(q("SELECT strText FROM 'To do' WHERE longID=2;"), "imported");
    r.fieldMask = ITEM_CHECK;  // nothing to insert
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), -1);
    EXPECT_EQ(writeItem(itemsOf(db, "missing"), item(0, 1, u"x")), -1);
}

TEST_F(ItemTable, MaskedUpdatesTouchOnlyTheirColumns) {
    LONG id = add(0, 1, u"original");
    ASSERT_EQ(id, 1);
    ItemRecord r = item(9, 9, u"changed", u"note");
    r.longID = id;
    r.bChecked = 1;
    r.bNodeExpand = 1;
    r.bNote = 1;
    r.bDisplay = 0;
    r.intNumChild = 5;

    StatementLog log(db);
    r.fieldMask = ITEM_CHECK | ITEM_EXPAND;
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), id);
    EXPECT_EQ(log.statements(), (std::vector<std::string>{"UPDATE 'To do' SET bNodeExpand=1 WHERE longID = 1;",
                                                          "UPDATE 'To do' SET bChecked=1 WHERE longID = 1;"}));
    ItemRecord back = readBack(id);
    EXPECT_EQ(std::u16string(back.strText), u"original");
    EXPECT_EQ(back.longParentID, 0);
    EXPECT_EQ(back.bChecked, 1);
    EXPECT_EQ(back.bNodeExpand, 1);
    EXPECT_EQ(back.bNote, 0);

    r.fieldMask = ITEM_NOTEFLAG | ITEM_TEXTNOTE;  // neither is written
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), -1);

    r.fieldMask = ITEM_DISPLAY;
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), id);
    r.fieldMask = ITEM_PARENT | ITEM_ORDER | ITEM_NUMCHILD;
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), id);
    back = readBack(id);
    EXPECT_EQ(back.bDisplay, 0);
    EXPECT_EQ(back.bNote, 1);
    EXPECT_EQ(back.longParentID, 9);
    EXPECT_EQ(back.longOrder, 9);
    EXPECT_EQ(back.intNumChild, 5);

    log.clear();
    r.fieldMask = ITEM_ALL;
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), id);
    EXPECT_EQ(log.statements(),
              (std::vector<std::string>{
                  "UPDATE 'To do' SET longParentID=9,longOrder=9,strText='changed' WHERE longID = 1;",
                  "UPDATE 'To do' SET bChecked=1,bDisplay=0,bNote=1,bNodeExpand=1,intNumChild=5 WHERE longID = 1;",
                  "UPDATE 'To do' SET strNoteText='note' WHERE longID = 1;"}));
    // An update of a row that is not there still runs to completion.
    r.longID = 77;
    r.fieldMask = ITEM_CHECK;
    EXPECT_EQ(writeItem(itemsOf(db, "missing"), r), -1);
}

TEST_F(ItemTable, ReadHonoursOnlyTheFirstMaskBit) {
    ItemRecord r = item(0, 1, u"text", u"note");
    r.bNote = 1;
    r.bChecked = 1;
    LONG id = writeItem(itemsOf(db, LIST), r);

    ItemRecord back{};
    back.longID = id;
    EXPECT_EQ(readItem(itemsOf(db, LIST), &back, ITEM_TEXT | ITEM_NOTE), 1);
    EXPECT_EQ(std::u16string(back.strText), u"text");
    EXPECT_EQ(std::u16string(back.strNoteText), u"");
    EXPECT_EQ(back.bNote, 0);

    EXPECT_EQ(readItem(itemsOf(db, LIST), &back, ITEM_CHECK), 0);
    EXPECT_EQ(back.bChecked, 0);
    EXPECT_EQ(readItem(itemsOf(db, LIST), &back, ITEM_NOTE | ITEM_DISPLAY), 1);
    EXPECT_EQ(std::u16string(back.strNoteText), u"note");
    EXPECT_EQ(back.bNote, 1);
    EXPECT_EQ(back.bDisplay, 0);
    EXPECT_EQ(readItem(itemsOf(db, LIST), &back, ITEM_DISPLAY), 1);
    EXPECT_EQ(back.bDisplay, 1);

    ItemRecord none{};
    EXPECT_EQ(readItem(itemsOf(db, LIST), &none, ITEM_ALL), 0);  // longID 0
    none.longID = 42;
    setText(none.strText, ITEM_TEXT_CHARS, u"untouched");
    EXPECT_EQ(readItem(itemsOf(db, LIST), &none, ITEM_ALL), 0);
    EXPECT_EQ(std::u16string(none.strText), u"untouched");
    EXPECT_EQ(readItem(itemsOf(db, "missing"), &back, ITEM_ALL), 0);
}

TEST_F(ItemTable, QuotesAndEveryCodePageCharacterAreStoredIntact) {
    std::u16string all;
    for (char16_t c = 0x20; c < 0x7F; ++c) all += c;
    const char16_t high[] = u"\u20ac\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\u017d"
                            u"\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\u017e\u0178";
    all += high;
    for (char16_t c = 0xA0; c <= 0xFF; ++c) all += c;
    ASSERT_LT(all.size(), 999u);

    ItemRecord r = item(0, 1, u"It's Bob's", all);
    LONG id = writeItem(itemsOf(db, LIST), r);
    ASSERT_EQ(id, 1);
    ItemRecord back = readBack(id);
    EXPECT_EQ(std::u16string(back.strText), u"It's Bob's");
    EXPECT_EQ(std::u16string(back.strNoteText), all);
    // Stored as 8-bit code-page bytes, not UTF-8.
    EXPECT_EQ(q("SELECT length(CAST(strNoteText AS BLOB)) FROM 'To do';"), std::to_string(all.size()));

    // Characters outside the code page come back as "?".
    ItemRecord outside = item(0, 2, u"\u4e2d\u0416 ok");
    back = readBack(writeItem(itemsOf(db, LIST), outside));
    EXPECT_EQ(std::u16string(back.strText), u"?? ok");
}

TEST_F(ItemTable, AnUndoubledQuoteIsRefusedNotRun) {
    LONG id = add(0, 1, u"safe");
    ItemRecord r{};
    r.longID = id;
    // Without doubling, this text would close the literal and change the
    // parent of every item.
    std::u16string attack = u"x', longParentID=99 WHERE 1=1; --";
    std::char_traits<char16_t>::copy(r.strText, attack.c_str(), attack.size() + 1);
    r.fieldMask = ITEM_TEXT;
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), -1);
    r.longID = 0;
    r.fieldMask = ITEM_ALL;
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), -1);
    EXPECT_EQ(q("SELECT strText || '/' || longParentID FROM 'To do';"), "safe/0");
    EXPECT_EQ(countItems(itemsOf(db, LIST)), 1);
}

TEST_F(ItemTable, TextsAtAndBeyondTheirCapacities) {
    // At capacity: 99 characters of text, 999 of note.
    ItemRecord r = item(0, 1, std::u16string(99, u't'), std::u16string(999, u'n'));
    ItemRecord back = readBack(writeItem(itemsOf(db, LIST), r));
    EXPECT_EQ(std::u16string(back.strText).size(), 99u);
    EXPECT_EQ(std::u16string(back.strNoteText).size(), 999u);

    // A field filled to the last element without a terminator is cut to 99.
    ItemRecord full = item(0, 2, u"");
    for (WCHAR& c : full.strText) c = u'f';
    back = readBack(writeItem(itemsOf(db, LIST), full));
    EXPECT_EQ(std::u16string(back.strText), std::u16string(99, u'f'));

    // Quotes at the end of a full text: doubling keeps pairs whole, so the
    // text is stored (cut) rather than failing.
    ItemRecord quoted = item(0, 3, std::u16string(98, u'q') + u"'");
    back = readBack(writeItem(itemsOf(db, LIST), quoted));
    EXPECT_EQ(std::u16string(back.strText), std::u16string(98, u'q'));

    // Longer stored texts (from another writer) are cut on reading.
    char error[200];
    std::string longText(300, 'L');
    ASSERT_EQ(executeSql(db, ("UPDATE 'To do' SET strText='" + longText + "' WHERE longID=1;").c_str(), error,
                         sizeof error),
              101);
    back = readBack(1, ITEM_TEXT);
    EXPECT_EQ(std::u16string(back.strText), std::u16string(99, u'L'));
}

// --- enciphered forms -------------------------------------------------------------

class EncipheredItems : public ItemTable {
protected:
    void SetUp() override {
        ItemTable::SetUp();
        ASSERT_EQ(setCipherKey("password"), 0);
        attrCurrentList.bPassword = 1;
    }
    void TearDown() override {
        releaseCipherBuffer();
        ItemTable::TearDown();
    }
};

TEST_F(EncipheredItems, WritesThroughBfencryptAndReadsThroughBfdecrypt) {
    StatementLog log(db);
    ItemRecord r = item(0, 1, u"abc", u"Bob's note");
    LONG id = writeItem(itemsOf(db, LIST), r);
    ASSERT_EQ(id, 1);
    ASSERT_FALSE(log.statements().empty());
    EXPECT_EQ(log.statements().back(),
              "INSERT INTO 'To do' (longID,longParentID,longOrder,strText,bChecked,bDisplay,bNote,bNodeExpand,strNoteText,"
              "intNumChild) VALUES (1, 0, 1,bfencrypt('abc'),0,1,0,0,bfencrypt('Bob''s note'),0);");
    // Stored as the lower-case hex of the cipher.
    EXPECT_EQ(q("SELECT strText FROM 'To do';"), "5ea53232df9b39e8");
    std::string note = q("SELECT strNoteText FROM 'To do';");
    EXPECT_EQ(note.find_first_not_of("0123456789abcdef"), std::string::npos) << note;
    EXPECT_EQ(note.size() % 16, 0u);

    log.clear();
    ItemRecord back = readBack(id);
    EXPECT_EQ(log.statements(),
              (std::vector<std::string>{"SELECT longParentID,bfdecrypt(strText),bChecked,bDisplay,bNodeExpand,bNote,"
                                        "bfdecrypt(strNoteText),intNumChild,longOrder FROM 'To do' WHERE longID = 1;"}));
    EXPECT_EQ(std::u16string(back.strText), u"abc");
    EXPECT_EQ(std::u16string(back.strNoteText), u"Bob's note");

    log.clear();
    r.longID = id;
    setText(r.strText, ITEM_TEXT_CHARS, u"new text");
    r.fieldMask = ITEM_TEXT | ITEM_NOTE;
    EXPECT_EQ(writeItem(itemsOf(db, LIST), r), id);
    EXPECT_EQ(log.statements(),
              (std::vector<std::string>{"UPDATE 'To do' SET strText=bfencrypt('new text') WHERE longID = 1;",
                                        "UPDATE 'To do' SET bNote=0, strNoteText=bfencrypt('Bob''s note') WHERE longID = 1;"}));
    EXPECT_EQ(std::u16string(readBack(id, ITEM_TEXTNOTE).strText), u"new text");
}

TEST_F(EncipheredItems, WholeTableEncipherAndDecipher) {
    attrCurrentList.bPassword = 0;
    ASSERT_EQ(add(0, 1, u"abc"), 1);
    ItemRecord parked = item(0, 2, u"parked", u"");
    ASSERT_EQ(writeItem(itemsOf(db, LIST), parked), 2);
    parkItemId(itemsOf(db, LIST), -2);
    char error[200];
    ASSERT_EQ(executeSql(db, "UPDATE 'To do' SET strNoteText=NULL WHERE longID=1;", error, sizeof error), 101);

    EXPECT_EQ(encipherItemTable(itemsOf(db, LIST)), 101);
    EXPECT_EQ(q("SELECT strText FROM 'To do' WHERE longID=1;"), "5ea53232df9b39e8");
    EXPECT_EQ(q("SELECT strNoteText FROM 'To do' WHERE longID=1;"), "<null>");
    EXPECT_NE(q("SELECT strText FROM 'To do' WHERE longID=-2;"), "parked");

    attrCurrentList.bPassword = 1;
    EXPECT_EQ(std::u16string(readBack(1, ITEM_TEXT).strText), u"abc");
    EXPECT_EQ(decipherItemTable(itemsOf(db, LIST)), 101);
    EXPECT_EQ(q("SELECT strText FROM 'To do' WHERE longID=-2;"), "parked");
    EXPECT_EQ(q("SELECT strText FROM 'To do' WHERE longID=1;"), "abc");
    EXPECT_NE(encipherItemTable(itemsOf(db, "missing")), 101);
}

// --- identifiers, parking and subtrees --------------------------------------------------

TEST_F(ItemTable, ParkAndUnparkKeepTheRowWhereItWas) {
    LONG id = add(5, 3, u"item");
    EXPECT_EQ(parkItemId(itemsOf(db, LIST), 0), 0);
    EXPECT_EQ(parkItemId(itemsOf(db, LIST), -id), 1);
    EXPECT_EQ(ids(), "-1");
    EXPECT_EQ(unparkItemId(itemsOf(db, LIST), 0), 0);
    EXPECT_EQ(unparkItemId(itemsOf(db, LIST), id), 1);
    ItemRecord back = readBack(id);
    EXPECT_EQ(back.longParentID, 5);
    EXPECT_EQ(back.longOrder, 3);
    EXPECT_EQ(std::u16string(back.strText), u"item");
    EXPECT_EQ(deleteItemRow(itemsOf(db, LIST), 0), 0);
    EXPECT_EQ(deleteItemRow(itemsOf(db, LIST), id), 1);
    EXPECT_EQ(countItems(itemsOf(db, LIST)), 0);
}

// Tree used below:      1
//                      / \.
//                     2   3
//                    / \   \.
//                   4   5   6
class ItemTree : public ItemTable {
protected:
    void SetUp() override {
        ItemTable::SetUp();
        ASSERT_EQ(add(0, 1, u"1", 2), 1);
        ASSERT_EQ(add(1, 1, u"2", 2), 2);
        ASSERT_EQ(add(1, 2, u"3", 1), 3);
        ASSERT_EQ(add(2, 1, u"4"), 4);
        ASSERT_EQ(add(2, 2, u"5"), 5);
        ASSERT_EQ(add(3, 1, u"6"), 6);
    }
    std::vector<LONG> descendants(LONG parent) {
        LONG* list = nullptr;
        int count = 0;
        collectDescendants(itemsOf(db, LIST), parent, &list, &count);
        std::vector<LONG> out(list, list + count);
        std::free(list);
        return out;
    }
};

TEST_F(ItemTree, DescendantsComeDepthFirstParentsFirst) {
    EXPECT_EQ(descendants(1), (std::vector<LONG>{2, 4, 5, 3, 6}));
    EXPECT_EQ(descendants(4), std::vector<LONG>{});
    // Parked items and their subtrees are left out.
    parkItemId(itemsOf(db, LIST), -2);
    EXPECT_EQ(descendants(1), (std::vector<LONG>{3, 6}));
}

TEST_F(ItemTree, ChildrenOfAnItemCountedChildlessAreNotVisited) {
    ItemRecord r{};
    r.longID = 2;
    r.intNumChild = 0;
    r.fieldMask = ITEM_NUMCHILD;
    ASSERT_EQ(writeItem(itemsOf(db, LIST), r), 2);
    EXPECT_EQ(descendants(1), (std::vector<LONG>{2, 3, 6}));
}

TEST_F(ItemTree, ALoopInADamagedFileEnds) {
    // Item 1 made a child of its own grandchild 6.
    char error[200];
    ASSERT_EQ(executeSql(db, "UPDATE 'To do' SET longParentID=6 WHERE longID=1;", error, sizeof error), 101);
    ASSERT_EQ(executeSql(db, "UPDATE 'To do' SET intNumChild=1 WHERE longID=6;", error, sizeof error), 101);
    EXPECT_EQ(descendants(1), (std::vector<LONG>{2, 4, 5, 3, 6}));
    EXPECT_EQ(descendants(6), (std::vector<LONG>{1, 2, 4, 5, 3}));
    deleteDescendants(itemsOf(db, LIST), 6);
    EXPECT_EQ(ids(), "6");
}

TEST_F(ItemTree, DeleteAndCheckDescendants) {
    StatementLog log(db);
    checkDescendants(itemsOf(db, LIST), 2);
    // The walk's query first, then one transaction around the updates.
    EXPECT_EQ(log.statements(),
              (std::vector<std::string>{"SELECT longID,intNumChild FROM 'To do' WHERE longParentID = 2 AND longID >= 0;",
                                        "BEGIN TRANSACTION;", "UPDATE 'To do' SET bChecked = 1 WHERE longID = 4;",
                                        "UPDATE 'To do' SET bChecked = 1 WHERE longID = 5;", "COMMIT;",
                                        "END TRANSACTION;"}));
    EXPECT_EQ(column(db, "SELECT longID FROM 'To do' WHERE bChecked=1 ORDER BY longID;"), "4,5");
    log.clear();
    checkDescendants(itemsOf(db, LIST), 6);  // no descendants: no transaction
    EXPECT_EQ(log.statements().size(), 1u);

    deleteDescendants(itemsOf(db, LIST), 1);
    EXPECT_EQ(ids(), "1");
}

TEST_F(ItemTree, ListAllIdsIncludesParkedRows) {
    parkItemId(itemsOf(db, LIST), -5);
    LONG* all = nullptr;
    int count = listAllIds(itemsOf(db, LIST), &all);
    std::vector<LONG> got(all, all + count);
    std::free(all);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<LONG>{-5, 1, 2, 3, 4, 6}));
    LONG* none = nullptr;
    EXPECT_EQ(listAllIds(itemsOf(db, "missing"), &none), 0);
    std::free(none);
}

TEST_F(ItemTree, PurgeRemovesParkedItemsWithTheirSubtrees) {
    // Deleting item 2 parks it; its children keep their rows and identifiers.
    parkItemId(itemsOf(db, LIST), -2);
    EXPECT_EQ(ids(), "-2,1,3,4,5,6");
    purgeParkedItems(db, LIST);
    EXPECT_EQ(ids(), "1,3,6");
    purgeParkedItems(db, "missing");
}

// --- order numbers -------------------------------------------------------------------

TEST_F(ItemTable, NextOrderIsOneAboveTheLargestSibling) {
    EXPECT_EQ(nextOrder(itemsOf(db, LIST), 0), 1);
    add(0, 1, u"a");
    add(0, 2, u"b");
    add(0, 5, u"c");
    add(1, 9, u"other parent");
    EXPECT_EQ(nextOrder(itemsOf(db, LIST), 0), 6);
    parkItemId(itemsOf(db, LIST), -3);  // parked children count here
    EXPECT_EQ(nextOrder(itemsOf(db, LIST), 0), 6);
    EXPECT_EQ(nextOrder(itemsOf(db, "missing"), 0), 0);
    EXPECT_EQ(readOrder(itemsOf(db, LIST), 2), 2);
    EXPECT_EQ(readOrder(itemsOf(db, LIST), 99), 0);
    EXPECT_EQ(writeOrder(itemsOf(db, LIST), 2, 7), 101);
    EXPECT_EQ(readOrder(itemsOf(db, LIST), 2), 7);
    EXPECT_EQ(writeOrder(itemsOf(db, "missing"), 2, 7), 0);
    EXPECT_EQ(countChildRows(itemsOf(db, LIST), 0), 2);
}

TEST_F(ItemTable, SequenceOrderRenumbersLiveSiblings) {
    add(0, 2, u"a");
    add(0, 5, u"b");
    add(0, 9, u"c");
    add(0, 4, u"parked");
    parkItemId(itemsOf(db, LIST), -4);
    sequenceOrder(itemsOf(db, LIST), 0, 0);
    EXPECT_EQ(column(db, "SELECT longID || ':' || longOrder FROM 'To do' ORDER BY longID;"), "-4:4,1:1,2:2,3:3");
}

TEST_F(ItemTable, SequenceOrderMakesRoomForANewItem) {
    add(0, 1, u"a");
    add(0, 2, u"b");
    add(0, 3, u"c");
    add(0, 4, u"d");
    LONG fresh = add(0, 3, u"inserted after b");
    sequenceOrder(itemsOf(db, LIST), 0, fresh);
    EXPECT_EQ(column(db, "SELECT longID || ':' || longOrder FROM 'To do' ORDER BY longID;"), "1:1,2:2,3:4,4:5,5:3");
    sequenceOrder(itemsOf(db, "missing"), 0, 0);
    sequenceOrder(itemsOf(db, LIST), 42, 0);  // no children: nothing
}

}  // namespace
