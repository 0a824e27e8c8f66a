// The table side of the item clipboard: pasting copies and cut items within
// a list and between lists, texts that must arrive byte for byte, items that
// can no longer be read, and the purge that spares the clipboard's cut item.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "crypto/cipher.h"
#include "outline/current_items.h"
#include "outline/item_paste.h"
#include "state/app_state.h"
#include "storage/item_table.h"
#include "storage/storage_test_util.h"

using storage_test::column;
using storage_test::MemoryListDb;
using storage_test::scalar;
using storage_test::StatementLog;

namespace {

const char* const A = "Groceries";
const char* const B = "It's packing";

class ItemRows : public ::testing::Test {
protected:
    void SetUp() override {
        attrCurrentList = defaultListAttributes();
        ASSERT_EQ(createItemTable(db, A), 1);
        ASSERT_EQ(createItemTable(db, B), 1);
    }
    void TearDown() override { attrCurrentList = defaultListAttributes(); }

    // A row as another program would have stored it; `text` is 8-bit text
    // already quoted for the literal.
    void row(const char* list, long id, long parent, long order, const std::string& text, int numChild = 0,
             const std::string& note = "", int checked = 0) {
        char error[200];
        std::string sql = "INSERT INTO '" + quoteSql(list) + "' VALUES (" + std::to_string(id) + "," +
                          std::to_string(parent) + "," + std::to_string(order) + ",'" + text + "'," +
                          std::to_string(checked) + ",1," + (note.empty() ? "0" : "1") + ",0,'" + note + "'," +
                          std::to_string(numChild) + ");";
        ASSERT_EQ(executeSql(db, sql.c_str(), error, sizeof error), SQLITE_DONE) << error << " in " << sql;
    }
    // Milk (1) with Skim (2, under it Organic 4) and Whole (3); Bread (5).
    void groceries() {
        row(A, 1, 0, 1, "Milk", 1);
        row(A, 2, 1, 1, "Skim", 1);
        row(A, 3, 1, 2, "Whole");
        row(A, 4, 2, 1, "Organic");
        row(A, 5, 0, 2, "Bread");
    }
    std::string q(const std::string& sql) { return scalar(db, sql); }
    std::string col(const std::string& sql) { return column(db, sql); }
    // "text@parent:order" of every live row of a list under a parent, by order.
    std::string children(const char* list, long parent) {
        return col("SELECT strText||'@'||longOrder FROM '" + quoteSql(list) + "' WHERE longParentID=" +
                   std::to_string(parent) + " AND longID > 0 ORDER BY longOrder, longID;");
    }
    long idOf(const char* list, const std::string& text, long parent) {
        return std::stol(q("SELECT longID FROM '" + quoteSql(list) + "' WHERE strText='" + text +
                           "' AND longParentID=" + std::to_string(parent) + " AND longID > 0 ORDER BY longID DESC;"));
    }

