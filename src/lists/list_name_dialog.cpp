// The "New list name" and "Rename list name" dialogs (template 145) and the
// rules every list name must meet.
//
// Sections: name rules | renaming | dialog state | procedure | running
#include <cstring>
#include <string>

#include "common/codepage.h"
#include "common/message_dialog.h"
#include "common/trim_spaces.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_look.h"
#include "lists/list_management.h"
#include "lists/list_name_combo.h"
#include "lists/list_transaction.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"

namespace {

bool holdsQuote(const WCHAR* text) {
    for (int i = 0; text[i] != 0; ++i)
        if (text[i] == u'\'') return true;
    return false;
}

bool inBox(ListNameBox& box, const WCHAR* name) { return box.find(name) >= 0; }

}  // namespace

// --- name rules ----------------------------------------------------------------

ListNameProblem checkListName(WCHAR* name, HWND box) {
    ListNameCombo names(box);
    return checkListName(name, names);
}

ListNameProblem checkListName(WCHAR* name, ListNameBox& box) {
    if (!name) return LIST_NAME_EMPTY;
    trimSpaces(name);
    if (name[0] == 0) return LIST_NAME_EMPTY;
    if (holdsQuote(name)) return LIST_NAME_QUOTE;
    if (inBox(box, name)) return LIST_NAME_NOT_UNIQUE;
    // The table is named with the code-page form, where characters the code
    // page lacks become "?": two names that differ only there would name the
    // same table, so the stored form must be unique too.
    char stored[codePageBytes(LIST_NAME_CHARS)];
    WCHAR back[LIST_NAME_CHARS];
    wideToCodePage(name, stored, sizeof stored, LIST_NAME_CHARS - 1);
    codePageToWide(stored, back, LIST_NAME_CHARS);
    if (inBox(box, back)) return LIST_NAME_NOT_UNIQUE;
    return LIST_NAME_OK;
}

LPCWSTR listNameMessage(ListNameProblem problem, int renaming) {
    switch (problem) {
        case LIST_NAME_EMPTY: return u"Need to enter a valid list name!";
        case LIST_NAME_QUOTE:
            return renaming ? u"List name cannot contain quote characters."
                            : u"List name cannot contain single quote characters.";
        case LIST_NAME_NOT_UNIQUE: return u"List name is not unique";
        default: return nullptr;
    }
}

// --- renaming --------------------------------------------------------------------

int renameList(const char* oldName, const char* newName, LPCWSTR* message) {
    LPCWSTR ignored = nullptr;
    if (!message) message = &ignored;
    *message = nullptr;
    if (!dbCurrent || !oldName || !newName || !oldName[0] || !newName[0]) {
        *message = u"List could not be renamed!";
        return 0;
    }
    // The table and its attribute row are renamed together or not at all: a
    // table whose row keeps the old name is a list the program can no
    // longer show.
    bool inTransaction = beginListTransaction(dbCurrent);
    if (!renameTable(dbCurrent, oldName, newName)) {
        if (inTransaction) rollbackListTransaction(dbCurrent);
        *message = u"List could not be renamed!";
        return 0;
    }
    // The index keeps a name of its own list's; a slower list is all its
    // failure would cost, so it does not stop the rename.
    renameItemIndex(dbCurrent, oldName, newName);
    Statement update(dbCurrent, "UPDATE ListAttributes SET strListName=? WHERE strListName=?;");
    bool ok = update.bindText(newName).bindText(oldName).run() == SQLITE_DONE;
    if (ok && inTransaction) ok = commitListTransaction(dbCurrent);
    if (ok) return 1;

    if (inTransaction) rollbackListTransaction(dbCurrent);
    // Without a transaction (or should the rollback not have undone it) the
    // table is named back by hand.
    if (!tableExists(dbCurrent, oldName) && tableExists(dbCurrent, newName)) renameTable(dbCurrent, newName, oldName);
    *message = u"Error in renaming List!";
    return 0;
}

