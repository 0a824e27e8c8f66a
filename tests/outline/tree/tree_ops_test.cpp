// Node operations and check propagation on a real tree view and database.
#include "outline/tree/outline_fixture.h"
#include "outline/tree_checks.h"

namespace outline_test {
namespace {

using TreeOps = OutlineTest;


class Family : public OutlineTest {
protected:
    void SetUp() override {
        OutlineTest::SetUp();
        addRow(1, 0, 1, "Dairy", 0, 2, 1);
        addRow(2, 1, 1, "Milk");
        addRow(3, 1, 2, "Cheese", 0, 2, 1);
        addRow(4, 3, 1, "Brie");
        addRow(5, 3, 2, "Gouda");
        addRow(6, 0, 2, "Bakery");
        load();
    }
};

TEST_F(TreeOps, InsertReadAndWriteNodes) {
    HTREEITEM a = insertItem(hwndMainTV, nullptr, u"First", 10, 0, 1, nullptr);
    HTREEITEM b = insertItem(hwndMainTV, nullptr, u"Second", 11, 0, 0, nullptr);
    HTREEITEM front = insertItem(hwndMainTV, nullptr, u"Front", 12, 0, 0, TVI_FIRST);
    HTREEITEM child = insertChildItem(hwndMainTV, b, u"Child", 13, 1, nullptr);
    EXPECT_EQ(treeRoot(hwndMainTV), front);
    EXPECT_EQ(treeNextSibling(hwndMainTV, front), a);
    EXPECT_EQ(getChildrenFlag(hwndMainTV, b), 1);
    EXPECT_EQ(getChildrenFlag(hwndMainTV, a), 0);
    EXPECT_EQ(isItemChecked(hwndMainTV, a), 1);
    EXPECT_EQ(isItemChecked(hwndMainTV, b), 0);
    EXPECT_EQ(isItemChecked(hwndMainTV, child), 1);
    UINT state = (UINT)SendMessageW(hwndMainTV, TVM_GETITEMSTATE, (WPARAM)a, TVIS_STATEIMAGEMASK);
    EXPECT_EQ(state, INDEXTOSTATEIMAGEMASK(2));
    setItemChecked(hwndMainTV, a, 0);
    EXPECT_EQ(isItemChecked(hwndMainTV, a), 0);
    setItemId(hwndMainTV, a, 99);
    EXPECT_EQ(getItemId(hwndMainTV, a), 99);
    setItemText(hwndMainTV, a, u"Renamed");
    EXPECT_EQ(textOf(a), "Renamed");
    WCHAR small[4];
    getItemText(hwndMainTV, a, small, 4);
    EXPECT_EQ(std::u16string(small), u"Ren");
    EXPECT_EQ(countChildren(hwndMainTV, b), 1);
    EXPECT_EQ(hasChildren(hwndMainTV, a), 0);
    EXPECT_EQ(isRootItem(hwndMainTV, child), 0);
    EXPECT_EQ(isRootItem(hwndMainTV, b), 1);
    // Null items give neutral answers and change nothing.
    setChildrenFlag(hwndMainTV, nullptr, 1);
    setItemChecked(hwndMainTV, nullptr, 1);
    EXPECT_EQ(getItemId(hwndMainTV, nullptr), 0);
    EXPECT_EQ(isItemChecked(hwndMainTV, nullptr), 0);
    EXPECT_EQ(nextItemPreorder(hwndMainTV, nullptr), nullptr);
}

TEST_F(TreeOps, DepthStopsAt24) {
    HTREEITEM at = nullptr;
    for (int i = 0; i < 30; ++i) at = insertChildItem(hwndMainTV, at, u"level", i + 1, 0, nullptr);
    EXPECT_EQ(itemDepth(hwndMainTV, at), 24);
    EXPECT_EQ(itemDepth(hwndMainTV, findItemById(hwndMainTV, nullptr, 25)), 24);
    EXPECT_EQ(itemDepth(hwndMainTV, findItemById(hwndMainTV, nullptr, 24)), 23);
    EXPECT_EQ(itemDepth(hwndMainTV, treeRoot(hwndMainTV)), 0);
    EXPECT_EQ(countDescendants(hwndMainTV, treeRoot(hwndMainTV)), 29);
}

TEST_F(Family, WalksFindAndCount) {
    std::vector<LONG> order;
    for (HTREEITEM at = treeRoot(hwndMainTV); at; at = nextItemPreorder(hwndMainTV, at))
        order.push_back(getItemId(hwndMainTV, at));
    EXPECT_EQ(order, (std::vector<LONG>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(countDescendants(hwndMainTV, byId(1)), 4);
    EXPECT_EQ(countChildren(hwndMainTV, byId(1)), 2);
    // From a start item: it, its later siblings and their subtrees only.
    EXPECT_EQ(findItemById(hwndMainTV, byId(3), 5), byId(5));
    EXPECT_EQ(findItemById(hwndMainTV, byId(3), 2), nullptr);
    EXPECT_EQ(findItemById(hwndMainTV, byId(4), 6), nullptr);
    EXPECT_EQ(findItemById(hwndMainTV, nullptr, 77), nullptr);
}

TEST_F(Family, VisibilityFollowsCollapseAndTheWindow) {
    EXPECT_NE(isItemVisible(hwndMainTV, byId(4)), 0);
    SendMessageW(hwndMainTV, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)byId(3));
    EXPECT_EQ(isItemVisible(hwndMainTV, byId(4)), 0);
    SetWindowPos(hwndMainTV, nullptr, 0, 0, intWorkWidth, 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_NE(isItemVisible(hwndMainTV, byId(1)), 0);
    EXPECT_EQ(isItemVisible(hwndMainTV, byId(6)), 0);
}

TEST_F(Family, CopyAndMoveSubtrees) {
    setItemChecked(hwndMainTV, byId(4), 1);
    HTREEITEM copy = copySubtree(hwndMainTV, byId(3), byId(6), nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(textOf(copy), "Cheese");
    EXPECT_EQ(countDescendants(hwndMainTV, copy), 2);
    EXPECT_EQ(isItemChecked(hwndMainTV, treeFirstChild(hwndMainTV, copy)), 1);
    SendMessageW(hwndMainTV, TVM_DELETEITEM, 0, (LPARAM)copy);

    // A drop target with children and no place given: first child of it.
    HTREEITEM moved = moveSubtree(hwndMainTV, byId(6), byId(3), nullptr, nullptr);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(treeFirstChild(hwndMainTV, byId(3)), moved);
    EXPECT_EQ(textOf(moved), "Bakery");
    EXPECT_EQ(countChildren(hwndMainTV, nullptr), 0);  // no child of a null item
    std::vector<LONG> roots;
    for (HTREEITEM r = treeRoot(hwndMainTV); r; r = treeNextSibling(hwndMainTV, r)) roots.push_back(getItemId(hwndMainTV, r));
    EXPECT_EQ(roots, (std::vector<LONG>{1}));

    // After a given sibling.
    moved = moveSubtree(hwndMainTV, byId(3), byId(1), nullptr, byId(1));
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(treeNextSibling(hwndMainTV, byId(1)), moved);
    EXPECT_EQ(countDescendants(hwndMainTV, moved), 3);
    EXPECT_EQ(moveSubtree(hwndMainTV, nullptr, byId(1), nullptr, nullptr), nullptr);
    EXPECT_EQ(moveSubtree(hwndMainTV, byId(1), nullptr, nullptr, nullptr), nullptr);
}

TEST_F(Family, ASubtreeNeverMovesInsideItself) {
    std::string before = dump();
    EXPECT_EQ(moveSubtree(hwndMainTV, byId(1), byId(3), nullptr, nullptr), nullptr);
    EXPECT_EQ(moveSubtree(hwndMainTV, byId(1), byId(4), byId(3), byId(4)), nullptr);
    EXPECT_EQ(moveSubtree(hwndMainTV, byId(3), byId(3), byId(3), nullptr), nullptr);
    EXPECT_EQ(dump(), before);
}

TEST_F(Family, CheckingTheLastChildChecksEveryCompletedAncestor) {
    setItemChecked(hwndMainTV, byId(2), 1);
    propagateCheckUp(hwndMainTV, byId(2), 1);
    EXPECT_EQ(field(1, "bChecked"), "0");  // Cheese is still open
    setItemChecked(hwndMainTV, byId(4), 1);
    propagateCheckUp(hwndMainTV, byId(4), 1);
    EXPECT_EQ(field(3, "bChecked"), "0");
    setItemChecked(hwndMainTV, byId(5), 1);
    propagateCheckUp(hwndMainTV, byId(5), 1);
    EXPECT_EQ(field(3, "bChecked"), "1");
    EXPECT_EQ(field(1, "bChecked"), "1");
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(1)), 1);
    // Unchecking any item unchecks all its ancestors.
    setItemChecked(hwndMainTV, byId(4), 0);
    propagateCheckUp(hwndMainTV, byId(4), 0);
    EXPECT_EQ(field(3, "bChecked"), "0");
    EXPECT_EQ(field(1, "bChecked"), "0");
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(3)), 0);
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(1)), 0);
    // A root item has nobody to tell.
    propagateCheckUp(hwndMainTV, byId(6), 1);
    EXPECT_EQ(field(6, "bChecked"), "0");
}

TEST_F(Family, RecomputeAndSubtreeChecks) {
    setItemChecked(hwndMainTV, byId(2), 1);
    setItemChecked(hwndMainTV, byId(4), 1);
    setItemChecked(hwndMainTV, byId(5), 1);
    setItemChecked(hwndMainTV, byId(6), 1);
    recomputeAllChecks(hwndMainTV);
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(3)), 1);
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(1)), 1);
    EXPECT_EQ(field(3, "bChecked"), "1");
    EXPECT_EQ(field(1, "bChecked"), "1");
    EXPECT_EQ(field(6, "bChecked"), "0");  // childless items are left alone

    uncheckSubtree(hwndMainTV, byId(1));
    EXPECT_EQ(column("SELECT bChecked FROM 'Groceries' WHERE longID IN (2,3,4,5) ORDER BY longID;"), "0,0,0,0");
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(5)), 0);
    checkSubtree(hwndMainTV, byId(3));
    EXPECT_EQ(column("SELECT bChecked FROM 'Groceries' ORDER BY longID;"), "1,0,0,1,1,0");
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(4)), 1);
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(3)), 0);  // the item itself is the caller's
}

}  // namespace
}  // namespace outline_test
