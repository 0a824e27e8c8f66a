// The panes follow the main window's width.
#include "shell/screen_width.h"

#include "outline/find.h"
#include "state/app_state.h"
#include "shell/layout.h"

namespace {

// A child's rectangle in its parent's client coordinates.
RECT placeOf(HWND child) {
    RECT rc{};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void resize(HWND w, int x, int width) {
    if (!w) return;
    RECT rc = placeOf(w);
    SetWindowPos(w, nullptr, x, rc.top, width > 0 ? width : 1, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void moveBy(HWND w, int dx) {
    if (!w) return;
    RECT rc = placeOf(w);
    SetWindowPos(w, nullptr, rc.left + dx, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The find bar keeps its field between the label and "Next", which stays at
// the right end.
void widenFindBar(int grow) {
    if (!hwndFind) return;
    resize(hwndFind, 0, intWorkWidth);
    moveBy(GetDlgItem(hwndFind, ID_FIND_NEXT), grow);
    HWND field = GetDlgItem(hwndFind, ID_FIND_FIELD);
    if (field) {
        RECT rc = placeOf(field);
        resize(field, rc.left, rc.right - rc.left + grow);
    }
}

}  // namespace

LRESULT onMainSize(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
    int width = LOWORD(lParam);
    // While the window is made, start-up sizes the panes itself.
    if (!hwndMain || width <= 0 || width == intWorkWidth) return 0;
    int grow = width - intWorkWidth;
    intWorkWidth = width;
    layoutListBar();
    if (hwndMainTV) resize(hwndMainTV, placeOf(hwndMainTV).left, width);
    resize(hwndNotes, 0, width);
    // The splitter's side borders stay outside the window.
    resize(hwndSplitter, -5, width + 10);
    widenFindBar(grow);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}
