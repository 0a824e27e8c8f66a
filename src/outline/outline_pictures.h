// The outline's pictures and the main window's back buffers: made at
// start-up and again when the size, the font or the button type change,
// released at shutdown. One object owns the handles (outlinePictures), so
// resetAppState forgets them all at once; the program's names for them are
// references to its fields.
#pragma once

#include "windows.h"

struct OutlinePictures {
    // The main window's painting (outline_paint.h).
    HDC hdcBackBuffer = nullptr;  // memory context, main client size
    HBITMAP hbmBackBuffer = nullptr;
    HGDIOBJ hobjBackBufferOld = nullptr;
    HDC hdcBackground = nullptr;  // holds the background picture
    HBITMAP hbmBackgroundPicture = nullptr;
    HGDIOBJ hobjBackgroundOld = nullptr;
    int bBackgroundLoaded = 0;  // a picture sits in hdcBackground
    HBITMAP hbmEditBarEnabled = nullptr;
    HBITMAP hbmEditBarPressed = nullptr;
    HBITMAP hbmEditBarDisabled = nullptr;
    HBITMAP hbmPadlockLarge = nullptr;
    HBITMAP hbmPadlockSmall = nullptr;

    // The items' pictures (item_draw.h).
    HBITMAP hbmCheckBoxChecked = nullptr;
    HBITMAP hbmCheckBoxUnchecked = nullptr;
    HBITMAP hbmNoteMarker = nullptr;
    int intNoteMarkerSize = 0;  // M = 0.6 x intTreeFontHeight
    HBITMAP hbmButtonExpanded = nullptr;
    HBITMAP hbmButtonCollapsed = nullptr;
    HDC hdcPictures = nullptr;  // one memory context for every picture the items copy
};

inline OutlinePictures outlinePictures;

inline HDC& hdcBackBuffer = outlinePictures.hdcBackBuffer;
inline HBITMAP& hbmBackBuffer = outlinePictures.hbmBackBuffer;
inline HGDIOBJ& hobjBackBufferOld = outlinePictures.hobjBackBufferOld;
inline HDC& hdcBackground = outlinePictures.hdcBackground;
inline HBITMAP& hbmBackgroundPicture = outlinePictures.hbmBackgroundPicture;
inline HGDIOBJ& hobjBackgroundOld = outlinePictures.hobjBackgroundOld;
inline int& bBackgroundLoaded = outlinePictures.bBackgroundLoaded;
inline HBITMAP& hbmEditBarEnabled = outlinePictures.hbmEditBarEnabled;
inline HBITMAP& hbmEditBarPressed = outlinePictures.hbmEditBarPressed;
inline HBITMAP& hbmEditBarDisabled = outlinePictures.hbmEditBarDisabled;
inline HBITMAP& hbmPadlockLarge = outlinePictures.hbmPadlockLarge;
inline HBITMAP& hbmPadlockSmall = outlinePictures.hbmPadlockSmall;
inline HBITMAP& hbmCheckBoxChecked = outlinePictures.hbmCheckBoxChecked;
inline HBITMAP& hbmCheckBoxUnchecked = outlinePictures.hbmCheckBoxUnchecked;
inline HBITMAP& hbmNoteMarker = outlinePictures.hbmNoteMarker;
inline int& intNoteMarkerSize = outlinePictures.intNoteMarkerSize;
inline HBITMAP& hbmButtonExpanded = outlinePictures.hbmButtonExpanded;
inline HBITMAP& hbmButtonCollapsed = outlinePictures.hbmButtonCollapsed;
inline HDC& hdcPictures = outlinePictures.hdcPictures;