    MemoryListDb db;
};

TEST_F(ItemRows, CopyPastedTwiceMakesTwoIndependentCopiesRightAfterTheSelection) {
    groceries();
    PastePlace afterMilk{0, 2, true};  // Milk is selected: its order + 1
    PasteResult first = pasteItemRows(db, A, A, 1, afterMilk);
    ASSERT_GT(first.pastedId, 5);
    EXPECT_FALSE(first.consumed);
    PasteResult second = pasteItemRows(db, A, A, 1, afterMilk);
    ASSERT_GT(second.pastedId, first.pastedId);

    // The later paste sits directly after Milk, the earlier one after it.
    EXPECT_EQ(children(A, 0), "Milk@1,Milk@2,Milk@3,Bread@4");
    EXPECT_EQ(q("SELECT longOrder FROM 'Groceries' WHERE longID=" + std::to_string(second.pastedId)), "2");
    for (LONG copy : {first.pastedId, second.pastedId}) {
        EXPECT_EQ(children(A, copy), "Skim@1,Whole@2");
        long skim = idOf(A, "Skim", copy);
        EXPECT_NE(skim, 2);
        EXPECT_EQ(children(A, skim), "Organic@1");
        EXPECT_EQ(q("SELECT intNumChild FROM 'Groceries' WHERE longID=" + std::to_string(skim)), "1");
    }
    // The original is untouched.
    EXPECT_EQ(children(A, 1), "Skim@1,Whole@2");
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries';"), "13");
}

TEST_F(ItemRows, PasteWithoutSelectionAppendsAtTheEndOfTheTopLevelWithoutRenumbering) {
    groceries();
    PasteResult result = pasteItemRows(db, A, A, 3, PastePlace{0, 3, false});
    ASSERT_GT(result.pastedId, 0);
    EXPECT_EQ(children(A, 0), "Milk@1,Bread@2,Whole@3");
}

TEST_F(ItemRows, CutItemOfTheSameListMovesBackWithItsIdentifierAndSubtree) {
    groceries();
    ASSERT_EQ(parkItemId(itemTableOf(db, A), -2), 1);  // Cut of Skim
    PasteResult result = pasteItemRows(db, A, A, -2, PastePlace{0, 3, true});  // after Bread
    EXPECT_EQ(result.pastedId, 2);
    EXPECT_TRUE(result.consumed);
    EXPECT_EQ(children(A, 0), "Milk@1,Bread@2,Skim@3");
    EXPECT_EQ(children(A, 2), "Organic@1");
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries' WHERE longID < 0;"), "0");
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries';"), "5");
}

TEST_F(ItemRows, CutInOneListPastedInAnotherGetsNewIdentifiersAndLeavesTheParkedRow) {
    groceries();
    row(B, 1, 0, 1, "Tent");
    ASSERT_EQ(parkItemId(itemTableOf(db, A), -1), 1);  // Cut of Milk
    PasteResult result = pasteItemRows(db, A, B, -1, PastePlace{0, 2, true});
    ASSERT_EQ(result.pastedId, 2);
    EXPECT_TRUE(result.consumed);
    EXPECT_EQ(children(B, 0), "Tent@1,Milk@2");
    EXPECT_EQ(children(B, 2), "Skim@1,Whole@2");
    EXPECT_EQ(children(B, idOf(B, "Skim", 2)), "Organic@1");
    EXPECT_EQ(q("SELECT strText FROM 'Groceries' WHERE longID = -1;"), "Milk");
    EXPECT_EQ(children(A, 1), "Skim@1,Whole@2");
}

TEST_F(ItemRows, DescendantWithTheNewIdentifiersNumberIsStillCopiedFromAnotherList) {
    // The copy in B gets identifier 3, which is also the number of a
    // descendant in A: only a copy inside its own list is skipped.
    row(A, 1, 0, 1, "Tools", 1);
    row(A, 3, 1, 1, "Hammer", 1);
    row(A, 4, 3, 1, "Nails");
    row(B, 2, 0, 1, "Tent");
    PasteResult result = pasteItemRows(db, A, B, 1, PastePlace{0, 2, true});
    ASSERT_EQ(result.pastedId, 3);
    EXPECT_EQ(children(B, 3), "Hammer@1");
    EXPECT_EQ(children(B, idOf(B, "Hammer", 3)), "Nails@1");
}

TEST_F(ItemRows, CopyPastedBelowOneOfItsChildrenCopiesOnlyTheChildren) {
    groceries();
    // Skim is selected: the copy of Milk goes under Milk, after Skim.
    PasteResult result = pasteItemRows(db, A, A, 1, PastePlace{1, 2, true});
    ASSERT_EQ(result.pastedId, 6);
    EXPECT_EQ(children(A, 1), "Skim@1,Milk@2,Whole@3");
    // Rows keep their order numbers; Whole had moved down for the copy.
    EXPECT_EQ(children(A, 6), "Skim@1,Whole@3");
    EXPECT_EQ(children(A, idOf(A, "Skim", 6)), "Organic@1");
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries';"), "9");
}

TEST_F(ItemRows, CutItemRestoredByUndoAndPastedBelowItselfIsCopiedNotLooped) {
    groceries();
    // Cut of Milk, Undo brings it back, then Paste with Skim selected.
    PasteResult result = pasteItemRows(db, A, A, -1, PastePlace{1, 2, true});
    ASSERT_GT(result.pastedId, 5);
    EXPECT_TRUE(result.consumed);
    EXPECT_EQ(q("SELECT longParentID FROM 'Groceries' WHERE longID = 1;"), "0");
    EXPECT_EQ(children(A, 0), "Milk@1,Bread@2");
    EXPECT_EQ(children(A, 1), "Skim@1,Milk@2,Whole@3");
}

TEST_F(ItemRows, CutItemRestoredByUndoMovesToThePastePlace) {
    groceries();
    PasteResult result = pasteItemRows(db, A, A, -3, PastePlace{0, 2, true});  // Whole after Milk
    EXPECT_EQ(result.pastedId, 3);
    EXPECT_EQ(children(A, 0), "Milk@1,Whole@2,Bread@3");
    EXPECT_EQ(children(A, 1), "Skim@1");
}

TEST_F(ItemRows, ItemsThatCanNoLongerBeReadPasteNothing) {
    groceries();
    // A copied item deleted since (parked), a cut item purged, a list gone.
    ASSERT_EQ(parkItemId(itemTableOf(db, A), -5), 1);
    PasteResult copied = pasteItemRows(db, A, A, 5, PastePlace{0, 2, true});
    EXPECT_EQ(copied.pastedId, 0);
    EXPECT_TRUE(copied.unreadable);
    PasteResult purged = pasteItemRows(db, A, A, -9, PastePlace{0, 2, true});
    EXPECT_EQ(purged.pastedId, 0);
    EXPECT_TRUE(purged.unreadable);
    PasteResult missing = pasteItemRows(db, "Renamed", A, 1, PastePlace{0, 2, true});
    EXPECT_TRUE(missing.unreadable);
    PasteResult cutElsewhere = pasteItemRows(db, B, A, -1, PastePlace{0, 2, true});
    EXPECT_TRUE(cutElsewhere.unreadable);
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries';"), "5");
    EXPECT_EQ(children(A, 0), "Milk@1");
}

TEST_F(ItemRows, QuotesLongLabelsAndEveryCodePageCharacterArriveByteForByte) {
    // 99 characters, a third of them quotes: its doubled form does not fit
    // an item's text field, and must still arrive whole.
    std::string label;
    while (label.size() < 99) label += label.size() % 3 == 0 ? "'" : "x";
    std::string quoted;
    for (char c : label) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    // Every byte of Windows-1252 from the blank up, in the note.
    std::string note;
    for (int c = 0x20; c <= 0xFF; ++c) note += static_cast<char>(c);
    std::string quotedNote;
    for (char c : note) quotedNote += c == '\'' ? std::string("''") : std::string(1, c);
    row(A, 1, 0, 1, quoted, 1, quotedNote, 1);
    row(A, 2, 1, 1, "It''s \"done\"", 0, "", 1);

    PasteResult result = pasteItemRows(db, A, B, 1, PastePlace{0, 1, false});
    ASSERT_EQ(result.pastedId, 1);
    EXPECT_EQ(q("SELECT hex(strText) FROM \"It's packing\" WHERE longID = 1;"),
              q("SELECT hex(strText) FROM 'Groceries' WHERE longID = 1;"));
    EXPECT_EQ(q("SELECT hex(strNoteText) FROM \"It's packing\" WHERE longID = 1;"),
              q("SELECT hex(strNoteText) FROM 'Groceries' WHERE longID = 1;"));
    EXPECT_EQ(q("SELECT strText FROM \"It's packing\" WHERE longParentID = 1;"), "It's \"done\"");
    EXPECT_EQ(q("SELECT bChecked||bDisplay||bNote FROM \"It's packing\" WHERE longID = 1;"), "111");
}

TEST_F(ItemRows, PlainItemsPastedIntoAProtectedListAreStoredEnciphered) {
    groceries();
    ASSERT_EQ(setCipherKey("secret"), 0);
    attrCurrentList.bPassword = 1;  // B is the current list and has a password
    PasteResult result = pasteItemRows(db, A, B, 1, PastePlace{0, 1, false});
    ASSERT_EQ(result.pastedId, 1);
    EXPECT_NE(q("SELECT strText FROM \"It's packing\" WHERE longID = 1;"), "Milk");
    EXPECT_EQ(q("SELECT bfdecrypt(strText) FROM \"It's packing\" WHERE longID = 1;"), "Milk");
    EXPECT_EQ(col("SELECT bfdecrypt(strText) FROM \"It's packing\" WHERE longParentID = 1 ORDER BY longOrder;"),
              "Skim,Whole");
    // The source was read plainly while the target's password was in force.
    EXPECT_EQ(attrCurrentList.bPassword, 1);
    EXPECT_EQ(q("SELECT strText FROM 'Groceries' WHERE longID = 1;"), "Milk");
}

TEST_F(ItemRows, CopyWithinAProtectedListKeepsTheTexts) {
    ASSERT_EQ(setCipherKey("secret"), 0);
    attrCurrentList.bPassword = 1;
    ItemRecord item{};
    item.longOrder = 1;
    std::u16string text = u"Passport''s page";
    std::memcpy(item.strText, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    item.bDisplay = 1;
    item.fieldMask = ITEM_ALL;
    ASSERT_EQ(writeItem(itemTableOf(db, A), item), 1);
    PasteResult result = pasteItemRows(db, A, A, 1, PastePlace{0, 2, true});
    ASSERT_EQ(result.pastedId, 2);
    EXPECT_EQ(q("SELECT bfdecrypt(strText) FROM 'Groceries' WHERE longID = 2;"), "Passport's page");
}

TEST_F(ItemRows, ACopyIsOneTransaction) {
    groceries();
    StatementLog log(db);
    ASSERT_GT(pasteItemRows(db, A, B, 1, PastePlace{0, 1, false}).pastedId, 0);
    int begins = 0;
    int inserts = 0;
    for (const std::string& s : log.statements()) {
        begins += s == "BEGIN TRANSACTION;";
        inserts += s.rfind("INSERT", 0) == 0;
    }
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(inserts, 4);
    EXPECT_EQ(log.statements().back(), "END TRANSACTION;");
}

TEST_F(ItemRows, PurgeSparesTheCutItemTheClipboardHoldsWithItsSubtree) {
    groceries();
    ASSERT_EQ(parkItemId(itemTableOf(db, A), -2), 1);  // Skim cut, on the clipboard
    ASSERT_EQ(parkItemId(itemTableOf(db, A), -5), 1);  // Bread deleted
    purgeParkedItemsKeeping(db, A, -2);
    EXPECT_EQ(col("SELECT longID FROM 'Groceries' ORDER BY longID;"), "-2,1,3,4");
    // Once the clipboard lets go, the next purge takes it with its child.
    purgeParkedItemsKeeping(db, A, 0);
    EXPECT_EQ(col("SELECT longID FROM 'Groceries' ORDER BY longID;"), "1,3");
}

}  // namespace
