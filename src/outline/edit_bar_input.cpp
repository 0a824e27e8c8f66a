// The main window's pen input. A press on an enabled edit bar button shows
// it pressed and captures the pen; the pressed look follows the pen from
// button to button and goes when the pen leaves the buttons; the pen-up runs
// the command of the button under it. A press held for a second shows the
// button's tip instead (edit_bar_tip.cpp). A tap below the bars, where the
// main window shows only while the outline is hidden, unlocks the list or
// starts the first one.
//
// Sections: geometry | pressed look | pen-down | pen-move | pen-up
#include "outline/edit_bar_input.h"

#include <cassert>

#include "outline/edit_bar_geometry.h"
#include "outline/item_drag.h"
#include "outline/item_move.h"
#include "outline/item_place.h"
#include "outline/tree_load.h"
#include "outline/unsaved_change.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/main_window_ids.h"
#include "state/shell_calls.h"

namespace {

constexpr UINT kTipDelayMs = 1000;
constexpr int kFirstMoveButton = 5;

POINT pointOf(LPARAM lParam) { return POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)}; }

bool isEnabled(int index) {
    assert(index >= 0 && index < EDIT_BAR_BUTTON_COUNT);
    return (intEditBarState[index] & EDIT_BAR_STATE_ENABLED) != 0;
}

// Under alphabetic sorting nothing is moved by hand: the move buttons do
// not even take the press.
bool movesLocked(int index) { return index >= kFirstMoveButton && attrCurrentList.bAlphaSort == 1; }

}  // namespace

// --- geometry -------------------------------------------------------------------------

int editBarButtonAt(int x, int hiRes) {
    int width = editBarHitWidth(hiRes);
    for (int i = 0; i < EDIT_BAR_BUTTON_COUNT; ++i) {
        int left = editBarButtonLeft(i, hiRes);
        if (x > left && x < left + width) return i;
    }
    return -1;
}

int inEditBarRows(int y, int edges) {
    int top = intListBarBottom;
    int bottom = intListBarBottom + intListBarHeight;
    return edges ? (y >= top && y <= bottom) : (y > top && y < bottom);
}

// --- pressed look ------------------------------------------------------------------------

namespace {

void repaintButton(HWND hwnd, int index) {
    int left = editBarButtonLeft(index, bHiRes);
    RECT piece{left, intListBarBottom, left + editBarHitWidth(bHiRes), intListBarBottom + intListBarHeight};
    InvalidateRect(hwnd, &piece, FALSE);
    UpdateWindow(hwnd);
}

void setPressed(HWND hwnd, int index, bool pressed) {
    if (index < 0 || index >= EDIT_BAR_BUTTON_COUNT) return;
    if (pressed)
        intEditBarState[index] |= EDIT_BAR_STATE_PRESSED;
    else
        intEditBarState[index] &= ~EDIT_BAR_STATE_PRESSED;
    repaintButton(hwnd, index);
}

}  // namespace

// --- pen-down -----------------------------------------------------------------------------

namespace {

void pressEditBar(HWND hwnd, POINT p) {
    bListDropDownCancelled = 0;
    if (bTextEditActive == 1) return;
    int index = editBarButtonAt(p.x, bHiRes);
    if (index < 0) return;
    intPressedEditButton = index;
    SetTimer(hwnd, TIMER_EDIT_BAR_TIP, kTipDelayMs, nullptr);
    if (movesLocked(index)) {
        intPressedEditButton = -1;
        return;
    }
    // A disabled button takes no press, but its tip still shows.
    if (!isEnabled(index)) return;
    setPressed(hwnd, index, true);
    SetCapture(hwnd);
}

// The bare window shows only while the outline is hidden: no lists, an
// empty list, or a list waiting for its password.
void tapBareWindow(HWND hwnd) {
    bIgnorePenUp = 1;
    bListLocked = askCurrentListPassword();
    if (bListLocked == 1) {
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    if (intListCount <= 0) {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(res::kCmdNewList, 0), 0);
        return;
    }
    updateMenus();
    setWaitCursor(1);
    reloadOutline();
    setWaitCursor(0);
    enableMenuCommand(res::kCmdExportList, 1);
    SendMessageW(hwnd, WM_SETTINGCHANGE, 0, 0);
    if (hwndMainTV && IsWindowVisible(hwndMainTV)) {
        SetFocus(hwndMainTV);
        SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    }
}

}  // namespace

