// Loading a list into the outline: order and filter clauses, what is shown
// and what is left out, expansion, protected lists, and the tree's state.
#include "outline/current_items.h"
#include "outline/tree_checks.h"
#include "crypto/cipher.h"
#include "outline/tree/outline_fixture.h"

namespace outline_test {
namespace {

using TreeLoad = OutlineTest;

TEST(Clauses, OrderFromTheSortFlags) {
    char out[ORDER_CLAUSE_BYTES];
    buildOrderClause(out, sizeof out, 0, 0, 0);
    EXPECT_STREQ(out, "ORDER BY longOrder");
    buildOrderClause(out, sizeof out, 0, 1, 1);
    EXPECT_STREQ(out, "ORDER BY bChecked,longOrder");
    buildOrderClause(out, sizeof out, 1, 0, 0);
    EXPECT_STREQ(out, "ORDER BY strText");
    buildOrderClause(out, sizeof out, 1, 0, 1);
    EXPECT_STREQ(out, "ORDER BY strTextForSort");
    buildOrderClause(out, sizeof out, 1, 1, 0);
    EXPECT_STREQ(out, "ORDER BY bChecked,strText");
    buildOrderClause(out, sizeof out, 1, 1, 1);
    EXPECT_STREQ(out, "ORDER BY bChecked,strTextForSort");
}

TEST(Clauses, FilterFromTheHideFlags) {
    char out[FILTER_CLAUSE_BYTES];
    buildFilterClause(out, sizeof out, 0, 0);
    EXPECT_STREQ(out, "");
    buildFilterClause(out, sizeof out, 1, 0);
    EXPECT_STREQ(out, " AND bChecked = 0 ");
    buildFilterClause(out, sizeof out, 0, 1);
    EXPECT_STREQ(out, " AND bDisplay = 1 ");
    buildFilterClause(out, sizeof out, 1, 1);
    EXPECT_STREQ(out, " AND bChecked = 0  AND bDisplay = 1 ");
}

TEST_F(TreeLoad, BuildsTheTreeInOrderWithExpansionAndParkedRowsLeftOut) {
    addRow(1, 0, 2, "Dairy", 0, 2, 1);
    addRow(2, 0, 1, "Bakery", 1, 1, 0);
    addRow(3, 1, 2, "Milk");
    addRow(4, 1, 1, "Cheese", 1);
    addRow(5, 2, 1, "Bread", 1);
    addRow(-6, 0, 3, "Parked");
    addRow(7, -6, 1, "Under parked");
    addRow(8, 1, 3, "Deleted child");
    ASSERT_EQ(sql("UPDATE 'Groceries' SET longID=-8 WHERE longID=8;"), "<none>");
    load();
    EXPECT_EQ(dump(), "[x] Bakery\n"
                      "  [x] Bread\n"
                      "[ ] Dairy +\n"
                      "  [x] Cheese\n"
                      "  [ ] Milk\n");
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
    EXPECT_EQ(getItemId(hwndMainTV, byId(4)), 4);
    EXPECT_EQ(getChildrenFlag(hwndMainTV, byId(1)), 1);
    EXPECT_EQ(getChildrenFlag(hwndMainTV, byId(4)), 0);
}

TEST_F(TreeLoad, EmptyListLeavesTheOutlineHiddenAndAMissingTableChangesNothing) {
    ShowWindow(hwndMainTV, SW_SHOW);
    load();
    EXPECT_EQ(treeRoot(hwndMainTV), nullptr);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));

    addRow(1, 0, 1, "Kept");
    load();
    ASSERT_NE(treeRoot(hwndMainTV), nullptr);
    loadOutline(dbCurrent, hwndMainTV, "No such list", "ORDER BY longOrder", "");
    EXPECT_EQ(dump(), "[ ] Kept\n");
    loadOutline(nullptr, hwndMainTV, strCurrentList, "ORDER BY longOrder", "");
    EXPECT_EQ(dump(), "[ ] Kept\n");
}

TEST_F(TreeLoad, HideCheckedAndHideOnFilterEveryLevel) {
    attrCurrentList.bHideChecked = 1;
    attrCurrentList.bShowHiddenItems = 1;
    addRow(1, 0, 1, "Parent of checked", 0, 2, 1);
    addRow(2, 1, 1, "Done a", 1);
    addRow(3, 1, 2, "Done b", 1);
    addRow(4, 0, 2, "Hidden parent", 0, 1, 1, 0);
    addRow(5, 4, 1, "Shown child of hidden");
    addRow(6, 0, 3, "Visible", 0, 2, 1);
    addRow(7, 6, 1, "Hidden child", 0, 0, 0, 0);
    addRow(8, 6, 2, "Open child");
    load();
    EXPECT_EQ(dump(), "[ ] Parent of checked\n"
                      "[ ] Visible +\n"
                      "  [ ] Open child\n");
    // All children filtered out: no children flag, so no expand button.
    EXPECT_EQ(getChildrenFlag(hwndMainTV, byId(1)), 0);

    attrCurrentList.bHideChecked = 0;
    attrCurrentList.bShowHiddenItems = 0;
    load();
    EXPECT_EQ(dump(), "[ ] Parent of checked +\n"
                      "  [x] Done a\n"
                      "  [x] Done b\n"
                      "[ ] Hidden parent +\n"
                      "  [ ] Shown child of hidden\n"
                      "[ ] Visible +\n"
                      "  [ ] Hidden child\n"
                      "  [ ] Open child\n");
}

