// The soft input panel: a QWERTY keyboard drawn above the menu bar whose keys
// type into the focus window. Raising or lowering it changes the work area
// and tells the top-level windows (WM_SETTINGCHANGE, SPI_SETSIPINFO).
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace shell {

bool sipIsOn();
// Raises or lowers the panel (false: nothing changed).
bool sipShow(bool on);
// The panel's height (80, or 160 on the high-resolution screen).
int sipPanelHeight();
// Where the panel is (or would be), in screen coordinates.
RECT sipPanelRect();
HWND sipWindow();
// The screen above the panel when it is up, else above the menu bar.
RECT visibleDesktop();

// Keys of the panel as laid out now (for tests and the automation): the
// label and the screen rectangle of each.
struct SipKeyInfo {
    std::u16string label;
    RECT rect;
};
std::vector<SipKeyInfo> sipKeys();

// Forgets flags and input-method data (tests).
void sipResetState();

}  // namespace shell
