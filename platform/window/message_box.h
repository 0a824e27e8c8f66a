// Queries about the platform's plain message boxes (MessageBoxW), for the
// hosts' automation and the tests.
#pragma once

#include <string>

#include "windef.h"

namespace device {

// True when hwnd is a message box made by MessageBoxW and still up.
bool isMessageBox(HWND hwnd);
// The text a message box shows (its caption is its window text); empty for
// any other window.
std::u16string messageBoxText(HWND hwnd);

}  // namespace device
