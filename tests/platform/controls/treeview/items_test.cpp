// Items through messages as the program sends them: insertion places, links,
// fields, the children flag, state images, deletion and stale handles.
#include "tv_fixture.h"

using namespace tvtest;

namespace {

class Items : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        makeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
    }
    HTREEITEM next(HTREEITEM h, UINT code) { return (HTREEITEM)send(TVM_GETNEXTITEM, code, (LPARAM)h); }
    std::vector<std::string> childNames(HTREEITEM p) {
        std::vector<std::string> out;
        for (HTREEITEM c = next(p, TVGN_CHILD); c; c = next(c, TVGN_NEXT)) out.push_back(parent().nameOf(c));
        return out;
    }
};

TEST_F(Items, InsertPlacesFirstLastAfterAndSorted) {
    HTREEITEM b = add(TVI_ROOT, "b");
    add(TVI_ROOT, "d");
    add(TVI_ROOT, "a", 0, TVI_FIRST);
    add(TVI_ROOT, "c", 0, b);
    add(TVI_ROOT, "Bb", 0, TVI_SORT);  // case-insensitive: after "b", before "c"
    EXPECT_EQ(childNames(TVI_ROOT), (std::vector<std::string>{"a", "b", "Bb", "c", "d"}));
    EXPECT_EQ(send(TVM_GETCOUNT), 5);
    HTREEITEM other = add(TVI_ROOT, "x");
    HTREEITEM child = add(other, "child");
    // An insert-after item under another parent means the end.
    add(TVI_ROOT, "e", 0, child);
    EXPECT_EQ(childNames(TVI_ROOT).back(), "e");
    EXPECT_EQ(next(child, TVGN_PARENT), other);
    EXPECT_EQ(next(other, TVGN_PARENT), nullptr);
    EXPECT_EQ(next(nullptr, TVGN_ROOT), next(TVI_ROOT, TVGN_CHILD));
}

TEST_F(Items, FieldsReadBackAsWrittenAndTextIsCutToTheBuffer) {
    HTREEITEM a = add(TVI_ROOT, "Groceries", 42);
    TVITEMW tvi{};
    tvi.mask = TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvi.hItem = a;
    tvi.state = INDEXTOSTATEIMAGEMASK(2) | TVIS_BOLD;
    tvi.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
    tvi.lParam = 7;
    tvi.iImage = 3;
    tvi.iSelectedImage = 4;
    ASSERT_TRUE(send(TVM_SETITEMW, 0, (LPARAM)&tvi));
    TVITEMW out{};
    out.mask = TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    out.hItem = a;
    out.stateMask = TVIS_STATEIMAGEMASK;
    ASSERT_TRUE(send(TVM_GETITEMW, 0, (LPARAM)&out));
    EXPECT_EQ(out.state, INDEXTOSTATEIMAGEMASK(2));  // only the asked-for bits
    EXPECT_EQ(out.lParam, 7);
    EXPECT_EQ(out.iImage, 3);
    EXPECT_EQ(out.iSelectedImage, 4);
    EXPECT_EQ(send(TVM_GETITEMSTATE, (WPARAM)a, TVIS_BOLD), TVIS_BOLD);

    WCHAR small[5];
    TVITEMW text{};
    text.mask = TVIF_TEXT;
    text.hItem = a;
    text.pszText = small;
    text.cchTextMax = 5;
    ASSERT_TRUE(send(TVM_GETITEMW, 0, (LPARAM)&text));
    EXPECT_EQ(std::u16string(small), u"Groc");
}

TEST_F(Items, ChildrenFlagDecidesTheButtonApartFromRealChildren) {
    HTREEITEM plain = add(TVI_ROOT, "plain");
    HTREEITEM forcedNo = add(TVI_ROOT, "no", 0, TVI_LAST, 0);
    HTREEITEM forcedYes = add(TVI_ROOT, "yes", 0, TVI_LAST, 1);
    add(plain, "kid");
    add(forcedNo, "kid2");
    auto flag = [&](HTREEITEM h) {
        TVITEMW tvi{};
        tvi.mask = TVIF_CHILDREN;
        tvi.hItem = h;
        send(TVM_GETITEMW, 0, (LPARAM)&tvi);
        return tvi.cChildren;
    };
    EXPECT_EQ(flag(plain), 1);      // worked out from its child
    EXPECT_EQ(flag(forcedNo), 0);   // set to 0: no button although it has a child
    EXPECT_EQ(flag(forcedYes), 1);  // set to 1: a button before any child
    RECT r = itemRect(forcedNo, false);
    EXPECT_EQ(hit(9, r.top + 2), (UINT)TVHT_ONITEMINDENT);
    r = itemRect(forcedYes, false);
    EXPECT_EQ(hit(9, r.top + 2), (UINT)TVHT_ONITEMBUTTON);
    // Expanding an item that turns out to have no children takes its button away.
    EXPECT_FALSE(send(TVM_EXPAND, TVE_EXPAND, (LPARAM)forcedYes));
    EXPECT_EQ(flag(forcedYes), 0);
}

