// Window-manager services for the platform's own areas, the hosts and the
// tests (not part of the program's API).
#pragma once

#include "windef.h"
#include "winuser.h"

namespace device {

// Destroys every window, empties the message queue, kills every timer and
// forgets focus, capture, activation, cursor state and the classes that are
// not CS_GLOBALCLASS. Tests call it between cases.
void windowSystemReset();

// Checks every link of the window tree (parents, siblings, z-order bands);
// false when something is inconsistent. Debug builds assert it after each
// change to the tree.
bool windowTreeConsistent();

// A window whose non-client area (borders, scroll bars) is drawn and hit
// tested by someone else: the scroll bar code registers one for windows with
// WS_VSCROLL/WS_HSCROLL, and may register a global default.
struct NonClientPainter {
    virtual ~NonClientPainter() = default;
    // Draws the scroll bars (and anything else outside the client area).
    // `windowDC` has (0,0) at the window's top-left corner.
    virtual void paint(HWND hwnd, HDC windowDC) = 0;
    // A hit-test code for a screen point inside the window, or HTNOWHERE to
    // let the window manager decide.
    virtual LRESULT hitTest(HWND hwnd, POINT screenPt) = 0;
    // The pen went down (or down twice) on the non-client part `hit` at a
    // screen point: DefWindowProcW's WM_NCLBUTTONDOWN / WM_NCLBUTTONDBLCLK.
    // True when the painter handled it (a scroll bar operated until the pen
    // lifted); false leaves the press to the window manager.
    virtual bool penDown(HWND hwnd, LRESULT hit, POINT screenPt) {
        (void)hwnd, (void)hit, (void)screenPt;
        return false;
    }
};
// Per-window handler (nullptr removes it). Wins over the default.
void setNonClientPainter(HWND hwnd, NonClientPainter* painter);
// Handler for every window without one of its own (nullptr: the window
// manager's plain scroll bars).
void setDefaultNonClientPainter(NonClientPainter* painter);

// The rectangle of a window's scroll bar (SB_VERT or SB_HORZ) in window
// coordinates; empty when the bar is not shown.
RECT scrollBarRect(HWND hwnd, int bar);

// The navigation bar shows an "ok" button while this top-level window is in
// front; tapping it sends WM_COMMAND IDOK to the window (full-screen dialogs).
void setNavBarOkButton(HWND hwnd, bool show);
// The navigation bar's window (a platform window at the top of the screen).
HWND navBarWindow();

// Whether the wait cursor is on screen (SetCursor(IDC_WAIT) with a
// non-negative show count).
bool waitCursorShowing();
// Number of MessageBeep calls and the last type (for dumps and tests).
int beepCount();
UINT lastBeepType();

}  // namespace device
