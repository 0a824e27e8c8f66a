// The command table, in the order WM_COMMAND scans it. Each entry belongs to
// the command's own folder; the shell only routes.
#include "shell/command_table.h"

#include "dialogs/about.h"
#include "dialogs/info_window.h"
#include "exchange/task_creation.h"
#include "lists/list_management.h"
#include "lists/list_passwords.h"
#include "outline/item_clipboard.h"
#include "outline/find.h"
#include "outline/item_commands.h"
#include "outline/notes.h"
#include "shell/layout.h"
#include "shell/shutdown.h"

namespace {

const CommandEntry kCommands[] = {
    {40007, onAbout},           // Options "About..."
    {40009, onExit},            // File "Exit"
    {6000, onListCombo},        // the list combo box
    {40030, onToggleEditBar},   // picture button "Edit Bar"
    {40015, onToggleNotes},     // picture button "Item Note"
    {40039, onNewList},         // File "New List..."
    {40041, onDeleteList},      // File "Delete List"
    {40040, onRenameList},      // File "Rename List"
    {40013, onNewItem},         // picture button "New Item"
    {40014, onNewSubItem},      // picture button "New Sub-Item"
    {6003, onNotesNotify},      // the notes pane
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
    {40028, onCutItem},         // Edit "Cut"
    {40023, onCopyItem},        // Edit "Copy"
    {40024, onPasteItem},       // Edit "Paste"
    {40044, onInsertTimeDate},  // Edit and notes popup "Insert Time/Date"
    {40085, onSetListPassword}, // Options > Set Password "For List..."
    {40086, onSetListPassword}, // the same, without a menu item
    {40029, onToggleFind},      // picture button "Find"
    {40088, onCheckOutlineVisible},
};

}  // namespace

CommandHandler findCommandHandler(int id) {
    for (const CommandEntry& e : kCommands)
        if (e.id == id) return e.handler;
    return nullptr;
}

LRESULT dispatchCommand(HWND hwnd, int id, HWND hwndCtl, int code) {
    CommandHandler handler = findCommandHandler(id);
    return handler ? handler(hwnd, id, hwndCtl, code) : 0;
}
