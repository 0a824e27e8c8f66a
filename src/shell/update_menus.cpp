// updateMenus and updateEditBar: the enabled state of every command follows
// the application state after each operation that changes it.
#include <algorithm>

#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "shell/menu_rules.h"
#include "state/app_state.h"

using namespace res;

const UINT kManagedMenuItems[12] = {kCmdDatabaseAttributes, kCmdNewList,  kCmdRenameList,       kCmdDeleteList,
                                    kCmdExportList,         kCmdSetPasswordForList, kCmdSetPasswordAlt, kCmdUndo,
                                    kCmdCut,                kCmdCopy,     kCmdPaste,            kCmdInsertTimeDate};
const UINT kManagedToolbarButtons[5] = {kCmdNewItem, kCmdNewSubItem, kCmdFind, kCmdEditBar, kCmdItemNote};

MenuDecision decideMenus(const MenuInputs& in) {
    MenuDecision d;
    std::fill(d.editBar, d.editBar + EDIT_BAR_BUTTONS, 1);
    if (!in.database) return d;
    if (in.locked) {
        // Until its password is given, the list can only be left or removed.
        d.items = {kCmdNewList, kCmdDeleteList};
        return d;
    }
    d.items = {kCmdDatabaseAttributes, kCmdNewList, kCmdImportList};
    if (in.listCount > 0) {
        d.items.insert(d.items.end(), {kCmdRenameList, kCmdDeleteList, kCmdExportList, kCmdSetPasswordForList});
        d.buttons = {kCmdNewItem, kCmdFind, kCmdEditBar, kCmdItemNote};
    }
    d.items.push_back(kCmdSetPasswordAlt);
    if (in.selected) {
        d.items.insert(d.items.end(), {kCmdCut, kCmdCopy});
        d.buttons.push_back(kCmdNewSubItem);
        for (int b : {EDIT_BAR_CUT, EDIT_BAR_COPY, EDIT_BAR_DELETE, EDIT_BAR_DUPLICATE}) d.editBar[b] = 2;
        // Sorted lists keep their own order, so nothing moves by hand.
        if (in.alphaSort == 0) {
            if (in.hasParent) d.editBar[EDIT_BAR_MOVE_LEFT] = 2;
            if (in.hasPrevious) d.editBar[EDIT_BAR_MOVE_UP] = d.editBar[EDIT_BAR_MOVE_RIGHT] = 2;
            if (in.hasNext) d.editBar[EDIT_BAR_MOVE_DOWN] = 2;
        }
    }
    if (in.clipboard != 0) {
        d.items.push_back(kCmdPaste);
        d.editBar[EDIT_BAR_PASTE] = 2;
    }
    if (in.undo != 0) d.items.push_back(kCmdUndo);
    return d;
}

MenuInputs currentMenuInputs() {
    MenuInputs in;
    in.database = dbCurrent != nullptr;
    in.locked = bListLocked == 1;
    in.listCount = intListCount;
    in.alphaSort = attrCurrentList.bAlphaSort;
    in.clipboard = longClipboardID;
    in.undo = bUndoAvailable;
    HTREEITEM item = hwndMainTV ? (HTREEITEM)SendMessageW(hwndMainTV, TVM_GETNEXTITEM, TVGN_CARET, 0) : nullptr;
    if (item) {
        in.selected = 1;
        in.hasParent = SendMessageW(hwndMainTV, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)item) != 0;
        in.hasPrevious = SendMessageW(hwndMainTV, TVM_GETNEXTITEM, TVGN_PREVIOUS, (LPARAM)item) != 0;
        in.hasNext = SendMessageW(hwndMainTV, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item) != 0;
    }
    return in;
}

namespace {

void repaintEditBar() {
    if (bEditBarVisible != 1 || !hwndMain) return;
    RECT band{};
    GetClientRect(hwndMain, &band);
    band.top = intListBarBottom;
    band.bottom = intListBarBottom + intListBarHeight;
    InvalidateRect(hwndMain, &band, FALSE);
}

}  // namespace

void applyMenuDecision() {
    MenuDecision d = decideMenus(currentMenuInputs());
    for (UINT id : kManagedMenuItems) enableMenuBarItem(id, 0);
    for (UINT id : kManagedToolbarButtons) enableToolbarButton(id, 0);
    for (UINT id : d.items) enableMenuBarItem(id, 1);
    for (UINT id : d.buttons) enableToolbarButton(id, 1);
    std::copy(d.editBar, d.editBar + EDIT_BAR_BUTTONS, intEditBarState);
    repaintEditBar();
}

void applyEditBarDecision() {
    MenuInputs in = currentMenuInputs();
    if (in.database && !in.locked) {
        MenuDecision d = decideMenus(in);
        std::copy(d.editBar, d.editBar + EDIT_BAR_BUTTONS, intEditBarState);
    } else {
        std::fill(intEditBarState, intEditBarState + EDIT_BAR_BUTTONS, 1);
    }
    repaintEditBar();
}
