// The sort and filter options of the Options menu: the flags they change,
// what is stored at once and what is not, the menu marks and the outline
// they reload.
#include "bulk_fixture.h"
#include "crypto/cipher.h"
#include "outline/current_items.h"

using namespace bulktest;
using res::kCmdHideChecked;
using res::kCmdHideOnOff;
using res::kCmdSortAlphabetic;
using res::kCmdSortBoth;
using res::kCmdSortChecked;
using res::kCmdSortNone;

namespace {

class SortCommands : public BulkTest {
protected:
    void fourItems() {
        addRow(1, 0, 1, "pear");
        addRow(2, 0, 2, "Zucchini", 1);
        addRow(3, 0, 3, "apple");
        addRow(4, 0, 4, "banana", 0, 2, 1);
        addRow(5, 4, 1, "b-two", 1);
        addRow(6, 4, 2, "a-one");
        open();
    }
};

TEST_F(SortCommands, BothThenCheckedLeavesTheAlphabeticOrderAndNoneClearsBothEachStored) {
    fourItems();
    command(kCmdSortBoth);
    EXPECT_TRUE(checked(kCmdSortAlphabetic));
    EXPECT_TRUE(checked(kCmdSortChecked));
    EXPECT_STREQ(strOrderClause, "ORDER BY bChecked,strText");
    EXPECT_EQ(dump(), "[ ] apple\n[ ] banana +\n  [ ] a-one\n  [x] b-two\n[ ] pear\n[x] Zucchini\n");
    EXPECT_EQ(stored().bAlphaSort, 1);
    EXPECT_EQ(stored().bCheckSort, 1);

    command(kCmdSortChecked);
    EXPECT_EQ(attrCurrentList.bAlphaSort, 1);
    EXPECT_EQ(attrCurrentList.bCheckSort, 0);
    EXPECT_TRUE(checked(kCmdSortAlphabetic));
    EXPECT_FALSE(checked(kCmdSortChecked));
    // Case-sensitive: the upper-case Z comes before every lower-case text.
    EXPECT_EQ(dump(), "[x] Zucchini\n[ ] apple\n[ ] banana +\n  [ ] a-one\n  [x] b-two\n[ ] pear\n");
    EXPECT_EQ(stored().bCheckSort, 0);

    command(kCmdSortAlphabetic);
    EXPECT_FALSE(checked(kCmdSortAlphabetic));
    EXPECT_STREQ(strOrderClause, "ORDER BY longOrder");
    EXPECT_EQ(dump(), "[ ] pear\n[x] Zucchini\n[ ] apple\n[ ] banana +\n  [x] b-two\n  [ ] a-one\n");

    command(kCmdSortBoth);
    command(kCmdSortNone);
    EXPECT_FALSE(checked(kCmdSortAlphabetic) || checked(kCmdSortChecked));
    EXPECT_EQ(stored().bAlphaSort + stored().bCheckSort, 0);
    EXPECT_STREQ(strOrderClause, "ORDER BY longOrder");

    // Without lists the choice is kept for the next new list, not stored.
    intListCount = 0;
    command(kCmdSortAlphabetic);
    EXPECT_EQ(attrCurrentList.bAlphaSort, 1);
    EXPECT_EQ(stored().bAlphaSort, 0);
}

TEST_F(SortCommands, AProtectedListSortsByItsDecipheredTexts) {
    ASSERT_EQ(setCipherKey("secret"), 0);
    attrCurrentList.bPassword = 1;
    const char16_t* texts[] = {u"pear", u"Apple", u"fig"};
    for (int i = 0; i < 3; ++i) {
        ItemRecord record{};
        record.longOrder = i + 1;
        record.bDisplay = 1;
        std::memcpy(record.strText, texts[i], (std::char_traits<char16_t>::length(texts[i]) + 1) * 2);
        record.fieldMask = ITEM_ALL;
        ASSERT_GT(writeItem(itemTableOf(dbCurrent, strCurrentList), record), 0);
    }
    open();
    command(kCmdSortAlphabetic);
    EXPECT_STREQ(strOrderClause, "ORDER BY strTextForSort");
    EXPECT_EQ(dump(), "[ ] Apple\n[ ] fig\n[ ] pear\n");
}

TEST_F(SortCommands, ALockedListIsNeitherChangedNorShown) {
    addRow(1, 0, 1, "secret item", 1);
    bListLocked = 1;
    for (UINT id : {kCmdSortBoth, kCmdHideChecked, kCmdHideOnOff, res::kCmdCheckAll, res::kCmdExpandAll,
                    res::kCmdSetAllHide})
        command(id);
    EXPECT_EQ(treeRoot(hwndMainTV), nullptr);
    EXPECT_FALSE(checked(kCmdSortAlphabetic));
    EXPECT_EQ(attrCurrentList.bAlphaSort, 0);
    EXPECT_EQ(attrCurrentList.bShowHiddenItems, 1);
    EXPECT_EQ(field(1, "bChecked") + field(1, "bNodeExpand") + field(1, "bDisplay"), "101");
}

// --- Hide Checked ---------------------------------------------------------------

TEST_F(SortCommands, HideCheckedUnderTheCheckSortDropsTheCheckedItemsAndKeepsTheOrder) {
    addRow(1, 0, 1, "d");
    addRow(2, 0, 2, "c", 1);
    addRow(3, 0, 3, "b");
    addRow(4, 0, 4, "a", 1);
    attrCurrentList.bCheckSort = 1;
    open();
    EXPECT_EQ(dump(), "[ ] d\n[ ] b\n[x] c\n[x] a\n");
    command(kCmdHideChecked);
    EXPECT_TRUE(checked(kCmdHideChecked));
    EXPECT_EQ(dump(), "[ ] d\n[ ] b\n");
    EXPECT_EQ(stored().bHideChecked, 1);
    command(kCmdHideChecked);
    EXPECT_FALSE(checked(kCmdHideChecked));
    EXPECT_EQ(dump(), "[ ] d\n[ ] b\n[x] c\n[x] a\n");
    EXPECT_EQ(stored().bHideChecked, 0);
}

// --- Hide On/Off ------------------------------------------------------------------

class HideOnOff : public BulkTest {};

TEST_F(HideOnOff, TogglesTheFilterAndTheItemsTextWithoutStoringIt) {
    addRow(1, 0, 1, "shown");
    addRow(2, 0, 2, "hidden", 0, 0, 0, 0);
    open();
    EXPECT_EQ(dump(), "[ ] shown\n");
    command(kCmdHideOnOff);
    EXPECT_EQ(attrCurrentList.bShowHiddenItems, 0);
    EXPECT_EQ(lastHiddenItem(), u"Hide On");
    EXPECT_STREQ(strFilterClause, "");
    EXPECT_EQ(dump(), "[ ] shown\n[ ] hidden\n");
    // It waits for the next storing of the list's attributes.
    EXPECT_EQ(stored().bShowHiddenItems, 1);
    command(kCmdHideOnOff);
    EXPECT_EQ(lastHiddenItem(), u"Hide Off");
    EXPECT_STREQ(strFilterClause, " AND bDisplay = 1 ");
    EXPECT_EQ(dump(), "[ ] shown\n");
}

TEST_F(HideOnOff, WithAutomaticCheckingAParentFollowsTheChildrenNowShown) {
    // Parent 1 has a checked shown child and an unchecked hidden one; with
    // the hidden one filtered out the parent is complete. Check sorting
    // then moves it behind its unchecked sibling.
    addRow(1, 0, 1, "parent", 0, 2, 1);
    addRow(2, 1, 1, "done", 1);
    addRow(3, 1, 2, "hidden todo", 0, 0, 0, 0);
    addRow(4, 0, 2, "sibling");
    attrCurrentList.bAutoCheck = 1;
    attrCurrentList.bCheckSort = 1;
    attrCurrentList.bShowHiddenItems = 0;
    open();
    EXPECT_EQ(dump(), "[ ] parent +\n  [ ] hidden todo\n  [x] done\n[ ] sibling\n");
    command(kCmdHideOnOff);
    EXPECT_EQ(field(1, "bChecked"), "1");
    EXPECT_EQ(dump(), "[ ] sibling\n[x] parent +\n  [x] done\n");
    command(kCmdHideOnOff);
    EXPECT_EQ(field(1, "bChecked"), "0");
    EXPECT_EQ(dump(), "[ ] parent +\n  [ ] hidden todo\n  [x] done\n[ ] sibling\n");
}

TEST_F(HideOnOff, SetAllHideWhileFilteringEmptiesTheOutlineAndHideOnBringsEverythingBack) {
    addRow(1, 0, 1, "Milk", 0, 1, 1);
    addRow(2, 1, 1, "Skim");
    addRow(3, 0, 2, "Bread");
    open();
    command(res::kCmdSetAllHide);
    EXPECT_EQ(column("SELECT DISTINCT bDisplay FROM 'Groceries';"), "0");
    EXPECT_EQ(treeRoot(hwndMainTV), nullptr);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    EXPECT_FALSE(IsWindowVisible(hwndNotes));
    EXPECT_FALSE(IsWindowVisible(hwndSplitter));
    // Delete Checked has nothing to act on while the outline is hidden.
    sqlite3_exec(dbCurrent, "UPDATE 'Groceries' SET bChecked=1 WHERE longID=3;", nullptr, nullptr, nullptr);
    command(res::kCmdDeleteChecked);
    EXPECT_EQ(rows(), "1,2,3");

    command(kCmdHideOnOff);
    EXPECT_EQ(dump(), "[ ] Milk +\n  [ ] Skim\n[x] Bread\n");
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
    EXPECT_TRUE(IsWindowVisible(hwndNotes));
    EXPECT_TRUE(IsWindowVisible(hwndSplitter));
    command(res::kCmdSetAllShow);
    EXPECT_EQ(column("SELECT DISTINCT bDisplay FROM 'Groceries';"), "1");
}

}  // namespace