LRESULT onMainPenDown(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
    POINT p = pointOf(lParam);
    // A new gesture: a pen-up that an earlier tap left to be swallowed
    // never came here, and this gesture's own must not be lost for it.
    bIgnorePenUp = 0;
    int barsBottom = intListBarBottom + (bEditBarVisible == 1 ? intListBarHeight : 0);
    if (bEditBarVisible == 1 && inEditBarRows(p.y, 0))
        pressEditBar(hwnd, p);
    else if (p.y > barsBottom)
        tapBareWindow(hwnd);
    return 0;
}

// --- pen-move ----------------------------------------------------------------------------------

LRESULT onMainPenMove(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
    POINT p = pointOf(lParam);
    if (bDragging == 1) updateItemDrag(p);
    if (bEditBarVisible != 1 || intPressedEditButton < 0) return 0;
    int index = inEditBarRows(p.y, 0) ? editBarButtonAt(p.x, bHiRes) : -1;
    if (index < 0) {
        // Off the buttons nothing is held any more; a pen-up on a button
        // still runs that button.
        setPressed(hwnd, intPressedEditButton, false);
        intPressedEditButton = -1;
        return 0;
    }
    if (movesLocked(index)) return 0;
    if (index == intPressedEditButton && (intEditBarState[index] & EDIT_BAR_STATE_PRESSED)) return 0;
    setPressed(hwnd, intPressedEditButton, false);
    intPressedEditButton = index;
    setPressed(hwnd, index, true);
    return 0;
}

// --- pen-up -------------------------------------------------------------------------------------

void runEditBarButton(HWND hwnd, int index) {
    // The first five are the item commands of the item popup, run exactly
    // as if chosen there.
    static const UINT kItemCommands[kFirstMoveButton] = {res::kCmdItemCut, res::kCmdItemCopy, res::kCmdItemPaste,
                                                         res::kCmdItemDelete, res::kCmdItemDuplicate};
    if (index < 0 || index >= EDIT_BAR_BUTTON_COUNT) return;
    if (index < kFirstMoveButton) {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(kItemCommands[index], 0), 0);
        return;
    }
    static const int kDirections[EDIT_BAR_BUTTON_COUNT - kFirstMoveButton] = {MOVE_DOWN, MOVE_UP, MOVE_LEFT,
                                                                               MOVE_RIGHT};
    // Not a command of the table: a write that does not fit is told here.
    beginCommandWrites();
    moveItem(kDirections[index - kFirstMoveButton]);
    endCommandWrites();
}

LRESULT onMainPenUp(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
    POINT p = pointOf(lParam);
    KillTimer(hwnd, TIMER_EDIT_BAR_TIP);
    ReleaseCapture();
    // A pen-up while dragging belongs to the drag, whatever earlier taps
    // left behind.
    if (bDragging == 1) {
        bIgnorePenUp = 0;
        bListDropDownCancelled = 0;
        beginCommandWrites();
        dropItem(p);
        endCommandWrites();
        return 0;
    }
    if (bIgnorePenUp == 1) {
        bIgnorePenUp = 0;
        return 0;
    }
    if (bListDropDownCancelled == 1) {
        bListDropDownCancelled = 0;
        return 0;
    }
    if (bEditBarVisible != 1 || bTextEditActive == 1) return 0;
    int held = intPressedEditButton;
    intPressedEditButton = -1;
    if (held >= 0) {
        intEditBarState[held] &= ~EDIT_BAR_STATE_PRESSED;
        if (!isEnabled(held)) return 0;
        repaintButton(hwnd, held);
    }
    if (!inEditBarRows(p.y, 1)) return 0;
    int index = editBarButtonAt(p.x, bHiRes);
    if (index < 0 || !isEnabled(index)) return 0;
    runEditBarButton(hwnd, index);
    return 0;
}
