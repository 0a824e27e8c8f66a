// The splitter bar between the outline and the notes pane. Dragging it moves
// the border; letting go at the bottom closes the notes pane, anywhere above
// opens it, and the height it had open is remembered for the next opening.
#include "shell/layout.h"
#include "state/app_state.h"
#include "storage/settings.h"

namespace {

struct SplitterDrag {
    int dragging = 0;
    int findHeight = 0;      // the find bar's height when the drag began
    int lastOpenHeight = 0;  // the notes pane's height the last time it was seen open
};
SplitterDrag drag;

int mainClientHeight() {
    RECT rc{};
    GetClientRect(hwndMain, &rc);
    return rc.bottom - rc.top;
}

int openNotesHeight(int windowHeight) { return windowHeight - intSplitterTop - intSplitterHeight - drag.findHeight; }

void followPen(HWND hwnd, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(hwnd, hwndMain, &pt, 1);
    int h = mainClientHeight();
    int top = splitterTopWhileDragging(pt.y, h, drag.findHeight, fontCellHeight(hfontTreeBold));
    SetWindowPos(hwnd, nullptr, -5, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    intSplitterTop = top;
    layoutPanes();
    UpdateWindow(hwnd);
    // Show the new border while the pen is still down.
    for (HWND w : {hwndMain, hwndMainTV, hwndNotes})
        if (w) UpdateWindow(w);
}

LRESULT onButtonDown(HWND hwnd, LPARAM lParam) {
    SetCapture(hwnd);
    drag.findHeight = 0;
    if (hwndFind && IsWindowVisible(hwndFind)) {
        RECT rc{};
        GetWindowRect(hwndFind, &rc);
        drag.findHeight = rc.bottom - rc.top;
    }
    // An open pane seen here counts as its last open height, so closing it by
    // dragging keeps a height to reopen with even when it was opened by the
    // toolbar button.
    int h = mainClientHeight();
    if (bNotesOpen && intSplitterTop < h - intSplitterHeight - drag.findHeight)
        drag.lastOpenHeight = openNotesHeight(h);
    drag.dragging = 1;
    followPen(hwnd, lParam);
    return 0;
}

LRESULT onButtonUp(HWND hwnd, LPARAM lParam) {
    ReleaseCapture();
    drag.dragging = 0;
    followPen(hwnd, lParam);
    setSettingInt(SETTING_SETBARTOP, intSplitterTop);
    int h = mainClientHeight();
    int notes;
    if (intSplitterTop < h - intSplitterHeight - drag.findHeight) {
        bNotesOpen = 1;
        notes = openNotesHeight(h);
        drag.lastOpenHeight = notes;
    } else {
        bNotesOpen = 0;
        notes = drag.lastOpenHeight;
        // Never seen open: keep the height remembered from earlier runs.
        if (notes <= 0) return 0;
    }
    setSettingInt(SETTING_NOTEEBHEIGHTPREVIOUS, notes);
    return 0;
}

}  // namespace

LRESULT CALLBACK splitterWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_LBUTTONDOWN: return onButtonDown(hwnd, lParam);
        case WM_MOUSEMOVE:
            if (drag.dragging) followPen(hwnd, lParam);
            return 0;
        case WM_LBUTTONUP: return onButtonUp(hwnd, lParam);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
