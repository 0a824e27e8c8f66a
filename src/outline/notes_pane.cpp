// The notes pane's own window procedure, in front of the edit control's:
// command states while it has the focus, the note's background, the find
// match drawn over the text, and the tap-and-hold "Notes Popup".
#include <cstring>

#include "aygshell.h"
#include "commctrl.h"
#include "common/gdi_owner.h"
#include "outline/notes.h"
#include "outline/tree_ops.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "winclip.h"

namespace {

WNDPROC notesEditProc = nullptr;  // the edit control's own procedure

// The find match shown in the note: its character index (-1 none), its text
// as the note spells it and its length.
int intNoteMatchIndex = -1;
WCHAR strNoteMatch[NOTE_MATCH_CHARS] = {};
int intNoteMatchLength = 0;

LRESULT forward(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return notesEditProc ? CallWindowProcW(notesEditProc, hwnd, msg, wParam, lParam)
                         : DefWindowProcW(hwnd, msg, wParam, lParam);
}

void repaint(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

bool selectionEmpty(HWND hwnd) {
    DWORD start = 0, end = 0;
    SendMessageW(hwnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    return start == end;
}

bool clipboardHasText() { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

// Cut, Copy, Paste and Insert Time/Date of the menu bar follow the pane.
void updateTextCommands(HWND hwnd) {
    HMENU menu = hwndMenuBar ? (HMENU)SendMessageW(hwndMenuBar, SHCMBM_GETMENU, 0, 0) : nullptr;
    if (!menu) return;
    UINT cutCopy = selectionEmpty(hwnd) ? MF_GRAYED : MF_ENABLED;
    EnableMenuItem(menu, res::kCmdCut, MF_BYCOMMAND | cutCopy);
    EnableMenuItem(menu, res::kCmdCopy, MF_BYCOMMAND | cutCopy);
    EnableMenuItem(menu, res::kCmdPaste, MF_BYCOMMAND | (clipboardHasText() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, res::kCmdInsertTimeDate, MF_BYCOMMAND | MF_ENABLED);
}

int notesLineHeight(HDC dc) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return tm.tmHeight;
}

// Draws the find match in white on magenta over the edit's own painting.
void paintMatch(HWND hwnd) {
    LRESULT pos = SendMessageW(hwnd, EM_POSFROMCHAR, (WPARAM)intNoteMatchIndex, 0);
    if (pos == -1) return;
    int x = (short)LOWORD(pos);
    int y = (short)HIWORD(pos);
    RECT client;
    GetClientRect(hwnd, &client);
    HDC dc = GetDC(hwnd);
    if (!dc) return;
    int saved = SaveDC(dc);
    SelectObject(dc, hfontNotes);
    int lineHeight = notesLineHeight(dc);
    // A match on a line below the visible part waits until it is scrolled in.
    if (y + lineHeight <= client.bottom) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, 0xFFFFFF);
        RECT measure = {0, 0, 2, lineHeight};
        DrawTextW(dc, strNoteMatch, intNoteMatchLength, &measure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        RECT box = {x, y, x + (measure.right - measure.left), y + lineHeight};
        GdiObject<HBRUSH> brush(CreateSolidBrush(kNoteMatchColour));
        FillRect(dc, &box, brush.get());
        DrawTextW(dc, strNoteMatch, intNoteMatchLength, &box, DT_LEFT | DT_TOP | DT_NOPREFIX);
        RestoreDC(dc, saved);
    } else {
        RestoreDC(dc, saved);
    }
    ReleaseDC(hwnd, dc);
}

// The tap-and-hold popup: its commands act on the pane itself.
void showNotesPopup(HWND hwnd, POINT at) {
    HMENU menu = LoadMenuW(hInstance, MAKEINTRESOURCEW(res::kMenuNotesPopup));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    if (!popup) {
        DestroyMenu(menu);
        return;
    }
    UINT hasSelection = selectionEmpty(hwnd) ? MF_GRAYED : MF_ENABLED;
    EnableMenuItem(popup, res::kCmdUndo, MF_BYCOMMAND | (SendMessageW(hwnd, EM_CANUNDO, 0, 0) ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(popup, res::kCmdCut, MF_BYCOMMAND | hasSelection);
    EnableMenuItem(popup, res::kCmdCopy, MF_BYCOMMAND | hasSelection);
    EnableMenuItem(popup, res::kCmdClear, MF_BYCOMMAND | hasSelection);
    EnableMenuItem(popup, res::kCmdPaste, MF_BYCOMMAND | (clipboardHasText() ? MF_ENABLED : MF_GRAYED));
    ClientToScreen(hwnd, &at);
    UINT chosen = (UINT)TrackPopupMenuEx(popup, TPM_RETURNCMD, at.x, at.y, hwnd, nullptr);
    DestroyMenu(menu);
    switch (chosen) {
        case res::kCmdUndo: SendMessageW(hwnd, EM_UNDO, 0, 0); break;
        case res::kCmdCut: SendMessageW(hwnd, WM_CUT, 0, 0); break;
        case res::kCmdCopy: SendMessageW(hwnd, WM_COPY, 0, 0); break;
        case res::kCmdPaste: SendMessageW(hwnd, WM_PASTE, 0, 0); break;
        case res::kCmdClear: SendMessageW(hwnd, WM_CLEAR, 0, 0); break;
        case res::kCmdSelectAll: SendMessageW(hwnd, EM_SETSEL, 0, -1); break;
        case res::kCmdInsertTimeDate: insertTimeStampIntoNotes(); break;
        default: break;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT onPenDown(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (intNoteMatchIndex >= 0) {
        intNoteMatchIndex = -1;
        repaint(hwnd);
    }
    SHRGINFO gesture{};
    gesture.cbSize = sizeof gesture;
    gesture.hwndClient = hwnd;
    gesture.ptDown.x = (short)LOWORD(lParam);
    gesture.ptDown.y = (short)HIWORD(lParam);
    gesture.dwFlags = SHRG_RETURNCMD;
    if (SHRecognizeGesture(&gesture) != GN_CONTEXTMENU) return forward(hwnd, msg, wParam, lParam);
    showNotesPopup(hwnd, gesture.ptDown);
    return 0;
}

void redrawSelectedRow() {
    HTREEITEM selected = treeSelection(hwndMainTV);
    if (!selected) return;
    // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
    RECT row{};
    std::memcpy(&row, &selected, sizeof selected);
    if (!SendMessageW(hwndMainTV, TVM_GETITEMRECT, FALSE, (LPARAM)&row)) return;
    row.left = 0;
    row.right = 600;
    InvalidateRect(hwndMainTV, &row, TRUE);
    UpdateWindow(hwndMainTV);
}

LRESULT CALLBACK notesWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SETFOCUS: {
            updateMenus();
            if (bHasKeyboard == 0 || bKeyboardSip == 1) SHSipPreference(hwnd, SIP_UP);
            bTextEditActive = 1;
            LRESULT r = forward(hwnd, msg, wParam, lParam);
            updateTextCommands(hwnd);
            return r;
        }
        case WM_LBUTTONUP: updateTextCommands(hwnd); return forward(hwnd, msg, wParam, lParam);
        case WM_KILLFOCUS:
            updateMenus();
            bTextEditActive = 0;
            redrawSelectedRow();
            return forward(hwnd, msg, wParam, lParam);
        case WM_ERASEBKGND: {
            if (!hbrNoteBackground) return forward(hwnd, msg, wParam, lParam);
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect((HDC)wParam, &client, hbrNoteBackground);
            return 1;
        }
        case WM_PAINT: {
            LRESULT r = forward(hwnd, msg, wParam, lParam);
            if (intNoteMatchIndex >= 0) paintMatch(hwnd);
            return r;
        }
        case WM_VSCROLL: {
            LRESULT r = forward(hwnd, msg, wParam, lParam);
            if (intNoteMatchIndex >= 0) repaint(hwnd);
            return r;
        }
        case WM_LBUTTONDOWN: return onPenDown(hwnd, msg, wParam, lParam);
        default: return forward(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

void subclassNotesPane(HWND hwndPane) {
    if (!hwndPane) return;
    WNDPROC current = (WNDPROC)GetWindowLongW(hwndPane, GWL_WNDPROC);
    if (current == notesWndProc) return;  // already in front
    notesEditProc = current;
    SetWindowLongW(hwndPane, GWL_WNDPROC, (LONG_PTR)notesWndProc);
}

void setNoteHighlight(int index, const WCHAR* match, int length) {
    if (index < 0 || !match || length <= 0) {
        clearNoteHighlight();
        return;
    }
    if (length > NOTE_MATCH_CHARS - 1) length = NOTE_MATCH_CHARS - 1;
    int n = 0;
    for (; n < length && match[n]; ++n) strNoteMatch[n] = match[n];
    strNoteMatch[n] = 0;
    intNoteMatchLength = n;
    intNoteMatchIndex = index;
    if (hwndNotes) repaint(hwndNotes);
}

void clearNoteHighlight() {
    if (intNoteMatchIndex < 0) return;
    intNoteMatchIndex = -1;
    if (hwndNotes) repaint(hwndNotes);
}

int noteHighlightIndex() { return intNoteMatchIndex; }
