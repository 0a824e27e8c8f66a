// The geometry of the screen and of the main window's bands: the device's
// resolution, the work area, and where the list-name bar, the edit bar, the
// outline, the splitter and the notes pane sit. Start-up measures it and the
// layout code (shell/layout.h) keeps it; one object owns it (screenLayout),
// and the program's names for its values are references to its fields.
#pragma once

struct ScreenLayout {
    int bEditBarVisible = 0;    // setting "editbarvisible"
    int bNotesOpen = 0;         // setting "notesebopen"
    int intSplitterTop = 0;     // setting "setbartop"
    int intSplitterHeight = 6;  // 3 x intUnit
    int bHiRes = 0;             // LOGPIXELSX 130 or more
    int intUnit = 2;            // 2, or 4 on a high-resolution screen
    int intScale = 1;           // 1, or 2 on a high-resolution screen
    int intWorkWidth = 0;
    int intWorkHeight = 0;  // work area less the menu bar
    int intMenuHeight = 0;  // SM_CYMENU
    int intListBarHeight = 0;
    int intListBarBottom = 0;
    int intTreeTop = 0;
    int bHasKeyboard = 0;  // the device reports a hardware keyboard
};

inline ScreenLayout screenLayout;

inline int& bEditBarVisible = screenLayout.bEditBarVisible;
inline int& bNotesOpen = screenLayout.bNotesOpen;
inline int& intSplitterTop = screenLayout.intSplitterTop;
inline int& intSplitterHeight = screenLayout.intSplitterHeight;
inline int& bHiRes = screenLayout.bHiRes;
inline int& intUnit = screenLayout.intUnit;
inline int& intScale = screenLayout.intScale;
inline int& intWorkWidth = screenLayout.intWorkWidth;
inline int& intWorkHeight = screenLayout.intWorkHeight;
inline int& intMenuHeight = screenLayout.intMenuHeight;
inline int& intListBarHeight = screenLayout.intListBarHeight;
inline int& intListBarBottom = screenLayout.intListBarBottom;
inline int& intTreeTop = screenLayout.intTreeTop;
inline int& bHasKeyboard = screenLayout.bHasKeyboard;
