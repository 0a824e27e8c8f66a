// Pieces of the shell that its files share with each other.
#pragma once

#include "windows.h"

namespace shell {

void gestureReset();
void popupWalkReset();
void registerSipPrefClass();
// Per-window records of the activation helpers and full-screen dialogs.
void dialogRecordsReset();
// A window of the shell itself (menu bars, popups, the input panel).
bool isShellWindow(HWND hwnd);

}  // namespace shell
