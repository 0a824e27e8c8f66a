// The menu bar's own record, shared by its window procedure and its painter.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace shell {

struct BarButton {
    device::MenuBarButton::Kind kind = device::MenuBarButton::kSeparator;
    UINT id = 0;
    std::u16string text;
    int popup = 0;
    int image = 0;
    BYTE state = TBSTATE_ENABLED;
    std::u16string tooltip;
    HMENU override = nullptr;  // SHCMBM_SETSUBMENU
    RECT rect{};               // client coordinates
    bool enabled() const { return (state & TBSTATE_ENABLED) != 0; }
};

struct MenuBar {
    HWND hwnd = nullptr;
    HWND owner = nullptr;
    HMENU menu = nullptr;
    std::vector<BarButton> buttons;
    HBITMAP strip = nullptr;
    int imageW = 0;
    int imageH = 0;
    bool hideSip = false;
    bool colorBk = false;
    COLORREF bk = 0;
    int pressed = -1;       // button held down (or open)
    bool sipPressed = false;
    HWND tooltip = nullptr;
    RECT sipRect{};
};

MenuBar* barOf(HWND hwnd);
void layoutBar(MenuBar& bar);
void paintBar(HWND hwnd, MenuBar& bar);

}  // namespace shell
