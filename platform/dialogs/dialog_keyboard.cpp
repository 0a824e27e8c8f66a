// The dialog keyboard: Tab and Shift+Tab through the tab stops, arrow keys
// within a group, Enter for the default button and Escape for Cancel; and the
// searches behind them, GetNextDlgTabItem and GetNextDlgGroupItem.
#include <algorithm>

#include "platform/dialogs/dialog_state.h"

namespace dlg {
namespace {

DWORD styleOf(HWND h) { return (DWORD)GetWindowLongW(h, GWL_STYLE); }

// Shown and enabled by its own style: a dialog that is still hidden (during
// WM_INITDIALOG) has controls that will be visible.
bool usable(HWND h) { return (styleOf(h) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE; }

bool isTabStop(HWND h) { return usable(h) && (styleOf(h) & WS_TABSTOP); }

void pressEnter(HWND dialog) {
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus) && (dlgCode(focus) & DLGC_DEFPUSHBUTTON)) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), kBnClicked), (LPARAM)focus);
        return;
    }
    LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(def) == DC_HASDEFID) {
        int id = (int)(short)LOWORD(def);
        HWND button = findControl(dialog, id);
        // A disabled default button can't be pressed, by Enter either.
        if (button && !IsWindowEnabled(button)) return;
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(def), kBnClicked), (LPARAM)button);
        return;
    }
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, kBnClicked), (LPARAM)findControl(dialog, IDOK));
}

void moveInGroup(HWND dialog, HWND from, WPARAM vk) {
    bool previous = vk == VK_LEFT || vk == VK_UP;
    HWND next = from == dialog ? GetNextDlgTabItem(dialog, nullptr, FALSE) : GetNextDlgGroupItem(dialog, from, previous);
    if (!next || next == from) return;
    if (dlgCode(next, vk) & DLGC_RADIOBUTTON) {
        // Moving onto an automatic radio button chooses it, as a tap would.
        SetFocus(next);
        if ((styleOf(next) & kBsTypeMask) == kBsAutoRadioButton &&
            (WPARAM)SendMessageW(next, kBmGetCheck, 0, 0) != kBstChecked)
            SendMessageW(next, kBmClick, 0, 0);
        return;
    }
    SendMessageW(dialog, WM_NEXTDLGCTL, (WPARAM)next, TRUE);
}

// Handles a key press of the dialog keyboard; false when the key is the
// control's own.
bool dialogKey(HWND dialog, MSG& msg) {
    UINT code = dlgCode(msg.hwnd, msg.wParam, (LPARAM)&msg);
    if (code & DLGC_WANTMESSAGE) return false;
    switch (msg.wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB) return false;
            SendMessageW(dialog, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS) return false;
            moveInGroup(dialog, msg.hwnd, msg.wParam);
            return true;
        case VK_ESCAPE:
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, kBnClicked), (LPARAM)findControl(dialog, IDCANCEL));
            return true;
        case VK_RETURN:
            pressEnter(dialog);
            return true;
        default: return false;
    }
}

}  // namespace
}  // namespace dlg

BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg) {
    if (!lpMsg || !hDlg || !IsWindow(hDlg)) return FALSE;
    if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)) return FALSE;
    if (lpMsg->message == WM_KEYDOWN && dlg::dialogKey(hDlg, *lpMsg)) return TRUE;
    TranslateMessage(lpMsg);
    DispatchMessageW(lpMsg);
    return TRUE;
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::vector<HWND> all = dlg::controlsInOrder(hDlg);
    int n = (int)all.size();
    int start = -1;
    // A control's inner window (a combo box's edit) stands for the control.
    for (HWND c = hCtl; c && c != hDlg && start < 0; c = GetParent(c)) {
        auto it = std::find(all.begin(), all.end(), c);
        if (it != all.end()) start = (int)(it - all.begin());
    }
    if (start < 0) {
        for (int k = 0; k < n; ++k) {
            HWND c = all[(size_t)(bPrevious ? n - 1 - k : k)];
            if (dlg::isTabStop(c)) return c;
        }
        return nullptr;
    }
    for (int k = 1; k < n; ++k) {
        HWND c = all[(size_t)((bPrevious ? start - k + n : start + k) % n)];
        if (dlg::isTabStop(c)) return c;
    }
    return hCtl;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!hCtl || !IsChild(hDlg, hCtl)) return GetNextDlgTabItem(hDlg, nullptr, FALSE);
    std::vector<HWND> siblings;
    for (HWND c = GetWindow(GetParent(hCtl), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) siblings.push_back(c);
    int n = (int)siblings.size();
    int at = (int)(std::find(siblings.begin(), siblings.end(), hCtl) - siblings.begin());
    if (at >= n) return hCtl;
    // A group runs from a WS_GROUP control up to the next one.
    int first = at;
    while (first > 0 && !(dlg::styleOf(siblings[(size_t)first]) & WS_GROUP)) --first;
    int end = at + 1;
    while (end < n && !(dlg::styleOf(siblings[(size_t)end]) & WS_GROUP)) ++end;
    int size = end - first;
    for (int k = 1; k < size; ++k) {
        int i = first + ((at - first) + (bPrevious ? size - k : k)) % size;
        if (dlg::usable(siblings[(size_t)i])) return siblings[(size_t)i];
    }
    return hCtl;
}
