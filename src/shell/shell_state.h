// State the shell's own files share and nobody else needs.
#pragma once

#include "aygshell.h"
#include "windows.h"

// The shell's activate-information record, passed to SHHandleWMActivate and
// SHHandleWMSettingChange. The device's record is 12 bytes; the shell here
// accepts that size as well as its own.
inline SHACTIVATEINFO shellActivateInfo = {};

// The static control's procedure, kept when the list-name bar is subclassed.
inline WNDPROC listNameBarProc = nullptr;

// Class names of the program's own windows.
#define MAIN_WINDOW_CLASS u"Quillet Pro"
#define MAIN_WINDOW_TITLE u"Quillet Pro"
#define SPLITTER_CLASS u"splitter"
#define FIND_BAR_CLASS u"finditem"

// Control ids of the main window's children.
enum {
    ID_LIST_COMBO = 6000,
    ID_LIST_NAME = 6001,
    ID_OUTLINE = 6002,
    ID_NOTES = 6003,
};

// The find bar's height while it is shown.
enum { FIND_BAR_HEIGHT = 40 };
