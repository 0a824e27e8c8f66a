// The dialog class: its window procedure DefDlgProcW, which asks the
// dialog procedure first and does the default work for what that leaves,
// the per-dialog records, EndDialog, and the focus and default-button rules.
#include <map>
#include <memory>

#include "platform/dialogs/dialog_internal.h"
#include "platform/dialogs/dialog_state.h"

namespace dlg {
namespace {

// Handles are never reused, so a record keyed by a handle can't be picked up
// by a later window; records leave at WM_NCDESTROY.
std::map<HWND, std::unique_ptr<DialogInfo>>& records() {
    static std::map<HWND, std::unique_ptr<DialogInfo>> r;
    return r;
}

bool hasDialogExtra(HWND hwnd) { return GetClassLongW(hwnd, GCL_CBWNDEXTRA) >= DLGWINDOWEXTRA; }

DLGPROC dialogProcOf(HWND hwnd) {
    return hasDialogExtra(hwnd) ? (DLGPROC)GetWindowLongW(hwnd, DWL_DLGPROC) : nullptr;
}

bool isPushButton(UINT code) { return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

void saveFocus(HWND dialog) {
    DialogInfo* d = info(dialog);
    HWND f = GetFocus();
    if (d && f && IsChild(dialog, f)) d->savedFocus = f;
}

// Activation gives the focus back to the control that had it; a dialog that
// gets the focus itself passes it on to that control or the first tab stop.
void restoreFocus(HWND dialog, bool justActivated) {
    DialogInfo* d = info(dialog);
    if (!d || d->ended) return;
    HWND saved = d->savedFocus;
    d->savedFocus = nullptr;
    if (saved && IsWindow(saved) && IsChild(dialog, saved)) {
        if (justActivated) SetFocus(saved);
        else focusControl(dialog, saved);
        return;
    }
    if (justActivated) return;
    if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE)) focusControl(dialog, first);
}

LRESULT onEraseBackground(HWND dialog, HDC dc) {
    HBRUSH brush = (HBRUSH)SendMessageW(dialog, WM_CTLCOLORDLG, (WPARAM)dc, (LPARAM)dialog);
    if (!brush) brush = (HBRUSH)DefWindowProcW(dialog, WM_CTLCOLORDLG, (WPARAM)dc, (LPARAM)dialog);
    RECT rc;
    GetClientRect(dialog, &rc);
    FillRect(dc, &rc, brush);
    return TRUE;
}

LRESULT onSetDefId(HWND dialog, WPARAM id) {
    DialogInfo* d = info(dialog);
    if (!d || d->ended) return FALSE;
    d->defId = (int)id;
    HWND f = GetFocus();
    showDefaultButton(dialog, f && IsChild(dialog, f) ? f : nullptr);
    return TRUE;
}

LRESULT onGetDefId(HWND dialog) {
    DialogInfo* d = info(dialog);
    if (!d || d->ended) return 0;
    if (d->defId) return MAKELRESULT(d->defId, DC_HASDEFID);
    for (HWND c : controlsInOrder(dialog)) {
        if (dlgCode(c) & DLGC_DEFPUSHBUTTON) return MAKELRESULT(GetDlgCtrlID(c), DC_HASDEFID);
    }
    return 0;
}

LRESULT onNextDlgCtl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND dest = nullptr;
    if (LOWORD(lParam)) {
        dest = (HWND)wParam;
    } else {
        HWND f = GetFocus();
        dest = GetNextDlgTabItem(dialog, f && IsChild(dialog, f) ? f : nullptr, wParam != 0);
    }
    if (dest && IsWindow(dest) && IsChild(dialog, dest)) focusControl(dialog, dest);
    return 0;
}

LRESULT onClose(HWND dialog) {
    // Closing is cancelling, unless the dialog's own Cancel is disabled.
    HWND cancel = findControl(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) return 0;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, kBnClicked), (LPARAM)cancel);
    return 0;
}

// Messages whose answer is the dialog procedure's own return value rather
// than DWL_MSGRESULT.
bool answersDirectly(UINT msg) {
    return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM ||
           msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_INITDIALOG;
}

// The default work for what the dialog procedure left.
LRESULT defaultProcessing(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, bool& answered) {
    answered = true;
    switch (msg) {
        case WM_ERASEBKGND: return onEraseBackground(dialog, (HDC)wParam);
        case WM_SHOWWINDOW: if (!wParam) saveFocus(dialog); return DefWindowProcW(dialog, msg, wParam, lParam);
        case WM_ACTIVATE: if (LOWORD(wParam) != WA_INACTIVE) restoreFocus(dialog, true); else saveFocus(dialog); return 0;
        case WM_SETFOCUS: restoreFocus(dialog, false); return 0;
        case DM_SETDEFID: return onSetDefId(dialog, wParam);
        case DM_GETDEFID: return onGetDefId(dialog);
        case WM_NEXTDLGCTL: return onNextDlgCtl(dialog, wParam, lParam);
        case WM_GETFONT: return info(dialog) ? (LRESULT)info(dialog)->font : 0;
        case WM_CLOSE: return onClose(dialog);
        case WM_INITDIALOG:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM: answered = false; return 0;
        default: return DefWindowProcW(dialog, msg, wParam, lParam);
    }
}

}  // namespace

