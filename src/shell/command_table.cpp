// The command table, in the order WM_COMMAND scans it. Each entry belongs to
// the command's own folder; the shell only routes.
#include "shell/command_table.h"

#include "dialogs/about.h"
#include "dialogs/info_window.h"
#include "dialogs/settings_sheet.h"
#include "exchange/task_creation.h"
#include "exchange/text_export.h"
#include "exchange/text_import.h"
#include "lists/backup.h"
#include "lists/database_files.h"
#include "lists/list_management.h"
#include "lists/list_passwords.h"
#include "outline/bulk_commands.h"
#include "outline/find.h"
#include "outline/item_clipboard.h"
#include "outline/item_commands.h"
#include "outline/notes.h"
#include "outline/undo.h"
#include "outline/unsaved_change.h"
#include "shell/desktop_keys.h"
#include "shell/layout.h"
#include "shell/shutdown.h"

namespace {

const CommandEntry kCommands[] = {
    {40007, onAbout},           // Options "About..."
    {40009, onExit},            // File "Exit"
    {40008, onSettings},        // Options "Settings..."
    {6000, onListCombo},        // the list combo box
    {40030, onToggleEditBar},   // picture button "Edit Bar"
    {40015, toggleNotesPane},   // picture button "Item Note"
    {40017, onNewDatabase},     // File "New Database..."
    {40001, onOpenDatabase},    // File "Open Database..."
    {40057, onDatabaseAttributes},  // File "Database Attributes..."
    {40039, onNewList},         // File "New List..."
    {40041, onDeleteList},      // File "Delete List"
    {40040, onRenameList},      // File "Rename List"
    {40013, onNewItem},         // picture button "New Item"
    {40014, onNewSubItem},      // picture button "New Sub-Item"
    {40055, onSortAlphabetic},  // Options > Sort "Alphabetic"
    {40056, onSortChecked},     // Options > Sort "Checked"
    {40082, onSortBoth},        // Options > Sort "Both"
    {40083, onSortNone},        // Options > Sort "None"
    {40045, onFontSize},        // Options > Font Size " 8 Point"
    {40046, onFontSize},        //   " 9 Point"
    {40047, onFontSize},        //   "10 Point"
    {40048, onFontSize},        //   "11 Point"
    {40049, onFontSize},        //   "12 Point"
    {40050, onFontSize},        //   "13 Point"
    {40051, onFontSize},        //   "14 Point"
    {40052, onFontSize},        //   "15 Point"
    {40053, onFontSize},        //   "16 Font"
    {6003, onNotesNotify},      // the notes pane
    {40058, onCheckAll},        // Options > Checked "Check All"
    {40059, onUncheckAll},      // Options > Checked "Uncheck All"
    {40060, onDeleteChecked},   // Options > Checked "Delete Checked"
    {40061, onSetAllShow},      // Options > Hidden "Set All Show"
    {40062, onSetAllHide},      // Options > Hidden "Set All Hide"
    {40065, onExpandAll},       // Options > Expand "Expand All"
    {40066, onCollapseAll},     // Options > Expand "Collapse All"
    {40064, onHideChecked},     // Options > Hidden "Hide Checked"
    {40067, onHideOnOff},       // Options > Hidden "Hide On" / "Hide Off"
    {40071, onEditItem},        // item popup "Edit"
    {40072, onDeleteItem},      // item popup "Delete"
    {40073, onHideShowItem},    // item popup "Hide" / "Show"
    {40074, onCreateTask},      // item popup "Create Task..."
    {40076, onCopyItem},        // item popup "Copy"
    {40075, onCutItem},         // item popup "Cut"
    {40077, onPasteItem},       // item popup "Paste"
    {40078, onNewSubItem},      // item popup "New Subitem"
    {40080, onDuplicateItem},   // item popup "Duplicate"
    {40079, onDeleteNote},      // item popup "Delete Note"
    {40084, onAddNote},         // item popup "Add Note"
    {40043, onImportList},      // File "Import List..."
    {40042, onExportList},      // File "Export List..."
    {40028, onCutItem},         // Edit "Cut"
    {40023, onCopyItem},        // Edit "Copy"
    {40024, onPasteItem},       // Edit "Paste"
    {40044, onInsertTimeDate},  // Edit and notes popup "Insert Time/Date"
    {40085, onSetListPassword}, // Options > Set Password "For List..."
    {40086, onSetListPassword}, // the same, without a menu item
    {40029, onToggleFind},      // picture button "Find"
    {40016, onBackupFolder},    // File "Backup Folder..."
    {40031, onUndo},            // Edit "Undo"
    {40088, onCheckOutlineVisible},
    {40090, onFindNextKey},     // F3
    {40091, onMoveKey},         // Alt+Down
    {40092, onMoveKey},         // Alt+Up
    {40093, onMoveKey},         // Alt+Left
    {40094, onMoveKey},         // Alt+Right
    {40095, onEditLabelKey},    // F2
};

}  // namespace

CommandHandler findCommandHandler(int id) {
    for (const CommandEntry& e : kCommands)
        if (e.id == id) return e.handler;
    return nullptr;
}

LRESULT dispatchCommand(HWND hwnd, int id, HWND hwndCtl, int code) {
    CommandHandler handler = findCommandHandler(id);
    if (!handler) return 0;
    // A write of the command that did not fit is told once it has run.
    beginCommandWrites();
    LRESULT result = handler(hwnd, id, hwndCtl, code);
    endCommandWrites();
    return result;
}
