// The Options menu's commands that change every row of the current list:
// Check All and Uncheck All, Expand All and Collapse All, Set All Show and
// Set All Hide (one statement each), and Delete Checked. Each reloads the
// outline from the table afterwards.
#include "common/message_dialog.h"
#include "outline/bulk_commands.h"
#include "outline/checked_rows.h"
#include "outline/outline_reload.h"
#include "state/app_state.h"
#include "state/shell_calls.h"

// Sections: one statement on every row | Delete Checked

// --- one statement on every row -----------------------------------------------

namespace {

// The statement has no condition: parked items and the cut item on the
// clipboard change with the rest, so they come back as the list now is.
void setEveryRow(const char* templ, int flag) {
    if (!currentListOpen()) return;
    setWaitCursor(1);
    runOnCurrentList(templ, flag);
    reloadCurrentList();
    fitPanesToOutline();
    updateMenus();
    setWaitCursor(0);
}

void setCheckedEverywhere(int checked) { setEveryRow("UPDATE '@' set bChecked = ?;", checked); }

// The rows keep the state, so it holds over a change of list or a restart.
void setExpandedEverywhere(int expanded) { setEveryRow("UPDATE '@' set bNodeExpand = ?;", expanded); }

void setShownEverywhere(int shown) {
    setEveryRow("UPDATE '@' set bDisplay = ?;", shown);
    // Hidden items change colour everywhere, the empty face may show.
    if (currentListOpen() && hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
}

}  // namespace

LRESULT onCheckAll(HWND, int, HWND, int) {
    setCheckedEverywhere(1);
    return 0;
}

LRESULT onUncheckAll(HWND, int, HWND, int) {
    setCheckedEverywhere(0);
    return 0;
}

LRESULT onExpandAll(HWND, int, HWND, int) {
    setExpandedEverywhere(1);
    return 0;
}

LRESULT onCollapseAll(HWND, int, HWND, int) {
    setExpandedEverywhere(0);
    return 0;
}

LRESULT onSetAllShow(HWND, int, HWND, int) {
    setShownEverywhere(1);
    return 0;
}

LRESULT onSetAllHide(HWND, int, HWND, int) {
    setShownEverywhere(0);
    return 0;
}

// --- Delete Checked ---------------------------------------------------------------

LRESULT onDeleteChecked(HWND hwnd, int, HWND, int) {
    HWND tree = hwndMainTV;
    // No list, an empty list or one still locked shows no outline: there is
    // nothing the user could have checked.
    if (!tree || !IsWindowVisible(tree) || !currentListOpen()) return 0;
    if (bWarningMessage == 1 &&
        messageDialog(hwnd ? hwnd : hwndMain, u"Do you want to delete all checked items in the current list?",
                      u"Deletion Warning", MD_STYLE_WARNING_OKCANCEL) == 2) {
        SetFocus(tree);
        return 0;
    }
    setWaitCursor(1);
    // The rows go for good; Undo keeps only what Delete and Cut parked.
    deleteCheckedRows(dbCurrent, strCurrentList);
    reloadCurrentList();
    setWaitCursor(0);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0);
    fitPanesToOutline();
    if (IsWindowVisible(tree)) SetFocus(tree);
    updateMenus();
    return 0;
}