DialogInfo* info(HWND hwnd) {
    auto it = records().find(hwnd);
    return it == records().end() ? nullptr : it->second.get();
}

DialogInfo& attachInfo(HWND hwnd) {
    auto& slot = records()[hwnd];
    if (!slot) slot = std::make_unique<DialogInfo>();
    return *slot;
}

void detachInfo(HWND hwnd) {
    auto it = records().find(hwnd);
    if (it == records().end()) return;
    std::unique_ptr<DialogInfo> d = std::move(it->second);
    records().erase(it);
    if (d->ownsFont && d->font) DeleteObject(d->font);
}

UINT dlgCode(HWND ctrl, WPARAM wParam, LPARAM lParam) {
    return ctrl && IsWindow(ctrl) ? (UINT)SendMessageW(ctrl, WM_GETDLGCODE, wParam, lParam) : 0;
}

namespace {
void collectControls(HWND parent, std::vector<HWND>& out) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        out.push_back(c);
        DWORD style = (DWORD)GetWindowLongW(c, GWL_STYLE);
        DWORD ex = (DWORD)GetWindowLongW(c, GWL_EXSTYLE);
        if ((ex & WS_EX_CONTROLPARENT) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) collectControls(c, out);
    }
}
}  // namespace

std::vector<HWND> controlsInOrder(HWND dialog) {
    std::vector<HWND> out;
    if (IsWindow(dialog)) collectControls(dialog, out);
    return out;
}

HWND findControl(HWND dialog, int id) {
    for (HWND c : controlsInOrder(dialog)) {
        if (GetDlgCtrlID(c) == id) return c;
    }
    return nullptr;
}

void focusControl(HWND dialog, HWND ctrl) {
    if (dlgCode(ctrl) & DLGC_HASSETSEL) SendMessageW(ctrl, kEmSetSel, 0, -1);
    SetFocus(ctrl);
    showDefaultButton(dialog, ctrl);
}

void showDefaultButton(HWND dialog, HWND focus) {
    DialogInfo* d = info(dialog);
    if (!d) return;
    HWND target = nullptr;
    if (focus && isPushButton(dlgCode(focus))) target = focus;
    else if (d->defId) target = findControl(dialog, d->defId);
    for (HWND c : controlsInOrder(dialog)) {
        if (c != target && (dlgCode(c) & DLGC_DEFPUSHBUTTON)) SendMessageW(c, kBmSetStyle, kBsPushButton, TRUE);
    }
    if (target && (dlgCode(target) & DLGC_UNDEFPUSHBUTTON)) SendMessageW(target, kBmSetStyle, kBsDefPushButton, TRUE);
}

}  // namespace dlg

namespace device {

void registerDialogClass() {
    DWORD saved = GetLastError();
    WNDCLASSW wc{};
    if (!GetClassInfoW(nullptr, WC_DIALOG, &wc)) {
        wc = WNDCLASSW{};
        wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
        wc.lpfnWndProc = DefDlgProcW;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.lpszClassName = WC_DIALOG;
        RegisterClassW(&wc);
    }
    SetLastError(saved);
}

bool isDialogWindow(HWND hwnd) { return dlg::info(hwnd) != nullptr; }

SIZE dialogBaseUnits(HWND dialog) {
    dlg::DialogInfo* d = dlg::info(dialog);
    return d ? d->base : SIZE{0, 0};
}

}  // namespace device

namespace dlg {
namespace {

LRESULT dialogProcedure(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    bool dialogSlots = hasDialogExtra(hDlg);
    if (dialogSlots) SetWindowLongW(hDlg, DWL_MSGRESULT, 0);
    INT_PTR handled = 0;
    if (DLGPROC proc = dialogProcOf(hDlg)) handled = CallWindowProcW(proc, hDlg, Msg, wParam, lParam);
    if (!handled && IsWindow(hDlg)) {
        bool answered = false;
        LRESULT r = defaultProcessing(hDlg, Msg, wParam, lParam, answered);
        if (answered) return r;
    }
    if (answersDirectly(Msg)) return handled;
    return dialogSlots && IsWindow(hDlg) ? GetWindowLongW(hDlg, DWL_MSGRESULT) : 0;
}

}  // namespace
}  // namespace dlg

LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hDlg)) return 0;
    LRESULT r = dlg::dialogProcedure(hDlg, Msg, wParam, lParam);
    // The record and font go with the window, whatever the procedure answered.
    if (Msg == WM_NCDESTROY) dlg::detachInfo(hDlg);
    return r;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    dlg::DialogInfo* d = dlg::info(hDlg);
    if (!d || !IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    d->ended = true;
    d->result = nResult;
    if (dlg::ModalState* m = d->modal) {
        m->done = true;
        m->result = nResult;
        // The owner comes back before the dialog hides, so the activation
        // passes straight to it and to no other window in between.
        if (m->ownerDisabled && IsWindow(m->owner)) EnableWindow(m->owner, TRUE);
    }
    SetWindowPos(hDlg, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    PostMessageW(hDlg, WM_NULL, 0, 0);  // wakes a loop that waits for input
    return TRUE;
}
