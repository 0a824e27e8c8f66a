// The "Notice" shown on the first start: keep the program and its
// databases in main memory. Template 1052, in the program's framed look.
#pragma once

#include "windows.h"

// Shows the notice modally over `owner`; returns when "Ok" is tapped.
void showNotice(HWND owner);
