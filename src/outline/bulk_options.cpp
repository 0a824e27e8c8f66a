// The list options of the Options menu: the sort order, hiding checked items
// and the filtering of hidden items. Each changes attrCurrentList, moves its
// menu mark, rebuilds the clauses and reloads the outline.
#include <string>

#include "outline/bulk_commands.h"
#include "outline/outline_reload.h"
#include "outline/tree_checks.h"
#include "outline/tree_load.h"
#include "outline/unsaved_change.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/list_attributes.h"
#include "storage/sql_helpers.h"

// Sections: shared steps | Sort | Hide Checked | Hide On/Off

// --- shared steps -------------------------------------------------------------

namespace {

void rebuildClauses() {
    buildOrderClause(strOrderClause, ORDER_CLAUSE_BYTES, attrCurrentList.bAlphaSort, attrCurrentList.bCheckSort,
                     attrCurrentList.bPassword);
    buildFilterClause(strFilterClause, FILTER_CLAUSE_BYTES, attrCurrentList.bHideChecked,
                      attrCurrentList.bShowHiddenItems);
}

// Sort and Hide Checked keep the list's attributes stored at once, so the
// choice survives whatever ends the program.
bool storeAttributes() { return storeCurrentListAttributes(); }

void reloadWithNewClauses() {
    rebuildClauses();
    reloadCurrentList();
    fitPanesToOutline();
    // The reload took the selection, and the move buttons follow the sort.
    updateMenus();
}

void applySort(int alphaSort, int checkSort) {
    attrCurrentList.bAlphaSort = alphaSort;
    attrCurrentList.bCheckSort = checkSort;
    checkOptionsItem(res::kCmdSortAlphabetic, alphaSort);
    checkOptionsItem(res::kCmdSortChecked, checkSort);
    // A choice that could not be kept is put back as stored.
    if (!storeAttributes()) return;
    setWaitCursor(1);
    reloadWithNewClauses();
    setWaitCursor(0);
}

int toggled(int flag) { return flag == 0 ? 1 : 0; }

}  // namespace

// --- Sort -----------------------------------------------------------------------

LRESULT onSortAlphabetic(HWND, int, HWND, int) {
    if (bListLocked != 1) applySort(toggled(attrCurrentList.bAlphaSort), attrCurrentList.bCheckSort);
    return 0;
}

LRESULT onSortChecked(HWND, int, HWND, int) {
    if (bListLocked != 1) applySort(attrCurrentList.bAlphaSort, toggled(attrCurrentList.bCheckSort));
    return 0;
}

LRESULT onSortBoth(HWND, int, HWND, int) {
    if (bListLocked != 1) applySort(1, 1);
    return 0;
}

LRESULT onSortNone(HWND, int, HWND, int) {
    if (bListLocked != 1) applySort(0, 0);
    return 0;
}

// --- Hide Checked ---------------------------------------------------------------

LRESULT onHideChecked(HWND, int, HWND, int) {
    if (bListLocked == 1) return 0;
    attrCurrentList.bHideChecked = toggled(attrCurrentList.bHideChecked);
    checkOptionsItem(res::kCmdHideChecked, attrCurrentList.bHideChecked);
    if (!storeAttributes()) return 0;
    setWaitCursor(1);
    reloadWithNewClauses();
    setWaitCursor(0);
    return 0;
}

// --- Hide On/Off ----------------------------------------------------------------

namespace {

// With automatic checking a parent is complete when all the children now in
// the outline are checked: filtering hidden items out (or back in) can
// change that for any parent, so every one is decided again. Each decision
// is a row update; one transaction keeps a long list from paying a commit
// for every parent.
void recheckParentsForFilter() {
    char errorText[200];
    executeSql(dbCurrent, "BEGIN TRANSACTION;", errorText, sizeof errorText);
    recomputeAllChecks(hwndMainTV);
    executeSql(dbCurrent, "COMMIT;", errorText, sizeof errorText);
    // The completion suffixes count the marks that changed, and checked
    // items sort last: the table has the new marks, and loading it again is
    // quicker than mending every parent's label in place (a long list has
    // thousands). Hiding checked items needs neither: every node then is
    // unchecked, so no parent can have become complete.
    if (attrCurrentList.intCompletionShow > 0 || attrCurrentList.bCheckSort == 1) reloadCurrentList();
}

}  // namespace

LRESULT onHideOnOff(HWND, int, HWND, int) {
    if (bListLocked == 1) return 0;
    attrCurrentList.bShowHiddenItems = toggled(attrCurrentList.bShowHiddenItems);
    renameOptionsItem(res::kOptionsPosHidden, res::kCmdHideOnOff,
                      attrCurrentList.bShowHiddenItems == 1 ? u"Hide Off" : u"Hide On");
    // The value is stored with the list's attributes at their next storing.
    buildFilterClause(strFilterClause, FILTER_CLAUSE_BYTES, attrCurrentList.bHideChecked,
                      attrCurrentList.bShowHiddenItems);
    setWaitCursor(1);
    if (intListCount != 0 && currentListOpen()) {
        reloadCurrentList();
        if (attrCurrentList.bAutoCheck == 1) recheckParentsForFilter();
        fitPanesToOutline();
        updateMenus();
    }
    setWaitCursor(0);
    return 0;
}
