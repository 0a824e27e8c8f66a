#include "shell/shell_install.h"

#include "lists/list_passwords.h"
#include "outline/bulk_commands.h"
#include "outline/outline_reload.h"
#include "outline/tree_load.h"
#include "outline/unsaved_change.h"
#include "shell/layout.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "state/shell_calls.h"

void installShellCalls() {
    ShellCalls calls{};
    calls.updateMenus = applyMenuDecision;
    calls.updateEditBar = applyEditBarDecision;
    calls.setWaitCursor = showWaitCursor;
    calls.enableMenuCommand = enableMenuBarItem;
    calls.checkOptionsItem = checkOptionsMenuItem;
    calls.renameOptionsItem = moveOptionsMenuItem;
    calls.toggleNotes = toggleNotesPane;
    calls.placeListBar = layoutListBar;
    calls.askListPassword = askListPassword;
    calls.applyListAttributes = applyListAttributes;
    calls.reloadCurrentList = reloadCurrentList;
    calls.fontSize = onFontSize;
    calls.storeListAttributes = [] { return storeCurrentListAttributes(); };
    setShellCalls(calls);
}
