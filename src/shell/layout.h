// The bands of the main window, top to bottom: the list-name bar (with the
// list combo box hidden behind it), a separator line, the optional edit bar,
// the outline, the splitter, the notes pane and, while searching, the find
// bar. Placing them, dragging the splitter, opening and closing the notes
// pane and the edit bar, and following the input panel.
#pragma once

#include "windows.h"

// Places the outline, the notes pane and the find bar from intTreeTop and
// intSplitterTop; each keeps its visibility.
void layoutPanes();

// Puts the list combo box and the list-name bar in front of it at the top,
// as tall as the combo box is with its font, and sets intListBarBottom and
// intTreeTop from it. Start-up calls it, and so does a change of the list
// name's font size (then a WM_SETTINGCHANGE lays the panes out again).
void layoutListBar();

// WM_SETTINGCHANGE of the main window: lets the shell resize the window for
// the input panel, then puts the splitter where the notes pane keeps its
// height (the outline takes up the difference) and lays the panes out.
LRESULT onSettingChange(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Command 40030 "Edit Bar": shows or hides the edit bar above the outline.
LRESULT onToggleEditBar(HWND hwnd, int id, HWND hwndCtl, int code);
// Command 40015 "Item Note": opens or closes the notes pane (onToggleNotes).
LRESULT toggleNotesPane(HWND hwnd, int id, HWND hwndCtl, int code);

// Window procedure of class "splitter": dragging it moves the border between
// outline and notes pane.
LRESULT CALLBACK splitterWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Window procedure put in front of the list-name bar: taps open the list
// drop-down (or New List without lists); it paints the name and the mark.
LRESULT CALLBACK listNameBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// --- the arithmetic, apart from the windows --------------------------------

// intTreeTop for the edit bar shown or hidden.
int treeTopFor(int editBarVisible);
// The lowest the splitter may go so the outline keeps about two rows.
int smallestSplitterTop(int rowHeight);
// Where the splitter goes after a setting change: the notes pane (height
// `notesHeight`, 0 when closed) and the find bar (`findHeight`) keep their
// room at the bottom of a window `windowHeight` high.
int splitterTopAfterSettingChange(int windowHeight, int notesHeight, int findHeight, int boldRowHeight);
// Where a splitter dragged to `y` stops.
int splitterTopWhileDragging(int y, int windowHeight, int findHeight, int boldRowHeight);
// Where the splitter goes when the notes pane is toggled: `open` is the new
// state, `notesHeight` the remembered height.
int splitterTopForNotes(int open, int windowHeight, int notesHeight, int findHeight, int rowHeight);
// The cell height of a font (0 for none).
int fontCellHeight(HFONT font);

// How much of the list name the bar shows: `widths[i]` is the width of the
// first i + 1 characters. Returns the number of characters to draw and
// whether the last three of them become "..." (when at least three fit).
struct FittedName {
    int count;
    bool ellipsis;
};
FittedName fitListName(const int* widths, int length, int available);
