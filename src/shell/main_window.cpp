// The main window's procedure: a table of the messages it handles, each with
// its handler; anything else goes to DefWindowProcW. WM_COMMAND goes on to
// the command table (command_table.cpp).
#include "shell/main_window.h"

#include "aygshell.h"
#include "exchange/dropped_files.h"
#include "exchange/task_creation.h"
#include "outline/edit_bar_input.h"
#include "outline/edit_bar_tip.h"
#include "outline/item_drag.h"
#include "outline/outline_paint.h"
#include "outline/tree_input.h"
#include "resources/resource_ids.h"
#include "shell/command_table.h"
#include "shell/layout.h"
#include "shell/menu_bar.h"
#include "shell/screen_width.h"
#include "shell/shell_state.h"
#include "shell/shutdown.h"
#include "state/app_state.h"
#include "state/main_window_ids.h"

namespace {

typedef LRESULT (*MessageHandler)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
    UINT msg;
    MessageHandler handler;
};

LRESULT onCreate(HWND hwnd, UINT, WPARAM, LPARAM) {
    hwndMenuBar = createMenuBar(hwnd);
    acceptDroppedFiles(hwnd);
    return 0;
}

// The system is short of memory: a window in the background gives up its
// menu bar, which comes back when the window is activated again.
LRESULT onHibernate(HWND hwnd, UINT, WPARAM, LPARAM) {
    if (GetForegroundWindow() != hwnd && hwndMenuBar) {
        DestroyWindow(hwndMenuBar);
        hwndMenuBar = nullptr;
    }
    return 0;
}

LRESULT onActivate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != WA_INACTIVE && !hwndMenuBar) hwndMenuBar = createMenuBar(hwnd);
    SHHandleWMActivate(hwnd, wParam, lParam, &shellActivateInfo, 0);
    // Text copied in another program can be pasted here as items.
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) enableMenuBarItem(res::kCmdPaste, 1);
    return 0;
}

LRESULT onTimer(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    switch (wParam) {
        case TIMER_DRAG_SCROLL: onDragScrollTimer(hwnd); return 0;
        case TIMER_TASK_FOLLOW_UP:
            KillTimer(hwnd, TIMER_TASK_FOLLOW_UP);
            pokeTaskEditor();
            return 1;
        case TIMER_EDIT_BAR_TIP: onEditBarTipTimer(hwnd); return 1;
    }
    return 0;
}

LRESULT onCtlColorEdit(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND control = (HWND)lParam;
    if (GetDlgCtrlID(control) != ID_NOTES) return DefWindowProcW(hwnd, msg, wParam, lParam);
    HDC dc = (HDC)wParam;
    SetTextColor(dc, attrCurrentList.crNoteText);
    SetBkMode(dc, TRANSPARENT);
    return (LRESULT)hbrNoteBackground;
}

LRESULT onEraseBackground(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    FillRect((HDC)wParam, &rc, hbrBackground);
    return 1;
}

// A double tap on the main window is two presses.
LRESULT onDoubleClick(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
    SendMessageW(hwnd, WM_LBUTTONDOWN, wParam, lParam);
    return 0;
}

LRESULT onCommandMessage(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam) {
    return dispatchCommand(hwnd, LOWORD(wParam), (HWND)lParam, HIWORD(wParam));
}

const MessageEntry kMessages[] = {
    {WM_CREATE, onCreate},
    {WM_PAINT, onMainPaint},
    {WM_HIBERNATE, onHibernate},
    {WM_ACTIVATE, onActivate},
    {WM_DESTROY, onDestroy},
    {WM_COMMAND, onCommandMessage},
    {WM_CLOSE, onClose},
    {WM_NOTIFY, onOutlineNotify},
    {WM_SETTINGCHANGE, onSettingChange},
    {WM_TIMER, onTimer},
    {WM_CTLCOLOREDIT, onCtlColorEdit},
    {WM_LBUTTONDOWN, onMainPenDown},
    {WM_LBUTTONUP, onMainPenUp},
    {WM_LBUTTONDBLCLK, onDoubleClick},
    {WM_MOUSEMOVE, onMainPenMove},
    {WM_ERASEBKGND, onEraseBackground},
    {WM_SIZE, onMainSize},
    {WM_DROPFILES, onDropFiles},
};

}  // namespace

LRESULT CALLBACK mainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    for (const MessageEntry& e : kMessages)
        if (e.msg == msg) return e.handler(hwnd, msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
