// Options > Font Size: the outline's four fonts at the chosen size, and with
// them everything whose size follows the font's height (the check boxes, the
// note marker and the room the state image list keeps for the check box).
// The size belongs to the program, not to a list: it is the setting
// "fontsizeTV" and applies to every list. The list is not reloaded.
#include "outline/bulk_commands.h"

#include "common/app_font.h"
#include "outline/item_draw.h"
#include "outline/tree_load.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/settings.h"

void createOutlineFonts(int points) {
    for (HFONT* font : {&hfontTree, &hfontTreeBold, &hfontTreeStrike, &hfontTreeBoldStrike}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
    hfontTree = createAppFont(points, 400, 0, bClearType, &intTreeFontHeight);
    hfontTreeBold = createAppFont(points, 700, 0, bClearType);
    hfontTreeStrike = createAppFont(points, 400, 1, bClearType);
    hfontTreeBoldStrike = createAppFont(points, 700, 1, bClearType);
}

UINT fontSizeMenuId(int points) {
    if (points < 8 || points > 16) return 0;
    return res::kCmdFontSize8 + (UINT)(points - 8);
}

void markFontSizeItem(int points) {
    for (UINT id = res::kCmdFontSize8; id <= res::kCmdFontSize16; ++id) checkOptionsItem(id, 0);
    if (UINT id = fontSizeMenuId(points)) checkOptionsItem(id, 1);
}

LRESULT onFontSize(HWND, int id, HWND, int) {
    if (id < (int)res::kCmdFontSize8 || id > (int)res::kCmdFontSize16) return 0;
    const int points = 8 + (id - (int)res::kCmdFontSize8);
    createOutlineFonts(points);
    markFontSizeItem(points);
    HWND tree = hwndMainTV;
    if (tree) {
        HFONT font = attrCurrentList.bRootBold == 1 ? hfontTreeBold : hfontTree;
        SendMessageW(tree, WM_SETFONT, (WPARAM)font, TRUE);
    }
    makeItemPictures(intTreeFontHeight);
    HIMAGELIST stateImages = createStateImageList(tree, intTreeFontHeight);
    setCheckboxStyle(tree, stateImages, 1);
    intFontSizeTV = points;
    setSettingInt(SETTING_FONTSIZETV, points);
    // The list decides whether its check boxes show, as when it is loaded.
    setCheckboxStyle(tree, stateImages, attrCurrentList.bCheckbox);
    if (tree) InvalidateRect(tree, nullptr, TRUE);
    return 0;
}
