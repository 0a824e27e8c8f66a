// Expansion and selection: which notifications go out, in what order, with
// what action, and what the parent's answers change.
#include "tv_fixture.h"

using namespace tvtest;

namespace {

class ExpandSelect : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        makeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
        a = add(TVI_ROOT, "a");
        a1 = add(a, "a1");
        a1x = add(a1, "a1x");
        b = add(TVI_ROOT, "b");
        parent().take();
    }
    HTREEITEM a, a1, a1x, b;
};

TEST_F(ExpandSelect, TheProgramsExpandNotifiesOnlyTheFirstTime) {
    EXPECT_TRUE(send(TVM_EXPAND, TVE_EXPAND, (LPARAM)a));
    EXPECT_EQ(parent().take(), (Lines{"EXPANDING(2,a)", "EXPANDED(2,a)"}));
    EXPECT_TRUE(send(TVM_EXPAND, TVE_EXPAND, (LPARAM)a));  // already open: success, silence
    EXPECT_TRUE(send(TVM_EXPAND, TVE_COLLAPSE, (LPARAM)a));
    EXPECT_FALSE(send(TVM_EXPAND, TVE_COLLAPSE, (LPARAM)a));  // already closed
    EXPECT_TRUE(send(TVM_EXPAND, TVE_TOGGLE, (LPARAM)a));
    EXPECT_EQ(parent().take(), Lines{});
    EXPECT_TRUE(stateOf(a) & TVIS_EXPANDED);
    EXPECT_TRUE(stateOf(a) & TVIS_EXPANDEDONCE);
    // A reset collapse removes the children and makes the next expansion a first one.
    EXPECT_TRUE(send(TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, (LPARAM)a));
    EXPECT_EQ(parent().take(), (Lines{"DELETE(a1)", "DELETE(a1x)"}));
    EXPECT_EQ(send(TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)a), 0);
    EXPECT_FALSE(send(TVM_EXPAND, TVE_EXPAND, (LPARAM)b));  // no children, no expansion
}

TEST_F(ExpandSelect, TheParentCanRefuseAndCanFillChildrenWhileExpanding) {
    parent().answers[TVN_ITEMEXPANDINGW] = 1;
    EXPECT_FALSE(send(TVM_EXPAND, TVE_EXPAND, (LPARAM)a));
    EXPECT_FALSE(stateOf(a) & TVIS_EXPANDED);
    parent().answers.clear();
    // A folder with a button and no children gets them while it opens.
    HTREEITEM folder = add(TVI_ROOT, "folder", 0, TVI_LAST, 1);
    parent().hook = [&](NMHDR* h) -> LRESULT {
        if (h->code == TVN_ITEMEXPANDINGW) add(folder, "inside");
        return -1;
    };
    EXPECT_TRUE(send(TVM_EXPAND, TVE_EXPAND, (LPARAM)folder));
    HTREEITEM inside = (HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)folder);
    ASSERT_NE(inside, nullptr);
    EXPECT_GT(itemRect(inside, false).bottom, 0);
}

TEST_F(ExpandSelect, SelectingNotifiesBeforeAndAfterAndOpensTheWay) {
    EXPECT_TRUE(send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)a1x));
    EXPECT_EQ(parent().take(), (Lines{"SELCHANGING(0,0,a1x)", "EXPANDING(2,a)", "EXPANDED(2,a)", "EXPANDING(2,a1)",
                                      "EXPANDED(2,a1)", "SELCHANGED(0,0,a1x)"}));
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), a1x);
    EXPECT_TRUE(stateOf(a1x) & TVIS_SELECTED);
    EXPECT_TRUE(send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)a1x));  // the same item: nothing to say
    EXPECT_EQ(parent().take(), Lines{});
    parent().answers[TVN_SELCHANGINGW] = 1;
    EXPECT_FALSE(send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)b));
    EXPECT_EQ(parent().take(), (Lines{"SELCHANGING(0,a1x,b)"}));
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), a1x);
    parent().answers.clear();
    EXPECT_TRUE(send(TVM_SELECTITEM, TVGN_CARET, 0));  // clearing the selection
    EXPECT_EQ(parent().take(), (Lines{"SELCHANGING(0,a1x,0)", "SELCHANGED(0,a1x,0)"}));
    EXPECT_FALSE(stateOf(a1x) & TVIS_SELECTED);
}

TEST_F(ExpandSelect, CollapsingAroundTheSelectionMovesItToTheClosedItem) {
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)a1x);
    parent().take();
    send(TVM_EXPAND, TVE_COLLAPSE, (LPARAM)a);
    EXPECT_EQ(parent().take(), (Lines{"SELCHANGING(0,a1x,a)", "SELCHANGED(0,a1x,a)"}));
    // A collapsed branch hides its items: no rectangle for them.
    EXPECT_EQ(itemRect(a1, false).left, -1);
    EXPECT_EQ(itemRect(a1x, true).left, -1);
}

TEST_F(ExpandSelect, DropHighlightIsSeparateFromTheSelection) {
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)b);
    parent().take();
    EXPECT_TRUE(send(TVM_SELECTITEM, TVGN_DROPHILITE, (LPARAM)a));
    EXPECT_EQ(parent().take(), Lines{});
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_DROPHILITE), a);
    EXPECT_TRUE(stateOf(a) & TVIS_DROPHILITED);
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), b);
    send(TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    EXPECT_FALSE(stateOf(a) & TVIS_DROPHILITED);
    EXPECT_EQ(send(TVM_GETNEXTITEM, TVGN_DROPHILITE), 0);
}

TEST_F(ExpandSelect, VisibleWalksFollowOpenBranches) {
    auto nextv = [&](HTREEITEM h, UINT code) { return (HTREEITEM)send(TVM_GETNEXTITEM, code, (LPARAM)h); };
    EXPECT_EQ(nextv(nullptr, TVGN_FIRSTVISIBLE), a);
    EXPECT_EQ(nextv(a, TVGN_NEXTVISIBLE), b);
    EXPECT_EQ(nextv(nullptr, TVGN_LASTVISIBLE), b);
    EXPECT_EQ(nextv(a1, TVGN_NEXTVISIBLE), nullptr);  // a1 is not shown
    send(TVM_EXPAND, TVE_EXPAND, (LPARAM)a);
    send(TVM_EXPAND, TVE_EXPAND, (LPARAM)a1);
    EXPECT_EQ(nextv(a, TVGN_NEXTVISIBLE), a1);
    EXPECT_EQ(nextv(a1x, TVGN_NEXTVISIBLE), b);
    EXPECT_EQ(nextv(b, TVGN_PREVIOUSVISIBLE), a1x);
    EXPECT_EQ(nextv(nullptr, TVGN_LASTVISIBLE), b);
}

TEST_F(ExpandSelect, EnsureVisibleOpensClosedAncestorsWithNotifications) {
    EXPECT_FALSE(send(TVM_ENSUREVISIBLE, 0, (LPARAM)a1x));  // opened, not scrolled
    EXPECT_EQ(parent().take(), (Lines{"EXPANDING(2,a)", "EXPANDED(2,a)", "EXPANDING(2,a1)", "EXPANDED(2,a1)"}));
    EXPECT_GE(itemRect(a1x, false).top, 0);
}

}  // namespace
