// The fonts and brushes the main window's bands draw with. Start-up makes
// them, the font-size and colour settings make them again and shutdown
// deletes them; one object owns the handles (drawingResources), and the
// program's names for them are references to its fields.
#pragma once

#include "windows.h"

struct DrawingResources {
    HFONT hfontTree = nullptr;
    HFONT hfontTreeBold = nullptr;
    HFONT hfontTreeStrike = nullptr;
    HFONT hfontTreeBoldStrike = nullptr;
    int intTreeFontHeight = 0;
    HFONT hfontNotes = nullptr;
    HFONT hfontListName = nullptr;
    HBRUSH hbrBackground = nullptr;
    HBRUSH hbrNoteBackground = nullptr;
    HBRUSH hbrFindBar = nullptr;
};

inline DrawingResources drawingResources;

inline HFONT& hfontTree = drawingResources.hfontTree;
inline HFONT& hfontTreeBold = drawingResources.hfontTreeBold;
inline HFONT& hfontTreeStrike = drawingResources.hfontTreeStrike;
inline HFONT& hfontTreeBoldStrike = drawingResources.hfontTreeBoldStrike;
inline int& intTreeFontHeight = drawingResources.intTreeFontHeight;
inline HFONT& hfontNotes = drawingResources.hfontNotes;
inline HFONT& hfontListName = drawingResources.hfontListName;
inline HBRUSH& hbrBackground = drawingResources.hbrBackground;
inline HBRUSH& hbrNoteBackground = drawingResources.hbrNoteBackground;
inline HBRUSH& hbrFindBar = drawingResources.hbrFindBar;