TEST_F(TreeLoad, AlphabeticSortIsCaseSensitiveAndCheckedSortPutsCheckedLast) {
    addRow(1, 0, 1, "apple");
    addRow(2, 0, 2, "Zucchini", 1);
    addRow(3, 0, 3, "banana", 0, 2, 1);
    addRow(4, 3, 1, "b-two", 1);
    addRow(5, 3, 2, "a-one");
    attrCurrentList.bAlphaSort = 1;
    load();
    EXPECT_EQ(dump(), "[x] Zucchini\n[ ] apple\n[ ] banana +\n  [ ] a-one\n  [x] b-two\n");
    attrCurrentList.bAlphaSort = 0;
    attrCurrentList.bCheckSort = 1;
    load();
    EXPECT_EQ(dump(), "[ ] apple\n[ ] banana +\n  [ ] a-one\n  [x] b-two\n[x] Zucchini\n");
}

TEST_F(TreeLoad, ProtectedListShowsAndSortsItsDecipheredTexts) {
    ASSERT_EQ(setCipherKey("secret"), 0);
    attrCurrentList.bPassword = 1;
    ItemRecord record{};
    const char16_t* texts[] = {u"pear", u"Apple", u"fig"};
    for (int i = 0; i < 3; ++i) {
        record = ItemRecord{};
        record.longParentID = 0;
        record.longOrder = i + 1;
        record.bDisplay = 1;
        std::memcpy(record.strText, texts[i], (std::char_traits<char16_t>::length(texts[i]) + 1) * 2);
        record.fieldMask = ITEM_ALL;
        ASSERT_GT(writeItem(itemTableOf(dbCurrent, strCurrentList), record), 0);
    }
    EXPECT_NE(sql("SELECT strText FROM 'Groceries' WHERE longID=1;"), "pear");
    attrCurrentList.bAlphaSort = 1;
    load();
    EXPECT_EQ(dump(), "[ ] Apple\n[ ] fig\n[ ] pear\n");
}

TEST_F(TreeLoad, LongTextsAreCutTo99Characters) {
    addRow(1, 0, 1, std::string(120, 'x'));
    load();
    EXPECT_EQ(textOf(byId(1)), std::string(99, 'x'));
}

TEST_F(TreeLoad, QuotesAndCodePageCharactersSurvive) {
    addRow(1, 0, 1, "Mum's \xe9t\xe9 list");
    load();
    WCHAR text[TREE_TEXT_CHARS];
    getItemText(hwndMainTV, byId(1), text, TREE_TEXT_CHARS);
    EXPECT_EQ(std::u16string(text), u"Mum's \u00e9t\u00e9 list");
}

TEST_F(TreeLoad, ExpansionNotificationsOfTheLoadStoreNothing) {
    addRow(1, 0, 1, "Parent", 0, 1, 1);
    addRow(2, 1, 1, "Child");
    storage_test::StatementLog log(dbCurrent);
    load();
    for (const std::string& s : log.statements()) EXPECT_EQ(s.find("UPDATE"), std::string::npos) << s;
}

TEST_F(TreeLoad, CompletionSuffixesAreMadeWhenShown) {
    attrCurrentList.intCompletionShow = 1;
    addRow(1, 0, 1, "Parent", 0, 3, 1);
    addRow(2, 1, 1, "a", 1);
    addRow(3, 1, 2, "b");
    addRow(4, 1, 3, "c");
    load();
    EXPECT_EQ(textOf(byId(1)), "Parent [1/3]");
    attrCurrentList.intCompletionShow = 2;
    load();
    EXPECT_EQ(textOf(byId(1)), "Parent [33%]");
}

TEST_F(TreeLoad, RestoreExpansionFollowsStoredStateOnlyThroughExpandedParents) {
    addRow(1, 0, 1, "Top", 0, 2, 1);
    addRow(2, 1, 1, "Open", 0, 1, 1);
    addRow(3, 2, 1, "Leaf");
    addRow(4, 1, 2, "Closed", 0, 1, 0);
    addRow(5, 4, 1, "Open under closed", 0, 1, 1);
    addRow(6, 5, 1, "Deep");
    load();
    HTREEITEM top = byId(1);
    SendMessageW(hwndMainTV, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)byId(2));
    SendMessageW(hwndMainTV, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)top);
    restoreExpansion(hwndMainTV, top);
    auto expanded = [](LONG id) {
        return (SendMessageW(hwndMainTV, TVM_GETITEMSTATE, (WPARAM)byId(id), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    };
    EXPECT_TRUE(expanded(1));
    EXPECT_TRUE(expanded(2));
    EXPECT_FALSE(expanded(4));
}

}  // namespace
}  // namespace outline_test
