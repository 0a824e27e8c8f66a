// What the automation sees of menus and the menu bar, and how it uses them as
// a person would (by tapping). The host's script player and dumps use this;
// the program does not.
//
//   dump:   menubar {buttons [{text|tooltip, id, enabled}],
//                    menus {"File": [{id, text, enabled, checked, items}]}}
//   script: menu "File/New List..."   (texts without "&"; a picture button
//                                      is named by its tooltip: "New Item";
//                                      an open popup menu: "Delete")
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace device {

struct MenuItemState {
    UINT id = 0;
    std::u16string text;  // without "&" marks
    bool separator = false;
    bool enabled = false;
    bool checked = false;
    std::vector<MenuItemState> items;  // a submenu's items
};

struct MenuBarButtonState {
    bool isMenu = false;       // a menu button (text) rather than a picture (tooltip)
    std::u16string text;
    std::u16string tooltip;
    UINT id = 0;
    bool enabled = false;
    RECT rect{};               // screen
};

struct MenuBarState {
    HWND bar = nullptr;
    std::vector<MenuBarButtonState> buttons;
    // The menu of each menu button, by the button's text, in button order.
    std::vector<std::pair<std::u16string, std::vector<MenuItemState>>> menus;
};

// The menu bar of the foreground window (or of the nearest window that owns
// it: a dialog's owner when the dialog has none), or null.
HWND foregroundMenuBar();
// False when `bar` is not a menu bar.
bool queryMenuBar(HWND bar, MenuBarState& out);
std::vector<MenuItemState> queryMenu(HMENU menu);

// Starts choosing "Button/Item/Subitem" (or a picture button by its tooltip)
// from the foreground window's menu bar by queueing taps: the menu opens and
// each level is tapped when it appears. While a popup menu is open, the path
// starts at its deepest level instead ("Delete", "Sort/Alphabetic"). The choice happens as the device runs
// (runUntilIdle, or the script's loop). False, with `error` set, when a step
// is missing or disabled; nothing is tapped then.
bool chooseMenuPath(const std::u16string& path, std::string* error = nullptr);

// While a popup menu is open: its levels' items, and tapping one of the
// deepest level's items by text (false: no such enabled item).
bool popupMenuOpen();
std::vector<MenuItemState> openPopupItems(int level);
bool tapOpenPopupItem(const std::u16string& text);
void dismissOpenPopup();

}  // namespace device