namespace {

// After a rename: the box, the current list and the bar show the new name.
void adoptRenamedList(const char* newName) {
    ListNameCombo box(hwndListCombo);
    intListCount = fillListNameBox(dbCurrent, box);
    int i = 0;
    for (; newName[i] != 0 && i < CURRENT_LIST_BYTES - 1; ++i) strCurrentList[i] = newName[i];
    strCurrentList[i] = 0;
    setActiveList(dbCurrent, strCurrentList);
    codePageToWide(strCurrentList, attrCurrentList.strListName, LIST_NAME_CHARS);
    selectListInBox(strCurrentList);
    if (hwndListName) {
        SetWindowTextW(hwndListName, attrCurrentList.strListName);
        InvalidateRect(hwndListName, nullptr, TRUE);
    }
    RECT top;
    if (hwndMain && GetClientRect(hwndMain, &top)) {
        top.bottom = 30;
        InvalidateRect(hwndMain, &top, TRUE);
    }
}

// --- dialog state ----------------------------------------------------------------

struct NameDialogState {
    int renaming = 0;
    WCHAR* result = nullptr;  // New List: where the checked name goes
    GdiObject<HFONT> titleFont;
    int titleHeight = 13;
    GdiObject<HBRUSH> bandBrush;
};

LPCWSTR titleOf(const NameDialogState& state) {
    return state.renaming ? u"Rename list name" : u"New list name";
}

NameDialogState* stateOf(HWND dialog) {
    return reinterpret_cast<NameDialogState*>(GetWindowLongW(dialog, DWLP_USER));
}

// --- procedure ---------------------------------------------------------------------

void refuse(HWND dialog, LPCWSTR message, bool selectText) {
    messageDialog(dialog, message, u"Warning Message", MD_STYLE_WARNING);
    HWND edit = GetDlgItem(dialog, res::kIdListNameEdit);
    if (selectText && edit) SendMessageW(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
}

void onOk(HWND dialog, NameDialogState& state) {
    WCHAR name[LIST_NAME_CHARS] = {};
    // The edit may hold more; a name is its first 39 characters.
    GetDlgItemTextW(dialog, res::kIdListNameEdit, name, LIST_NAME_CHARS);
    ListNameProblem problem = checkListName(name, hwndListCombo);
    if (problem != LIST_NAME_OK) return refuse(dialog, listNameMessage(problem, state.renaming), state.renaming);

    if (state.renaming) {
        char newName[codePageBytes(LIST_NAME_CHARS)];
        wideToCodePage(name, newName, sizeof newName, LIST_NAME_CHARS - 1);
        LPCWSTR message = nullptr;
        if (!renameList(strCurrentList, newName, &message)) return refuse(dialog, message, true);
        adoptRenamedList(newName);
    } else if (state.result) {
        std::memcpy(state.result, name, sizeof name);
    }
    SHSipPreference(dialog, SIP_DOWN);
    EndDialog(dialog, 1);
}

BOOL onInitDialog(HWND dialog, NameDialogState* state) {
    SetWindowLongW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    useProgramFrame(dialog);
    // The navigation bar shows the title of the window in front.
    SetWindowTextW(dialog, titleOf(*state));
    state->titleFont.reset(createDialogFont(10, 700, &state->titleHeight));
    state->bandBrush.reset(CreateSolidBrush(kDialogBandColour));
    HWND edit = GetDlgItem(dialog, res::kIdListNameEdit);
    if (state->renaming && edit) {
        WCHAR current[LIST_NAME_CHARS];
        codePageToWide(strCurrentList, current, LIST_NAME_CHARS);
        SetWindowTextW(edit, current);
        SendMessageW(edit, EM_SETSEL, 0, -1);
    }
    SetFocus(edit);
    raiseInputPanelForText(dialog);
    return FALSE;  // the focus is placed
}

BOOL onPaint(HWND dialog) {
    NameDialogState* state = stateOf(dialog);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (dc && state) {
        paintDialogFrame(dc, dialog, titleOf(*state), state->titleFont.get(), state->bandBrush.get(),
                         2 * state->titleHeight);
    }
    EndPaint(dialog, &ps);
    return TRUE;
}

INT_PTR CALLBACK listNameDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: return onInitDialog(dialog, reinterpret_cast<NameDialogState*>(lParam));
        case WM_COMMAND: {
            NameDialogState* state = stateOf(dialog);
            int id = LOWORD(wParam);
            if (!state) return FALSE;
            if (id == res::kIdOk) {
                onOk(dialog, *state);
                return TRUE;
            }
            if (id == res::kIdCancel || id == IDOK || id == IDCANCEL) {
                SHSipPreference(dialog, SIP_DOWN);
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        }
        case WM_PAINT: return onPaint(dialog);
        case WM_ERASEBKGND: return TRUE;
        case WM_DESTROY: {
            NameDialogState* state = stateOf(dialog);
            if (state) {
                state->titleFont.reset();
                state->bandBrush.reset();
            }
            SetWindowLongW(dialog, DWLP_USER, 0);
            return FALSE;
        }
        default: return FALSE;
    }
}

int runNameDialog(HWND owner, NameDialogState& state) {
    INT_PTR result = DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgListName), owner, listNameDialogProc,
                                     reinterpret_cast<LPARAM>(&state));
    return result == 1 ? 1 : 0;
}

}  // namespace

// --- running -----------------------------------------------------------------------

int runNewListDialog(HWND owner, WCHAR* name) {
    if (!name) return 0;
    name[0] = 0;
    NameDialogState state;
    state.result = name;
    return runNameDialog(owner, state);
}

int runRenameListDialog(HWND owner) {
    NameDialogState state;
    state.renaming = 1;
    return runNameDialog(owner, state);
}
