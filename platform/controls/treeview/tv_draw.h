// The control's own drawing of one row: connecting lines, the expand button,
// the state image (or the control's own check box), the normal image and the
// label with its selection or drop highlight.
#pragma once

#include "platform/controls/treeview/treeview_internal.h"

namespace tv {

struct ItemLook {
    COLORREF text;
    COLORREF textBk;
    bool highlighted;
    bool parentFont;  // the parent selected its own font (CDRF_NEWFONT)
};

// The colours a row's label would have, offered to the parent in NMTVCUSTOMDRAW.
void itemColors(Tree& t, const Item* it, bool highlighted, COLORREF& text, COLORREF& textBk);
void drawItem(Tree& t, HDC dc, Item* it, const RECT& row, const ItemLook& look);

}  // namespace tv
