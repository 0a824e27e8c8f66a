// Options > Font Size: the fonts, the pictures and the room for the check
// box follow the chosen size, the mark moves, and the size is a setting.
#include "bulk_fixture.h"
#include "storage/settings.h"

using namespace bulktest;

namespace {

int bitmapWidth(HBITMAP bitmap) {
    BITMAP bm{};
    return bitmap && GetObjectW(bitmap, sizeof bm, &bm) ? bm.bmWidth : 0;
}

int stateImageSide() {
    int cx = 0, cy = 0;
    HIMAGELIST images = (HIMAGELIST)SendMessageW(hwndMainTV, TVM_GETIMAGELIST, TVSIL_STATE, 0);
    if (!images || !ImageList_GetIconSize(images, &cx, &cy)) return 0;
    return cx;
}

int cellHeight(HFONT font) {
    LOGFONTW lf{};
    return font && GetObjectW(font, sizeof lf, &lf) ? (int)lf.lfHeight : 0;
}

class FontSize : public BulkTest {};

TEST_F(FontSize, SixteenAndBackToEightResizeFontsCheckBoxesAndNoteMarker) {
    addRow(1, 0, 1, "Milk", 0, 0, 0, 1, 1, "semi-skimmed");
    open();
    command(res::kCmdFontSize16);
    EXPECT_EQ(intFontSizeTV, 16);
    EXPECT_EQ(intTreeFontHeight, 16 * 96 / 72);
    EXPECT_EQ(cellHeight(hfontTreeBoldStrike), 16 * 96 / 72);
    EXPECT_EQ(bitmapWidth(hbmCheckBoxChecked), intTreeFontHeight);
    EXPECT_EQ(bitmapWidth(hbmCheckBoxUnchecked), intTreeFontHeight);
    EXPECT_EQ(intNoteMarkerSize, intTreeFontHeight * 6 / 10);
    EXPECT_EQ(bitmapWidth(hbmNoteMarker), intNoteMarkerSize);
    EXPECT_EQ(stateImageSide(), intTreeFontHeight + intUnit);
    for (UINT id = res::kCmdFontSize8; id <= res::kCmdFontSize16; ++id)
        EXPECT_EQ(checked(id), id == res::kCmdFontSize16) << id;
    int stored = 0;
    ASSERT_EQ(getSettingInt(SETTING_FONTSIZETV, &stored), 1);
    EXPECT_EQ(stored, 16);
    // The list is not reloaded: its node is the one that was there.
    HTREEITEM node = byId(1);

    command(res::kCmdFontSize8);
    EXPECT_EQ(intTreeFontHeight, 8 * 96 / 72);
    EXPECT_EQ(bitmapWidth(hbmCheckBoxChecked), 10);
    EXPECT_EQ(bitmapWidth(hbmNoteMarker), 6);
    EXPECT_EQ(stateImageSide(), 10 + intUnit);
    EXPECT_TRUE(checked(res::kCmdFontSize8));
    EXPECT_FALSE(checked(res::kCmdFontSize16));
    ASSERT_EQ(getSettingInt(SETTING_FONTSIZETV, &stored), 1);
    EXPECT_EQ(stored, 8);
    EXPECT_EQ(byId(1), node);
    // The list's own options: the outline's font for bold top-level items,
    // and its check boxes.
    EXPECT_EQ((HFONT)SendMessageW(hwndMainTV, WM_GETFONT, 0, 0), hfontTreeBold);

    attrCurrentList.bRootBold = 0;
    attrCurrentList.bCheckbox = 0;
    command(res::kCmdFontSize8 + 4);
    EXPECT_EQ((HFONT)SendMessageW(hwndMainTV, WM_GETFONT, 0, 0), hfontTree);
    EXPECT_EQ(cellHeight(hfontTree), 12 * 96 / 72);
    EXPECT_EQ(GetWindowLongW(hwndMainTV, GWL_STYLE) & TVS_CHECKBOXES, 0);
}

}  // namespace
