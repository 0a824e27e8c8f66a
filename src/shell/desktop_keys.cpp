// The desktop keys and their commands.
#include "shell/desktop_keys.h"

#include "outline/find.h"
#include "outline/item_move.h"
#include "outline/tree_input.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

HACCEL haccelMain = nullptr;
HACCEL haccelOutline = nullptr;

bool inFindBar(HWND focus) { return hwndFind && focus && IsChild(hwndFind, focus); }

}  // namespace

void loadDesktopKeys() {
    haccelMain = LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(res::kAccelMain));
    haccelOutline = LoadAcceleratorsW(hInstance, MAKEINTRESOURCEW(res::kAccelOutline));
}

bool translateDesktopKeys(MSG* msg) {
    if (!hwndMain || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return false;
    if (GetActiveWindow() != hwndMain) return false;
    HWND focus = GetFocus();
    // In the notes pane and the find field Delete, Ctrl+X/C/V/Z and the
    // arrows edit text; in the label editor every key does. Without a focus
    // (a message dialog just closed) the keys are the outline's.
    bool outline = !focus || focus == hwndMain || focus == hwndMainTV;
    if (outline && TranslateAcceleratorW(hwndMain, haccelOutline, msg)) return true;
    bool mainKeys = outline || focus == hwndNotes || inFindBar(focus);
    return mainKeys && TranslateAcceleratorW(hwndMain, haccelMain, msg);
}

LRESULT onFindNextKey(HWND hwnd, int, HWND, int) {
    if (!hwndFind) return 0;
    if (!IsWindowVisible(hwndFind)) {
        // The "Find" picture button decides whether there is anything to search.
        if (hwndMenuBar && !SendMessageW(hwndMenuBar, TB_ISBUTTONENABLED, res::kCmdFind, 0)) return 0;
        return SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(res::kCmdFind, 1), 0);
    }
    HWND next = GetDlgItem(hwndFind, ID_FIND_NEXT);
    if (next && IsWindowEnabled(next)) SendMessageW(hwndFind, WM_COMMAND, MAKEWPARAM(ID_FIND_NEXT, BN_CLICKED), (LPARAM)next);
    return 0;
}

LRESULT onMoveKey(HWND, int id, HWND, int) {
    switch ((unsigned)id) {
        case res::kCmdMoveDownKey: return moveItem(MOVE_DOWN);
        case res::kCmdMoveUpKey: return moveItem(MOVE_UP);
        case res::kCmdMoveLeftKey: return moveItem(MOVE_LEFT);
        case res::kCmdMoveRightKey: return moveItem(MOVE_RIGHT);
    }
    return 0;
}

LRESULT onEditLabelKey(HWND, int, HWND, int) {
    editSelectedLabel();
    return 0;
}
