// Where things are: item rectangles, hit-test codes over every part of a row,
// room for state images, row height from font and images, and styles
// changed while the tree is up.
#include "tv_fixture.h"

using namespace tvtest;

namespace {

class Layout : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        makeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 0, 200, 100);
        a = add(TVI_ROOT, "Alpha");
        a1 = add(a, "Beta");
        b = add(TVI_ROOT, "Gamma");
        send(TVM_EXPAND, TVE_EXPAND, (LPARAM)a);
        h = (int)send(TVM_GETITEMHEIGHT);
        indent = (int)send(TVM_GETINDENT);
    }
    HTREEITEM a, a1, b;
    int h = 0, indent = 0;
};

TEST_F(Layout, RowsStackDownAndLabelsStartOneIndentPerLevel) {
    EXPECT_GT(h, 10);
    EXPECT_EQ(h % 2, 0);
    EXPECT_EQ(indent, 19);
    RECT ra = itemRect(a, false), ra1 = itemRect(a1, false), rb = itemRect(b, false);
    EXPECT_EQ(ra.top, 0);
    EXPECT_EQ(ra1.top, h);
    EXPECT_EQ(rb.top, 2 * h);
    EXPECT_EQ(ra.left, 0);
    EXPECT_EQ(ra.right, 200);
    RECT ta = itemRect(a, true), ta1 = itemRect(a1, true);
    EXPECT_EQ(ta.left, indent);  // lines at root: the root column holds the button
    EXPECT_EQ(ta1.left, 2 * indent);
    EXPECT_GT(ta.right, ta.left + 10);
    EXPECT_EQ(ta.top, ra.top);
    EXPECT_EQ(ta.bottom, ra.bottom);
    // Without lines at root the top level starts at the left edge.
    SetWindowLongW(tree, GWL_STYLE, GetWindowLongW(tree, GWL_STYLE) & ~TVS_LINESATROOT);
    EXPECT_EQ(itemRect(a, true).left, 0);
    EXPECT_EQ(itemRect(a1, true).left, indent);
}

TEST_F(Layout, HitTestNamesEveryPartOfARow) {
    RECT label = itemRect(a1, true);
    HTREEITEM item = nullptr;
    EXPECT_EQ(hit(label.left + 2, label.top + 1, &item), (UINT)TVHT_ONITEMLABEL);
    EXPECT_EQ(item, a1);
    EXPECT_EQ(hit(label.right + 5, label.top + 1), (UINT)TVHT_ONITEMRIGHT);
    EXPECT_EQ(hit(3, label.top + 1), (UINT)TVHT_ONITEMINDENT);           // the parent's column
    EXPECT_EQ(hit(indent + 3, label.top + 1), (UINT)TVHT_ONITEMINDENT);  // a1 has no button
    EXPECT_EQ(hit(indent / 2, 2, &item), (UINT)TVHT_ONITEMBUTTON);       // a has one
    EXPECT_EQ(item, a);
    EXPECT_EQ(hit(10, 3 * h + 2, &item), (UINT)TVHT_NOWHERE);
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(hit(-1, 5), (UINT)TVHT_TOLEFT);
    EXPECT_EQ(hit(200, 5), (UINT)TVHT_TORIGHT);
    EXPECT_EQ(hit(5, -1), (UINT)TVHT_ABOVE);
    EXPECT_EQ(hit(5, 100), (UINT)TVHT_BELOW);
    EXPECT_EQ(hit(-1, 100), (UINT)(TVHT_TOLEFT | TVHT_BELOW));
    // Without TVS_HASBUTTONS the button column is only indent.
    SetWindowLongW(tree, GWL_STYLE, GetWindowLongW(tree, GWL_STYLE) & ~TVS_HASBUTTONS);
    EXPECT_EQ(hit(indent / 2, 2), (UINT)TVHT_ONITEMINDENT);
}

TEST_F(Layout, CheckBoxesReserveRoomBeforeTheLabelAndAreHitAsStateIcons) {
    int before = itemRect(a, true).left;
    SetWindowLongW(tree, GWL_STYLE, GetWindowLongW(tree, GWL_STYLE) | TVS_CHECKBOXES);
    TVITEMW tvi{};
    tvi.mask = TVIF_STATE;
    tvi.hItem = a;
    tvi.state = INDEXTOSTATEIMAGEMASK(1);
    tvi.stateMask = TVIS_STATEIMAGEMASK;
    send(TVM_SETITEMW, 0, (LPARAM)&tvi);
    RECT label = itemRect(a, true);
    EXPECT_GT(label.left, before);
    EXPECT_EQ(hit(label.left - 3, label.top + 2), (UINT)TVHT_ONITEMSTATEICON);
    EXPECT_EQ(hit(before + 1, label.top + 2), (UINT)TVHT_ONITEMSTATEICON);
    // An item without a state image keeps no room for one.
    EXPECT_EQ(itemRect(b, true).left, before);
}

TEST_F(Layout, IndentAndItemHeightFollowTheirMessages) {
    send(TVM_SETINDENT, 30);
    EXPECT_EQ(send(TVM_GETINDENT), 30);
    EXPECT_EQ(itemRect(a1, true).left, 60);
    EXPECT_EQ(send(TVM_SETITEMHEIGHT, 25), h);
    EXPECT_EQ(send(TVM_GETITEMHEIGHT), 24);  // rounded down to even
    EXPECT_EQ(itemRect(b, false).top, 48);
    EXPECT_EQ(send(TVM_GETVISIBLECOUNT), 100 / 24);
    send(TVM_SETITEMHEIGHT, (WPARAM)-1);
    EXPECT_EQ(send(TVM_GETITEMHEIGHT), h);
}

TEST_F(Layout, ABiggerFontMakesTallerRows) {
    LOGFONTW lf{};
    lf.lfHeight = -24;
    lf.lfWeight = FW_NORMAL;
    std::u16string face = u"Tahoma";
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    HFONT big = CreateFontIndirectW(&lf);
    send(WM_SETFONT, (WPARAM)big, TRUE);
    EXPECT_EQ((HFONT)send(WM_GETFONT), big);
    int tall = (int)send(TVM_GETITEMHEIGHT);
    EXPECT_GT(tall, h + 6);
    EXPECT_EQ(itemRect(b, false).top, 2 * tall);
    send(WM_SETFONT, 0, FALSE);
    EXPECT_EQ(send(TVM_GETITEMHEIGHT), h);
    DeleteObject(big);
}

}  // namespace
