// The menu bar at the bottom of the screen (SHCreateMenuBar): menu buttons
// that open their popups upwards, picture buttons that send commands, and the
// input panel's button at the right.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace shell {

// What a button is, for the automation and tests (screen rectangles).
struct MenuBarButtonInfo {
    device::MenuBarButton::Kind kind = device::MenuBarButton::kSeparator;
    UINT id = 0;
    std::u16string text;
    std::u16string tooltip;
    bool enabled = false;
    RECT rect{};
    HMENU popup = nullptr;  // menu buttons
};

// Every live menu bar repaints its input-panel button.
void menuBarsSipChanged();
std::vector<MenuBarButtonInfo> menuBarButtons(HWND bar);
HMENU menuBarMenu(HWND bar);
// The input panel's button (empty when the bar hides it).
RECT menuBarSipButton(HWND bar);
// Opens the popup of a menu button as a tap would (returns when it closed).
bool menuBarOpen(HWND bar, int buttonIndex);
// Whether a picture button's tooltip is on screen, and its text.
bool menuBarTooltipShown(HWND bar, std::u16string* text = nullptr);

}  // namespace shell
