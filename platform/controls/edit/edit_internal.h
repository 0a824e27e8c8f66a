// The edit control's own state and the functions its files share.
//
// The control keeps its text as UTF-16 with "\r\n" between the lines of a
// multi-line edit. One layout (the lines, each character's advance) is built
// from the text and is what painting, hit testing and caret placement all
// use, so they never disagree. The selection is an anchor and a caret
// (`anchor` may lie after `caret`); everything that changes the text goes
// through replaceSelection, which keeps the undo record, the limit and the
// notifications in one place.
//
// Sections: state | text and undo (edit_text.cpp) | layout (edit_layout.cpp)
// | painting (edit_paint.cpp) | input (edit_input.cpp) | notifications
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace edit {

// ----------------------------------------------------------------------- state
struct Line {
    int start = 0;   // first character
    int length = 0;  // characters shown (trailing blanks included, the "\r\n" not)
    int next = 0;    // first character of the following line
    int width = 0;   // pixels
};

constexpr int kDefaultLimit = 30000;

struct Edit {
    HWND hwnd = nullptr;
    std::u16string text;
    int anchor = 0;  // where the selection started
    int caret = 0;   // where it ends: the caret
    int limit = kDefaultLimit;
    bool modified = false;

    // One level of undo: the text at undoPos that the last edits removed, and
    // how many characters they inserted there. Undoing swaps the two, so a
    // second undo brings the edit back.
    int undoPos = 0;
    int undoInserted = 0;
    std::u16string undoText;

    HFONT font = nullptr;  // nullptr: the stock GUI font
    int lineHeight = 13;
    int aveCharWidth = 5;
    int leftMargin = 1;
    int rightMargin = 1;
    WCHAR passwordChar = 0;

    // Layout, rebuilt lazily when `layoutDirty`.
    std::vector<Line> lines;
    std::u16string shown;      // the text as drawn (password characters in place)
    std::vector<int> advance;  // per character of the text, in pixels (tabs and breaks 0)
    bool layoutDirty = true;
    int wrapWidth = 0;         // 0: no wrapping

    int topLine = 0;  // first visible line (multi-line)
    int xOffset = 0;  // pixels scrolled to the left

    bool focused = false;
    bool tracking = false;      // the pen is down and captured
    bool dialogMode = false;    // a dialog asked WM_GETDLGCODE with a message
    bool redraw = true;
    bool updatingBars = false;
};

Edit* editOf(HWND hwnd);
DWORD styleOf(const Edit& e);
bool isMultiLine(const Edit& e);
bool isPassword(const Edit& e);
bool isReadOnly(const Edit& e);
int selMin(const Edit& e);
int selMax(const Edit& e);

// --------------------------------------------------------------- text and undo
// Replaces the selection with `s` (what the user typed, pasted or what
// EM_REPLACESEL gave). `honorLimit`: the text limit and, for a single-line
// edit without ES_AUTOHSCROLL, the width cut the insertion short (EN_MAXTEXT).
// `canUndo` false empties the undo record. `notify`: EN_UPDATE and EN_CHANGE
// follow a change. Returns true when the text changed.
bool replaceSelection(Edit& e, std::u16string_view s, bool canUndo, bool honorLimit, bool notify);
// WM_SETTEXT: the whole text, no limit, no notifications; undo and the
// modified flag are cleared and the caret goes to the start.
void setWholeText(Edit& e, std::u16string_view s);
void emptyUndo(Edit& e);
bool canUndo(const Edit& e);
// EM_UNDO: swaps the undo record back in and selects what it restored.
bool undo(Edit& e);
// Sets the selection (clamped, kept off the middle of a "\r\n").
void setSelection(Edit& e, int anchor, int caret);
// Case folding of ES_UPPERCASE / ES_LOWERCASE for the characters of the
// system code page.
char16_t toUpper(char16_t c);
char16_t toLower(char16_t c);
// A valid caret position at or before i (never between '\r' and '\n', nor
// inside a surrogate pair).
int snapBack(const Edit& e, int i);
int nextPosition(const Edit& e, int i);
int prevPosition(const Edit& e, int i);

// -------------------------------------------------------------------- layout
void invalidateLayout(Edit& e);
void ensureLayout(Edit& e);
// The text area: the client rectangle less the margins (single-line: one
// line high, centred vertically).
RECT formatRect(Edit& e);
int lineOf(Edit& e, int index);        // the line holding a character index
int visibleLineCount(Edit& e);         // whole lines the format rectangle holds (at least 1)
// Pixel x of a character position within its line, from the line's left edge
// (tabs expanded); `line` must hold `index`.
int xInLine(Edit& e, int line, int index);
// Advance of the character at i drawn at pixel x of its line (tabs reach
// the next tab stop).
int advanceOf(const Edit& e, int i, int x);
// Left edge of a line's text in client coordinates (alignment and scrolling).
int lineLeft(Edit& e, int line);
// Client position of a character position (caret placement); false when the
// index is past the text.
POINT positionOf(Edit& e, int index);
// The character position nearest a client point.
int indexAt(Edit& e, POINT pt);
// Scrolls so the caret can be seen; true when it scrolled.
bool scrollCaretIntoView(Edit& e);
// Scrolls multi-line text by lines (clamped); returns the lines moved.
int scrollLines(Edit& e, int delta);
void setXOffset(Edit& e, int x);
// Keeps the WS_VSCROLL bar's range, page and position current.
void updateScrollBar(Edit& e);
// Redraws the text area.
void invalidateText(Edit& e);
// Whether the text, laid out on one line, fits the format rectangle.
bool fitsOneLine(Edit& e, std::u16string_view shown);
// The characters drawn (the password character in place of each one).
std::u16string displayText(const Edit& e);

// ------------------------------------------------------------------ painting
LRESULT onPaint(Edit& e, HDC given);
LRESULT onEraseBackground(Edit& e, HDC dc);
// The brush and DC colours from the parent's WM_CTLCOLOREDIT (or
// WM_CTLCOLORSTATIC for read-only and disabled edits).
HBRUSH controlColors(Edit& e, HDC dc);

// --------------------------------------------------------------------- input
LRESULT onChar(Edit& e, WPARAM ch);
LRESULT onKeyDown(Edit& e, WPARAM vk);
LRESULT onPenDown(Edit& e, LPARAM lParam);
LRESULT onPenMove(Edit& e, LPARAM lParam);
LRESULT onPenUp(Edit& e);
LRESULT onDoubleTap(Edit& e, LPARAM lParam);
LRESULT onCaptureChanged(Edit& e);
LRESULT onCopy(Edit& e);
LRESULT onCut(Edit& e);
LRESULT onPaste(Edit& e);
LRESULT onClear(Edit& e);
// Selects the word around a character position.
void selectWordAt(Edit& e, int index);

// ------------------------------------------------------------- notifications
void notifyParent(Edit& e, WORD code);

}  // namespace edit
