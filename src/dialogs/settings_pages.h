// What the three pages of the "Settings" sheet share: their procedures, the
// rounded frames around their groups, the blue bold titles, the colour
// swatches' brushes, the notifications every page answers alike, and small
// helpers for their check boxes and drop-down lists.
//
// A page edits the current list's attributes (attrCurrentList) and the
// program's settings. Values are taken from the controls when the sheet is
// closed with OK; a few take effect the moment they are chosen (the
// background choice, the background colour, the button icon), and the
// Color page keeps its colours in working copies until then.
#pragma once

#include "windows.h"

// Page procedures (templates 1049, 1050 and 1051).
INT_PTR CALLBACK displayPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK colorPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK otherPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

constexpr COLORREF kPageTitleColour = 0x960000;  // blue 150
constexpr COLORREF kPageFrameInner = 0x00FF00;   // the green line inside the black one

// The 9-point bold font of the titles, given to each title of `ids`.
HFONT createPageTitleFont(HWND page, const int* ids, int count);
// Draws the rounded frame (black, and green 1 pixel inside) around each of
// the hidden markers 1092 and 1093 the page has.
void drawPageFrames(HWND page, HDC hdc);
// WM_CTLCOLORSTATIC of a title: blue text, transparent, on white.
INT_PTR titleColours(HDC hdc);
// WM_CTLCOLORSTATIC of the other labels and check boxes: black on white.
INT_PTR plainColours(HDC hdc);
// Repaints the page under child `id`'s rectangle grown by `grow` pixels.
void invalidateAround(HWND page, int id, int grow, BOOL erase);

// WM_NOTIFY of the sheet: the input panel goes down whenever a page comes or
// goes, and PSN_APPLY runs `apply`. TRUE when the notification was the
// sheet's.
BOOL answerSheetNotify(HWND page, LPARAM lParam, void (*apply)(HWND page));

// Check boxes.
void setCheck(HWND page, int id, int on);
int isChecked(HWND page, int id);
// Fills drop-down list `id` with `count` texts and selects `selected`
// (nothing when it is out of range).
void fillDropList(HWND page, int id, const WCHAR* const* texts, int count, int selected);
// The selected index of drop-down list `id`, or `fallback` when none is.
int dropListIndex(HWND page, int id, int fallback);
