// Frame, placement and input panel of the list-name and password dialogs.
#include "dialogs/dialog_frame.h"

#include "dialogs/dialog_look.h"
#include "state/app_state.h"

void useProgramFrame(HWND dialog) {
    if (!dialog) return;
    RECT before;
    GetClientRect(dialog, &before);
    LONG_PTR style = GetWindowLongW(dialog, GWL_STYLE);
    style &= ~LONG_PTR(WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME);
    SetWindowLongW(dialog, GWL_STYLE, style);
    LONG_PTR exStyle = GetWindowLongW(dialog, GWL_EXSTYLE);
    SetWindowLongW(dialog, GWL_EXSTYLE, exStyle & ~LONG_PTR(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    // Without the caption the client area would grow by its height; the
    // controls were laid out for the template's client area.
    RECT after, window;
    GetClientRect(dialog, &after);
    GetWindowRect(dialog, &window);
    int width = (window.right - window.left) - (after.right - before.right);
    int height = (window.bottom - window.top) - (after.bottom - before.bottom);
    SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    applyRoundedShape(dialog);
}

void placeAboveInputPanel(HWND dialog) {
    if (!dialog) return;
    SIPINFO sip = {};
    sip.cbSize = sizeof sip;
    if (!SipGetInfo(&sip) || !(sip.fdwFlags & SIPF_ON)) return;
    RECT r;
    GetWindowRect(dialog, &r);
    int height = r.bottom - r.top;
    int top = r.top;
    if (r.bottom > sip.rcVisibleDesktop.bottom) top = sip.rcVisibleDesktop.bottom - height;
    if (top < sip.rcVisibleDesktop.top) top = sip.rcVisibleDesktop.top;
    if (top != r.top) SetWindowPos(dialog, nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void raiseInputPanelForText(HWND dialog) {
    if (bHasKeyboard == 0 || bKeyboardSip == 1) SHSipPreference(dialog, SIP_UP);
    placeAboveInputPanel(dialog);
}
