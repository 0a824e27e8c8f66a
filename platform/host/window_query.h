// Looking at windows as the automation does: only through the public API,
// as a person sees them (visible, enabled, in front).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "windows.h"

namespace device {

// The class name in lower case ("button", "systreeview32").
std::u16string windowClassLower(HWND hwnd);
std::u16string windowText(HWND hwnd);
// Top-level windows, topmost first.
std::vector<HWND> topLevelWindows();
// Children in z-order (topmost first).
std::vector<HWND> childWindows(HWND parent);
// Every descendant, parents before children.
void forEachDescendant(HWND parent, const std::function<void(HWND)>& fn);
// The program's main window: the foreground window's first owner, or the
// first visible top-level window the platform did not make itself.
HWND programMainWindow();
// The screen rectangle of a window.
RECT screenRect(HWND hwnd);

// A control of the foreground window by its text or id: the first visible
// one, else the first hidden one (so the caller can say why it fails).
HWND findControlByText(HWND top, const std::u16string& text);
HWND findControlById(HWND top, int id);
// Visible on screen: it and every ancestor shown.
bool shownOnScreen(HWND hwnd);

// The caption and the texts of what is open in front (a dialog or message
// box), for the message when a script ends with it still open.
std::string describeOpenWindow(HWND hwnd);

}  // namespace device
