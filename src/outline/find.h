// Find: the find bar under the outline (window class "finditem") with its
// field, label and "Next" button, and the search through the current list's
// item texts and notes, one match per press of "Next", wrapping from the last
// item of the outline to the first.
#pragma once

#include "windows.h"

enum {
    ID_FIND_FIELD = 1127,
    ID_FIND_NEXT = 1128,
    ID_FIND_LABEL = 1129,
    FIND_TEXT_CHARS = 80,  // the search text: at most 79 characters
};

// Window procedure of the class "finditem".
LRESULT CALLBACK findBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Command 40029, the "Find" picture button: shows the bar (focus in its
// field) or hides it (removing a match highlight from the notes pane).
LRESULT onToggleFind(HWND hwnd, int id, HWND hwndCtl, int code);

// "Next": takes the field's text and moves to the next match. `text` is the
// search text as typed (it is trimmed here).
void findNext(const WCHAR* text);

// Whether `text` holds `pattern` at or after `from`, ignoring letter case;
// the index of the first match, or -1.
int findTextIgnoringCase(const WCHAR* text, const WCHAR* pattern, int from);

// Forgets where the search stands (the outline was rebuilt or the program
// starts again): the next press of "Next" starts a new search.
void resetFind();
