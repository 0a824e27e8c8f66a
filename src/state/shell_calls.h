// The calls that go up: the outline, the lists, the exchange and the dialogs
// ask the main window to update its menus, its edit bar and its bands, and
// the settings pages ask the outline to show what they changed. Those
// folders sit below the shell and the outline, so they reach them through
// this table, which the shell fills at start-up (installShellCalls in
// shell/shell_install.h; tests through resetAppState). Until it is filled
// every call does nothing.
#pragma once

#include "storage/list_attributes.h"
#include "windows.h"

struct ShellCalls {
    // --- the main window's menu bar and edit bar
    void (*updateMenus)();
    void (*updateEditBar)();
    void (*setWaitCursor)(int on);
    void (*enableMenuCommand)(UINT id, int enable);
    void (*checkOptionsItem)(UINT id, int flag);
    void (*renameOptionsItem)(int position, UINT id, LPCWSTR text);
    // --- the main window's bands
    LRESULT (*toggleNotes)(HWND hwnd, int id, HWND hwndCtl, int code);
    void (*placeListBar)();
    // --- the lists, for the outline's bare window
    int (*askListPassword)();
    // --- the outline, for the settings pages
    void (*applyListAttributes)(ListAttributes record);
    void (*reloadCurrentList)();
    LRESULT (*fontSize)(HWND hwnd, int id, HWND hwndCtl, int code);
    bool (*storeListAttributes)();
};

// Puts `calls` in force, every entry filled (checked in debug builds).
void setShellCalls(const ShellCalls& calls);

// Recomputes the enabled state of menu items, toolbar buttons and edit-bar
// buttons. Call after anything that changes the selection, the list, the
// item clipboard or the undo state.
void updateMenus();
// Recomputes only the edit-bar buttons and repaints the edit bar.
void updateEditBar();
// Shows (1) or hides (0) the wait cursor around long operations.
void setWaitCursor(int on);
// Enables or disables (grays) a menu item of the menu bar by command id;
// nothing without a menu bar.
void enableMenuCommand(UINT id, int enable);
// Checks (flag 1) or unchecks the item `id` of the Options popup.
void checkOptionsItem(UINT id, int flag);
// Moves item `id` to the end of the Options submenu at `position` with a new text.
void renameOptionsItem(int position, UINT id, LPCWSTR text);
// Command 40015 "Item Note": opens or closes the notes pane.
LRESULT onToggleNotes(HWND hwnd, int id, HWND hwndCtl, int code);
// Puts the list combo box and the list-name bar in front of it at the top,
// as tall as the combo box is with its font, and sets intListBarBottom and
// intTreeTop from it.
void placeListBar();
// The password check of the current list (see lists/list_passwords.h): 0
// usable, 1 cancelled; 0 while nothing is installed.
int askCurrentListPassword();
// The outline takes `record` as the current list's look (see
// outline/tree_load.h).
void showListAttributes(ListAttributes record);
// The outline reloads the current list (see outline/outline_reload.h).
void reloadShownList();
// Stores the current list's attributes, telling the person and showing the
// stored ones when that fails (see outline/unsaved_change.h); true while
// nothing is installed.
bool storeShownListAttributes();
// The outline's Font Size command `id` (see outline/bulk_commands.h).
LRESULT applyOutlineFontSize(HWND hwnd, int id, HWND hwndCtl, int code);
