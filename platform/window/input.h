// Pen and keyboard input as the hosts inject it. Each call queues one raw
// event; the window manager routes it when the message loop reaches it:
// pen events go to the capture window or the window under the pen (client
// coordinates, MK_LBUTTON while the pen is down; a second tap on a CS_DBLCLKS
// window within the double-click time and distance becomes
// WM_LBUTTONDBLCLK), key events to the focus window (else the active window).
// A pen down on a disabled window does nothing; a pen down on a top-level
// window that is not active activates it (WA_CLICKACTIVE).
#pragma once

#include <cstdint>

#include "windef.h"

namespace device {

// Screen coordinates.
void penDown(int x, int y);
void penMove(int x, int y);
void penUp(int x, int y);
// Virtual keys (VK_*): WM_KEYDOWN / WM_KEYUP; TranslateMessage makes WM_CHAR.
void keyDown(unsigned vk);
void keyUp(unsigned vk);
// A typed character (input panel, text in scripts): WM_CHAR only.
void typeChar(char16_t ch);
// The wheel turned by `notches` (positive: away from the person) with the
// pointer at (x, y): WM_MOUSEWHEEL to the window under the pointer, whose
// DefWindowProcW passes it on to its parent.
void wheel(int x, int y, int notches);

// The last pen down as routed, for tap-and-hold recognition.
struct PenDownInfo {
    bool down = false;        // the pen is still down
    POINT screenPt{0, 0};     // where it went down
    uint64_t timeMs = 0;      // device clock at the pen down
    HWND target = nullptr;    // the window that got WM_LBUTTONDOWN
};
PenDownInfo lastPenDown();
// The pen down being handled, which closed a drop-down, goes on to the window
// now under the pen, unless that is `spent` (the box that dropped the list)
// or one of its children.
void passPenDownOn(HWND spent);

}  // namespace device
