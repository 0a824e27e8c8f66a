// The shell menu bar of the main window (File, Edit, Options and five
// picture buttons) and the small operations on its items.
#include "shell/menu_bar.h"

#include "aygshell.h"
#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "state/app_state.h"

const LPCWSTR kMenuBarTooltips[8] = {u"", u"", u"", u"New Item", u"New Sub-Item", u"Item Note", u"Find", u"Edit Bar"};

HWND createMenuBar(HWND hwnd) {
    SHMENUBARINFO mbi{};
    mbi.cbSize = 36;  // the device's size of the record
    mbi.hwndParent = hwnd;
    mbi.dwFlags = 0;
    mbi.nToolBarId = res::kMenuBarMain;
    mbi.hInstRes = hInstance;
    mbi.nBmpId = bHiRes ? res::kBmpToolbarHiRes : res::kBmpToolbar;
    mbi.cBmpImages = 5;
    if (!SHCreateMenuBar(&mbi)) return nullptr;
    SendMessageW(mbi.hwndMB, TB_SETTOOLTIPS, 8, (LPARAM)kMenuBarTooltips);
    return mbi.hwndMB;
}

void enableMenuBarItem(UINT id, int enable) {
    if (!hwndMenuBar) return;
    HMENU menu = (HMENU)SendMessageW(hwndMenuBar, SHCMBM_GETMENU, 0, 0);
    if (menu) EnableMenuItem(menu, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void enableToolbarButton(UINT id, int enable) {
    if (hwndMenuBar) SendMessageW(hwndMenuBar, TB_ENABLEBUTTON, id, MAKELONG(enable ? TRUE : FALSE, 0));
}

HMENU optionsMenu() {
    if (!hwndMenuBar) return nullptr;
    return (HMENU)SendMessageW(hwndMenuBar, SHCMBM_GETSUBMENU, 0, res::kButtonOptions);
}

void checkOptionsMenuItem(UINT id, int flag) {
    HMENU options = optionsMenu();
    if (options) CheckMenuItem(options, id, MF_BYCOMMAND | (flag == 1 ? MF_CHECKED : MF_UNCHECKED));
}

void moveOptionsMenuItem(int position, UINT id, LPCWSTR text) {
    HMENU options = optionsMenu();
    if (!options) return;
    HMENU submenu = GetSubMenu(options, position);
    if (!submenu) return;
    RemoveMenu(options, id, MF_BYCOMMAND);
    AppendMenuW(submenu, MF_STRING, id, text);
}

void showWaitCursor(int on) {
    if (on) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        ShowCursor(TRUE);
    } else {
        ShowCursor(FALSE);
        SetCursor(nullptr);
    }
}
