// The program's menus and its menu bar.
//
// Items whose command cannot work before a database or a list is open are
// grayed here; the menu update enables them as the state allows, so a menu
// bar recreated after the system freed it starts in a safe state.
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "windows.h"
#include "winres.h"

namespace {

using Item = device::MenuItemTemplate;

const Item kSeparator{0, nullptr, MF_SEPARATOR};

const device::MenuTemplate kMainMenu{{
    {0, u"File", MF_POPUP, {
        {res::kCmdNewDatabase, u"New Database..."},
        {res::kCmdOpenDatabase, u"Open Database..."},
        {res::kCmdDatabaseAttributes, u"Database Attributes...", MF_GRAYED},
        {res::kCmdBackupFolder, u"Backup Folder..."},
        kSeparator,
        {res::kCmdNewList, u"New List...", MF_GRAYED},
        {res::kCmdRenameList, u"Rename List", MF_GRAYED},
        {res::kCmdDeleteList, u"Delete List", MF_GRAYED},
        kSeparator,
        {res::kCmdImportList, u"Import List...", MF_GRAYED},
        {res::kCmdExportList, u"Export List...", MF_GRAYED},
        kSeparator,
        {res::kCmdExit, u"Exit"},
    }},
    {0, u"Edit", MF_POPUP, {
        {res::kCmdUndo, u"Undo", MF_GRAYED},
        kSeparator,
        {res::kCmdCut, u"Cut", MF_GRAYED},
        {res::kCmdCopy, u"Copy", MF_GRAYED},
        {res::kCmdPaste, u"Paste", MF_GRAYED},
        kSeparator,
        {res::kCmdInsertTimeDate, u"Insert Time/Date", MF_GRAYED},
    }},
    // The submenus are found by position (Hidden is the fourth), so nothing
    // may be put in front of them.
    {0, u"Options", MF_POPUP, {
        {0, u"Sort", MF_POPUP, {
            {res::kCmdSortAlphabetic, u"Alphabetic"},
            {res::kCmdSortChecked, u"Checked"},
            {res::kCmdSortBoth, u"Both"},
            {res::kCmdSortNone, u"None"},
        }},
        {0, u"Font Size", MF_POPUP, {
            {40045, u" 8 Point"},
            {40046, u" 9 Point"},
            {40047, u"10 Point"},
            {40048, u"11 Point"},
            {40049, u"12 Point"},
            {40050, u"13 Point"},
            {40051, u"14 Point"},
            {40052, u"15 Point"},
            {40053, u"16 Font"},
        }},
        {0, u"Checked", MF_POPUP, {
            {res::kCmdCheckAll, u"Check All"},
            {res::kCmdUncheckAll, u"Uncheck All"},
            {res::kCmdDeleteChecked, u"Delete Checked"},
        }},
        // "Hide On" must stay last: its text is changed by taking it out
        // and appending it again.
        {0, u"Hidden", MF_POPUP, {
            {res::kCmdSetAllShow, u"Set All Show"},
            {res::kCmdSetAllHide, u"Set All Hide"},
            {res::kCmdHiliteHidden, u"Hilite Hidden"},
            {res::kCmdHideChecked, u"Hide Checked"},
            {res::kCmdHideOnOff, u"Hide On"},
        }},
        {0, u"Expand", MF_POPUP, {
            {res::kCmdExpandAll, u"Expand All"},
            {res::kCmdCollapseAll, u"Collapse All"},
        }},
        {0, u"Set Password", MF_POPUP, {
            {res::kCmdSetPasswordForList, u"For List...", MF_GRAYED},
        }},
        kSeparator,
        {res::kCmdSettings, u"Settings..."},
        {res::kCmdAbout, u"About..."},
    }},
}};

// "Hide"/"Show" is inserted at position 3 when the menu is shown, after
// "Delete"; Delete Note is enabled only for an item that has a note.
const device::MenuTemplate kItemPopup{{
    {0, u"Item_Popup", MF_POPUP, {
        {res::kCmdItemEdit, u"Edit"},
        {res::kCmdItemDelete, u"Delete"},
        kSeparator,
        {res::kCmdItemCreateTask, u"Create Task..."},
        kSeparator,
        {res::kCmdItemCut, u"Cut", MF_GRAYED},
        {res::kCmdItemCopy, u"Copy", MF_GRAYED},
        {res::kCmdItemPaste, u"Paste", MF_GRAYED},
        kSeparator,
        {res::kCmdItemNewSubitem, u"New Subitem"},
        {res::kCmdItemDuplicate, u"Duplicate", MF_GRAYED},
        kSeparator,
        {res::kCmdItemDeleteNote, u"Delete Note", MF_GRAYED},
        {res::kCmdItemAddNote, u"Add Note"},
    }},
}};

const device::MenuTemplate kNotesPopup{{
    {0, u"Notes Popup", MF_POPUP, {
        {res::kCmdUndo, u"Undo", MF_GRAYED},
        kSeparator,
        {res::kCmdCut, u"Cut", MF_GRAYED},
        {res::kCmdCopy, u"Copy", MF_GRAYED},
        {res::kCmdPaste, u"Paste", MF_GRAYED},
        {res::kCmdClear, u"Clear", MF_GRAYED},
        kSeparator,
        {res::kCmdSelectAll, u"Select All"},
        kSeparator,
        {res::kCmdInsertTimeDate, u"Insert Time/Date"},
    }},
}};

using Button = device::MenuBarButton;

// The pictures start disabled: the menu update enables them once a list
// is open.
const device::MenuBarTemplate kMainBar{res::kMenuMain, {
    {Button::kMenu, res::kButtonFile, u"File", 0},
    {Button::kMenu, res::kButtonEdit, u"Edit", 1},
    {Button::kMenu, res::kButtonOptions, u"Options", 2},
    {Button::kSeparator},
    {Button::kPicture, res::kCmdNewItem, nullptr, 0, 0, 0},
    {Button::kPicture, res::kCmdNewSubItem, nullptr, 0, 1, 0},
    {Button::kPicture, res::kCmdItemNote, nullptr, 0, 2, 0},
    {Button::kPicture, res::kCmdFind, nullptr, 0, 3, 0},
    {Button::kPicture, res::kCmdEditBar, nullptr, 0, 4, 0},
}};

}  // namespace

void registerMenuResources() {
    device::resourceRegister(device::kResMenu, res::kMenuMain, &kMainMenu, 0);
    device::resourceRegister(device::kResMenu, res::kMenuItemPopup, &kItemPopup, 0);
    device::resourceRegister(device::kResMenu, res::kMenuNotesPopup, &kNotesPopup, 0);
    device::resourceRegister(device::kResMenuBar, res::kMenuBarMain, &kMainBar, 0);
}
