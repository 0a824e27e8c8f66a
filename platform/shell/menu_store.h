// The shell's menu objects behind HMENU handles. Handles are never reused, so
// a stale handle is simply not found. Only platform/shell includes this; the
// program uses the functions of winmenu.h.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace shell {

struct MenuItem {
    UINT id = 0;
    std::u16string text;   // with its "&" mnemonic marks
    UINT flags = 0;        // MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP
    HMENU submenu = nullptr;
    bool separator() const { return (flags & MF_SEPARATOR) != 0; }
    bool enabled() const { return !(flags & (MF_GRAYED | MF_DISABLED)); }
    bool checked() const { return (flags & MF_CHECKED) != 0; }
};

struct Menu {
    HMENU handle = nullptr;
    bool popup = false;
    std::vector<MenuItem> items;
};

// The live menu of a handle, or nullptr.
Menu* findMenu(HMENU menu);
// A new empty menu.
Menu* newMenu(bool popup);

// Where an item lives: its menu and index (by position in `menu`, or by
// command id anywhere below it, depth first).
struct ItemRef {
    Menu* menu = nullptr;
    size_t index = 0;
    MenuItem* item() const { return menu ? &menu->items[index] : nullptr; }
};
ItemRef locateItem(HMENU menu, UINT item, UINT flags);

// The text without "&" marks ("&&" stays one "&"), and the mnemonic letter
// (lower case, 0 if none).
std::u16string stripMnemonic(const std::u16string& text);
char16_t mnemonicOf(const std::u16string& text);

// Number of live menus (tests check that nothing leaks).
size_t liveMenuCount();

}  // namespace shell
