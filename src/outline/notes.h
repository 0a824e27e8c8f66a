// The notes pane: the multi-line edit (child 6003) under the outline that
// always shows the note of the selected item and writes every change of
// its text back to that item at once, so there is never an unsaved note.
// Also the item commands Add Note and Delete Note, Insert Time/Date, and
// the pane's own window behaviour (focus, command states, the tap-and-hold
// popup, its background and the drawing of a find match inside the note).
#pragma once

#include "state/command_handler.h"

enum {
    NOTE_TEXT_CHARS = 1000,   // the pane's text is fetched into this: 999 characters are kept
    NOTE_MATCH_CHARS = 80,    // a find match shown in the note: 79 characters
    TIME_STAMP_CHARS = 162,   // time, a blank, date, terminator
};

constexpr COLORREF kNoteMatchColour = 0xD700D7;  // the highlight behind a find match

// --- the pane ---------------------------------------------------------------
// Puts the notes pane's own procedure in front of the edit control's (start-up
// calls it once the pane exists); the edit's procedure is kept for the rest.
void subclassNotesPane(HWND hwndPane);
// Replaces the pane's text with the note of item `longID` (0 or an unreadable
// row empties it). A whole-text replacement raises no change notification,
// so nothing is written back. The selection handling of the outline calls it.
void loadItemNote(LONG longID);
// Writes the pane's text into the selected item (trimmed, quotes doubled,
// bNote set from whether anything is left); warns when no item is selected.
void saveNote();

// Puts a time stamp at the pane's caret, whatever has the focus (the notes
// popup belongs to the pane, so the pane is its target).
void insertTimeStampIntoNotes();

// --- the find match inside the note ----------------------------------------
// Marks `length` characters (`match`, as the note spells them) at `index` of
// the pane's text to be drawn highlighted; the next pen-down in the pane, the
// next find step or the hiding of the find bar clears it.
void setNoteHighlight(int index, const WCHAR* match, int length);
// Clears the highlight (index -1) and repaints the pane if one was set.
void clearNoteHighlight();
// The highlighted character index, -1 for none.
int noteHighlightIndex();

// --- time stamps ------------------------------------------------------------
// The stamp of `time` in the format of the setting "timestamp": 0 time and
// date, 1 date and time, 2 time, 3 date (short date, time without seconds).
void buildTimeStamp(const SYSTEMTIME& time, int format, WCHAR* out, int capacity);

// --- commands -----------------------------------------------------------------
// 6003: EN_CHANGE saves the note; any other notification of the pane is ignored.
LRESULT onNotesNotify(HWND hwnd, int id, HWND hwndCtl, int code);
// 40084 "Add Note": opens the pane on the selected item and focuses it.
LRESULT onAddNote(HWND hwnd, int id, HWND hwndCtl, int code);
// 40079 "Delete Note": clears the selected item's note and its mark.
LRESULT onDeleteNote(HWND hwnd, int id, HWND hwndCtl, int code);
// 40044 "Insert Time/Date": stamps the open label editor, else the focused pane.
LRESULT onInsertTimeDate(HWND hwnd, int id, HWND hwndCtl, int code);
