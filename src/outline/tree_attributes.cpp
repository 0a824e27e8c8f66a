// Applying a list's attributes to the program: everything about the outline
// that depends on the list except its items.
#include <cstring>

#include "outline/item_draw.h"
#include "outline/outline_paint.h"
#include "outline/tree_load.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"

namespace {

void replaceBrush(HBRUSH* brush, COLORREF colour) {
    if (*brush) DeleteObject(*brush);
    *brush = CreateSolidBrush(colour);
}

}  // namespace

void applyListAttributes(ListAttributes record) {
    setCheckboxStyle(hwndMainTV, outlineStateImageList(), record.bCheckbox);
    static_assert(sizeof(strBackgroundImage) <= sizeof(record.strBitmapFile));
    std::memcpy(strBackgroundImage, record.strBitmapFile, sizeof(strBackgroundImage));
    strBackgroundImage[BACKGROUND_IMAGE_CHARS - 1] = 0;
    loadButtonPictures(record.intButtonType);
    buildOrderClause(strOrderClause, ORDER_CLAUSE_BYTES, record.bAlphaSort, record.bCheckSort, record.bPassword);
    buildFilterClause(strFilterClause, FILTER_CLAUSE_BYTES, record.bHideChecked, record.bShowHiddenItems);
    if (record.bUseBitmapFile == 1)
        loadBackgroundPicture(strBackgroundImage);
    else
        clearBackgroundPicture();
    replaceBrush(&hbrBackground, record.crBackground);
    replaceBrush(&hbrNoteBackground, record.crNoteBackground);
    checkOptionsItem(res::kCmdSortAlphabetic, record.bAlphaSort);
    checkOptionsItem(res::kCmdSortChecked, record.bCheckSort);
    checkOptionsItem(res::kCmdHideChecked, record.bHideChecked);
    renameOptionsItem(res::kOptionsPosHidden, res::kCmdHideOnOff, record.bShowHiddenItems == 1 ? u"Hide Off" : u"Hide On");
}
