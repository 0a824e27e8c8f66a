// Image lists: the state images' width reserves room before the label, normal
// images come before the label and raise the rows, both are drawn, and the
// control makes a drag image of an item.
#include "tv_fixture.h"

using namespace tvtest;

namespace {

class Images : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        makeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 0, 200, 100);
        a = add(TVI_ROOT, "Alpha");
        b = add(TVI_ROOT, "Beta");
        base = itemRect(a, true).left;
    }
    void TearDown() override {
        TreeTest::TearDown();
        for (HIMAGELIST l : lists) ImageList_Destroy(l);
    }
    // A list of `count` solid squares of the given colours.
    HIMAGELIST solidList(int size, std::vector<COLORREF> colours) {
        HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR16, (int)colours.size(), 1);
        HDC screen = GetDC(nullptr);
        HBITMAP strip = CreateCompatibleBitmap(screen, size * (int)colours.size(), size);
        HDC dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, strip);
        for (size_t i = 0; i < colours.size(); ++i) {
            HBRUSH brush = CreateSolidBrush(colours[i]);
            RECT r{(LONG)i * size, 0, (LONG)(i + 1) * size, size};
            FillRect(dc, &r, brush);
            DeleteObject(brush);
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        ImageList_Add(list, strip, nullptr);
        DeleteObject(strip);
        lists.push_back(list);
        return list;
    }
    void setStateImage(HTREEITEM item, int index) {
        TVITEMW tvi{};
        tvi.mask = TVIF_STATE;
        tvi.hItem = item;
        tvi.state = INDEXTOSTATEIMAGEMASK(index);
        tvi.stateMask = TVIS_STATEIMAGEMASK;
        send(TVM_SETITEMW, 0, (LPARAM)&tvi);
    }
    HTREEITEM a, b;
    int base = 0;
    std::vector<HIMAGELIST> lists;
};

TEST_F(Images, StateImagesTakeTheirWidthBeforeTheLabelAndAreDrawn) {
    // As the outline does it: an empty list only to reserve the room.
    HIMAGELIST reserve = ImageList_Create(20, 20, ILC_COLOR16 | ILC_MASK, 2, 10);
    lists.push_back(reserve);
    EXPECT_EQ(send(TVM_SETIMAGELIST, TVSIL_STATE, (LPARAM)reserve), 0);
    EXPECT_EQ((HIMAGELIST)send(TVM_GETIMAGELIST, TVSIL_STATE), reserve);
    setStateImage(a, 1);
    EXPECT_EQ(itemRect(a, true).left, base + 20);
    EXPECT_EQ(itemRect(b, true).left, base);  // no state image, no room
    EXPECT_GE(send(TVM_GETITEMHEIGHT), 20);
    // A list with pictures: image i of the list for state index i.
    HIMAGELIST pictures = solidList(20, {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 0, 255)});
    EXPECT_EQ((HIMAGELIST)send(TVM_SETIMAGELIST, TVSIL_STATE, (LPARAM)pictures), reserve);
    setStateImage(a, 2);
    InvalidateRect(tree, nullptr, TRUE);
    device::runUntilIdle();
    RECT row = itemRect(a, false);
    EXPECT_EQ(screenPixel(base + 10, 26 + (row.top + row.bottom) / 2), RGB(0, 0, 255));
}

TEST_F(Images, NormalImagesComeBeforeTheLabelAndSwitchWhenSelected) {
    HIMAGELIST icons = solidList(16, {RGB(0, 128, 0), RGB(128, 0, 128)});
    send(TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)icons);
    TVITEMW tvi{};
    tvi.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvi.hItem = b;
    tvi.iImage = 0;
    tvi.iSelectedImage = 1;
    send(TVM_SETITEMW, 0, (LPARAM)&tvi);
    RECT label = itemRect(b, true);
    EXPECT_GT(label.left, base + 16);
    EXPECT_EQ(hit(base + 4, label.top + 3), (UINT)TVHT_ONITEMICON);
    InvalidateRect(tree, nullptr, TRUE);
    device::runUntilIdle();
    int y = 26 + (label.top + label.bottom) / 2;
    EXPECT_EQ(screenPixel(base + 8, y), RGB(0, 128, 0));
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)b);
    device::runUntilIdle();
    EXPECT_EQ(screenPixel(base + 8, y), RGB(128, 0, 128));
}

TEST_F(Images, TheControlMakesADragImageOfAnItem) {
    HIMAGELIST drag = (HIMAGELIST)send(TVM_CREATEDRAGIMAGE, 0, (LPARAM)a);
    ASSERT_NE(drag, nullptr);
    lists.push_back(drag);
    EXPECT_EQ(ImageList_GetImageCount(drag), 1);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(drag, &cx, &cy);
    RECT label = itemRect(a, true);
    EXPECT_EQ(cx, label.right - label.left);
    EXPECT_EQ(cy, (int)send(TVM_GETITEMHEIGHT));
    EXPECT_EQ(send(TVM_CREATEDRAGIMAGE, 0, 12345), 0);
}

}  // namespace
