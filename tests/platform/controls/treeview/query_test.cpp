// The automation's view: records, paths, tap rectangles and the text dump,
// and a script-like walk that taps an item found by its path.
#include "tv_fixture.h"

using namespace tvtest;
namespace q = device::treeview;

namespace {

class Query : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        makeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES, 0, 0, 200, 60);
        groceries = add(TVI_ROOT, "Groceries", 1);
        milk = add(groceries, "Milk", 2);
        halfs = add(groceries, "1/2 and 1/2", 3);
        add(TVI_ROOT, "Work", 4);
        for (int i = 0; i < 8; ++i) add(TVI_ROOT, "filler " + std::to_string(i), 10 + i);
    }
    HTREEITEM groceries, milk, halfs;
};

TEST_F(Query, TheDumpListsEveryItemWithItsMarks) {
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)milk);
    TVITEMW tvi{};
    tvi.mask = TVIF_STATE;
    tvi.hItem = milk;
    tvi.state = INDEXTOSTATEIMAGEMASK(2);
    tvi.stateMask = TVIS_STATEIMAGEMASK;
    send(TVM_SETITEMW, 0, (LPARAM)&tvi);
    std::string dump = q::dumpText(tree);
    EXPECT_EQ(dump.substr(0, dump.find("filler 0")),
              "Groceries [param=1] [check=1] +\n"
              "  Milk [param=2] [check=2] [selected]\n"
              "  1/2 and 1/2 [param=3] [check=1]\n"
              "Work [param=4] [check=1]\n");
    send(TVM_EXPAND, TVE_COLLAPSE, (LPARAM)groceries);
    dump = q::dumpText(tree);
    EXPECT_NE(dump.find("  Milk [param=2] [check=2] (hidden)\n"), std::string::npos);
    EXPECT_NE(dump.find("Groceries [param=1] [check=1] - [selected]\n"), std::string::npos);
}

TEST_F(Query, RecordsAndPaths) {
    auto records = q::items(tree);
    ASSERT_EQ(records.size(), 10u);
    EXPECT_EQ(records[0].text, u"Groceries");
    EXPECT_EQ(records[0].children.size(), 2u);
    EXPECT_EQ(records[0].children[1].param, 3);
    EXPECT_TRUE(records[0].hasButton);
    EXPECT_EQ(records[0].stateImage, 1);
    EXPECT_EQ(q::findByPath(tree, u"Groceries/Milk"), milk);
    EXPECT_EQ(q::findByPath(tree, u"Groceries/1/2 and 1/2"), halfs);
    EXPECT_EQ(q::findByPath(tree, u"Groceries/Eggs"), nullptr);
    EXPECT_EQ(q::findByPath(tree, u"Milk"), nullptr);
    EXPECT_FALSE(q::isTreeView(top));
    EXPECT_TRUE(q::items(top).empty());
}

TEST_F(Query, ARevealedItemCanBeTappedWhereAPersonWould) {
    HTREEITEM last = q::findByPath(tree, u"filler 7");
    q::ItemRects rects;
    ASSERT_TRUE(q::itemScreenRects(tree, last, true, rects));
    RECT client;
    GetClientRect(tree, &client);
    POINT origin{0, 0};
    ClientToScreen(tree, &origin);
    EXPECT_GE(rects.row.top, origin.y);
    EXPECT_LE(rects.row.bottom, origin.y + client.bottom);
    EXPECT_LT(rects.stateImage.right, rects.label.left + 1);
    EXPECT_EQ(rects.button.right, 0);  // no children, no button
    device::penDown(rects.stateImage.left + 2, rects.stateImage.top + 3);
    device::penUp(rects.stateImage.left + 2, rects.stateImage.top + 3);
    device::runUntilIdle();
    EXPECT_EQ(STATEIMAGEINDEX(stateOf(last)), 2u);
    // A child inside a closed branch opens when revealed; its parent's button is tappable.
    send(TVM_EXPAND, TVE_COLLAPSE, (LPARAM)groceries);
    ASSERT_TRUE(q::itemScreenRects(tree, milk, true, rects));
    EXPECT_TRUE(stateOf(groceries) & TVIS_EXPANDED);
    q::ItemRects parentRects;
    ASSERT_TRUE(q::itemScreenRects(tree, groceries, true, parentRects));
    EXPECT_GT(parentRects.button.right, parentRects.button.left);
    device::advanceClock(1000);
    device::penDown((parentRects.button.left + parentRects.button.right) / 2, parentRects.button.top + 3);
    device::penUp((parentRects.button.left + parentRects.button.right) / 2, parentRects.button.top + 3);
    device::runUntilIdle();
    EXPECT_FALSE(stateOf(groceries) & TVIS_EXPANDED);
    EXPECT_FALSE(q::itemScreenRects(tree, milk, false, rects));
}

}  // namespace
