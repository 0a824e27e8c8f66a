// The About box (template 101): the program's name, version and picture,
// shown full-screen with the shell's done button.
#pragma once

#include "state/command_handler.h"

// The program's version as the About box shows it.
constexpr const WCHAR* kProgramVersion = u"2.3";

// Options > "About..." (40007).
LRESULT onAbout(HWND hwnd, int id, HWND hwndCtl, int code);
