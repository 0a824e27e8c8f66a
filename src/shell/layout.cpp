// Placing the panes of the main window, following the input panel, and the
// two toolbar toggles (edit bar, notes pane).
#include "shell/layout.h"

#include <algorithm>
#include <cstring>

#include "outline/notes.h"
#include "outline/outline_paint.h"
#include "shell/shell_state.h"
#include "state/app_state.h"
#include "storage/settings.h"

namespace {

int clientHeight(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return rc.bottom - rc.top;
}

// A child's rectangle in its parent's client coordinates.
RECT childRect(HWND child) {
    RECT rc{};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

int findBarHeight() {
    if (!hwndFind || !IsWindowVisible(hwndFind)) return 0;
    RECT rc{};
    GetWindowRect(hwndFind, &rc);
    return rc.bottom - rc.top;
}

// The remembered height of the open notes pane; a missing or unusable value
// falls back to a fifth of the work area, so reopening always shows a pane.
int rememberedNotesHeight() {
    int n = 0;
    if (!getSettingInt(SETTING_NOTEEBHEIGHTPREVIOUS, &n) || n <= 0) n = intWorkHeight / 5;
    return n;
}

int smallPadlockWidth() {
    BITMAP bm{};
    if (hbmPadlockSmall && GetObjectW(hbmPadlockSmall, sizeof bm, &bm)) return bm.bmWidth;
    return bHiRes ? 25 : 12;
}

void moveSplitter(int top) {
    if (hwndSplitter) SetWindowPos(hwndSplitter, nullptr, -5, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// --- the arithmetic ---------------------------------------------------------

int treeTopFor(int editBarVisible) {
    return editBarVisible ? intListBarBottom + intListBarHeight : intListBarBottom + 1;
}

int smallestSplitterTop(int rowHeight) { return intTreeTop + 2 * rowHeight; }

int splitterTopAfterSettingChange(int windowHeight, int notesHeight, int findHeight, int boldRowHeight) {
    int top = windowHeight - intSplitterHeight - notesHeight - findHeight;
    return std::max(top, smallestSplitterTop(boldRowHeight));
}

int splitterTopWhileDragging(int y, int windowHeight, int findHeight, int boldRowHeight) {
    int top = std::min(y, windowHeight - intSplitterHeight - findHeight);
    return std::max(top, smallestSplitterTop(boldRowHeight));
}

int splitterTopForNotes(int open, int windowHeight, int notesHeight, int findHeight, int rowHeight) {
    int top = open ? windowHeight - intSplitterHeight - notesHeight : windowHeight - intSplitterHeight;
    return std::max(top - findHeight, smallestSplitterTop(rowHeight));
}

int fontCellHeight(HFONT font) {
    if (!font) return 0;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight;
}

FittedName fitListName(const int* widths, int length, int available) {
    if (length <= 0 || widths[length - 1] <= available) return {std::max(length, 0), false};
    int fit = 0;
    while (fit < length && widths[fit] <= available) ++fit;
    return {fit, fit >= 3};
}

// --- placing the panes ------------------------------------------------------

void layoutPanes() {
    if (!hwndMain) return;
    int h = clientHeight(hwndMain);
    if (hwndMainTV) {
        RECT tree = childRect(hwndMainTV);
        SetWindowPos(hwndMainTV, nullptr, tree.left, intTreeTop, tree.right - tree.left,
                     std::max(0, intSplitterTop - intTreeTop), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    int find = findBarHeight();
    if (hwndNotes) {
        RECT notes = childRect(hwndNotes);
        int findClient = 0;
        if (find) {
            RECT rc{};
            GetClientRect(hwndFind, &rc);
            findClient = rc.bottom - rc.top;
        }
        SetWindowPos(hwndNotes, nullptr, 0, intSplitterTop + intSplitterHeight, notes.right - notes.left,
                     std::max(0, h - intSplitterHeight - intSplitterTop - findClient), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (find) {
        SetWindowPos(hwndFind, nullptr, 0, h - find, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
}

void layoutListBar() {
    if (!hwndListCombo || !hwndListName) return;
    RECT rc{};
    GetWindowRect(hwndListCombo, &rc);
    const int barHeight = rc.bottom - rc.top;
    const int x = 3 * intUnit + smallPadlockWidth();
    const int width = intWorkWidth - barHeight / 2 - x;
    // Asked for taller, the combo box keeps its height and drops its list
    // down that far.
    MoveWindow(hwndListCombo, x, 0, width, intWorkHeight / 2, FALSE);
    MoveWindow(hwndListName, x, 0, width, barHeight, TRUE);
    intListBarBottom = intScale + barHeight;
    intTreeTop = treeTopFor(bEditBarVisible);
}

LRESULT onSettingChange(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!hwndMain) return 0;
    if (wParam == SPI_SETSIPINFO) SHHandleWMSettingChange(hwnd, wParam, lParam, &shellActivateInfo);
    int h = clientHeight(hwnd);
    int notes = bNotesOpen ? rememberedNotesHeight() : 0;
    intSplitterTop = splitterTopAfterSettingChange(h, notes, findBarHeight(), fontCellHeight(hfontTreeBold));
    moveSplitter(intSplitterTop);
    layoutPanes();
    if (intSplitterTop > 0) setSettingInt(SETTING_SETBARTOP, intSplitterTop);
    if (attrCurrentList.bUseBitmapFile == 1 && hwndMainTV) {
        // The main window does not clip its children: a repaint of it still
        // waiting would cover the outline drawn now, so it goes first.
        UpdateWindow(hwnd);
        RedrawWindow(hwndMainTV, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return 0;
}

// --- the toolbar toggles ----------------------------------------------------

LRESULT onToggleEditBar(HWND hwnd, int id, HWND hwndCtl, int code) {
    bEditBarVisible = bEditBarVisible ? 0 : 1;
    setSettingInt(SETTING_EDITBARVISIBLE, bEditBarVisible);
    intTreeTop = treeTopFor(bEditBarVisible);
    layoutPanes();
    if (hwndMainTV && !IsWindowVisible(hwndMainTV)) {
        RECT band{};
        GetClientRect(hwndMain, &band);
        band.top = intListBarBottom;
        band.bottom = intListBarBottom + intListBarHeight;
        InvalidateRect(hwndMain, &band, FALSE);
    }
    return 0;
}

LRESULT toggleNotesPane(HWND hwnd, int id, HWND hwndCtl, int code) {
    // No items are shown: there is no note to open.
    if (!hwndSplitter || !IsWindowVisible(hwndSplitter)) return 0;
    HTREEITEM selected =
        hwndMainTV ? (HTREEITEM)SendMessageW(hwndMainTV, TVM_GETNEXTITEM, TVGN_CARET, 0) : nullptr;
    if (selected) {
        // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
        RECT row{};
        std::memcpy(&row, &selected, sizeof selected);
        if (SendMessageW(hwndMainTV, TVM_GETITEMRECT, FALSE, (LPARAM)&row)) {
            InvalidateRect(hwndMainTV, &row, TRUE);
            UpdateWindow(hwndMainTV);
        }
    } else if (hwndNotes) {
        loadItemNote(0);  // empties the pane without writing anything back
    }
    int h = clientHeight(hwndMain);
    int notes = 0;
    if (bNotesOpen == 1) {
        bNotesOpen = 0;
    } else {
        notes = rememberedNotesHeight();
        bNotesOpen = 1;
    }
    intSplitterTop = splitterTopForNotes(bNotesOpen, h, notes, findBarHeight(), intTreeFontHeight);
    moveSplitter(intSplitterTop);
    layoutPanes();
    setSettingInt(SETTING_SETBARTOP, intSplitterTop);
    return 0;
}