TEST_F(Items, CheckBoxStyleGivesNewItemsTheFirstStateImage) {
    SetWindowLongW(tree, GWL_STYLE, GetWindowLongW(tree, GWL_STYLE) | TVS_CHECKBOXES);
    HTREEITEM a = add(TVI_ROOT, "a");
    EXPECT_EQ(STATEIMAGEINDEX(stateOf(a)), 1u);
    TVINSERTSTRUCTW ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;  // 0x4D, as the outline inserts
    ins.item.pszText = (LPWSTR)u"checked";
    ins.item.state = 0x2000;
    ins.item.stateMask = 0xF000;
    HTREEITEM b = (HTREEITEM)send(TVM_INSERTITEMW, 0, (LPARAM)&ins);
    EXPECT_EQ(STATEIMAGEINDEX(stateOf(b)), 2u);
    EXPECT_EQ(stateOf(b) & TVIS_SELECTED, 0u);
}

TEST_F(Items, DeletingTellsTheParentForEveryItemParentFirst) {
    HTREEITEM a = add(TVI_ROOT, "a");
    HTREEITEM a1 = add(a, "a1");
    add(a1, "a1x");
    add(a, "a2");
    HTREEITEM b = add(TVI_ROOT, "b");
    parent().take();
    EXPECT_TRUE(send(TVM_DELETEITEM, 0, (LPARAM)a));
    EXPECT_EQ(parent().take(), (Lines{"DELETE(a)", "DELETE(a1)", "DELETE(a1x)", "DELETE(a2)"}));
    EXPECT_EQ(send(TVM_GETCOUNT), 1);
    // Handles of deleted items are never found again.
    EXPECT_FALSE(send(TVM_DELETEITEM, 0, (LPARAM)a1));
    EXPECT_EQ(textOf(a1), u"<none>");
    EXPECT_EQ(next(a1, TVGN_NEXT), nullptr);
    add(b, "b1");
    EXPECT_TRUE(send(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT));
    EXPECT_EQ(parent().take(), (Lines{"DELETE(b)", "DELETE(b1)"}));
    EXPECT_EQ(send(TVM_GETCOUNT), 0);
    EXPECT_EQ(next(nullptr, TVGN_ROOT), nullptr);
}

TEST_F(Items, DeletingTheSelectionSelectsTheNextSiblingOrTheParent) {
    HTREEITEM a = add(TVI_ROOT, "a");
    HTREEITEM a1 = add(a, "a1");
    HTREEITEM a2 = add(a, "a2");
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)a1);
    parent().take();
    send(TVM_DELETEITEM, 0, (LPARAM)a1);
    EXPECT_EQ(parent().take(), (Lines{"DELETE(a1)", "SELCHANGING(0,0,a2)", "SELCHANGED(0,0,a2)"}));
    send(TVM_DELETEITEM, 0, (LPARAM)a2);
    EXPECT_EQ(next(nullptr, TVGN_CARET), a);
    // All gone: no selection and no notification about one.
    parent().take();
    send(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    EXPECT_EQ(parent().take(), (Lines{"DELETE(a)"}));
    EXPECT_EQ(next(nullptr, TVGN_CARET), nullptr);
}

TEST_F(Items, BadArgumentsFailWithoutHarm) {
    EXPECT_EQ(send(TVM_INSERTITEMW, 0, 0), 0);
    TVINSERTSTRUCTW ins{};
    ins.hParent = (HTREEITEM)(uintptr_t)0x7FFFFFF0;  // no such item
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = (LPWSTR)u"x";
    EXPECT_EQ(send(TVM_INSERTITEMW, 0, (LPARAM)&ins), 0);
    EXPECT_FALSE(send(TVM_GETITEMW, 0, 0));
    EXPECT_FALSE(send(TVM_SETITEMW, 0, 0));
    EXPECT_FALSE(send(TVM_EXPAND, TVE_EXPAND, 12345));
    EXPECT_FALSE(send(TVM_SELECTITEM, TVGN_CARET, 12345));
    EXPECT_EQ(send(TVM_GETNEXTITEM, TVGN_NEXT, 0), 0);
    EXPECT_EQ(send(TVM_HITTEST, 0, 0), 0);
    EXPECT_EQ(send(TVM_GETEDITCONTROL), 0);
    EXPECT_EQ(send(TVM_EDITLABELW, 0, 12345), 0);
}

}  // namespace
