// The standard scroll bars of windows with WS_VSCROLL / WS_HSCROLL: drawn in
// the area the window manager reserves for them and operated with the pen.
//
// Set-up: registerScrollBars() once at start-up (idempotent, and again after
// device::windowSystemReset() is harmless). It installs the bars as the
// default non-client painter of every window.
//
// Operation: DefWindowProcW hands WM_NCLBUTTONDOWN / WM_NCLBUTTONDBLCLK on a
// bar to the painter, so every window that leaves those messages to
// DefWindowProcW scrolls by pen. A procedure that wants the press first (the
// drop-down list of a combo box) calls scrollBarMessage() itself. When the
// pen went down on one of the window's bars, the bar is operated until the
// pen is lifted (the call returns true); the window receives, like on the
// device:
//   - arrows: WM_VSCROLL / WM_HSCROLL SB_LINEUP / SB_LINEDOWN at once, then
//     again every kScrollRepeatMs after kScrollFirstDelayMs while the pen
//     stays on the arrow;
//   - the track beside the thumb: SB_PAGEUP / SB_PAGEDOWN, repeated the same
//     way until the thumb reaches the pen;
//   - the thumb: SB_THUMBTRACK with the position under the pen each time it
//     changes (GetScrollInfo SIF_TRACKPOS gives it too), and SB_THUMBPOSITION
//     with the final position when the pen lifts;
//   - SB_ENDSCROLL when the pen lifts.
// The window moves its contents and calls SetScrollInfo itself. The scroll
// position goes in HIWORD(wParam) for the thumb codes; lParam is 0.
#pragma once

#include "windef.h"
#include "winuser.h"

namespace device {

constexpr unsigned kScrollFirstDelayMs = 300;
constexpr unsigned kScrollRepeatMs = 60;
// The timer id the bar uses on the window while an arrow or the track is held.
constexpr UINT_PTR kScrollTimerId = 0xFFFFFF5C;

void registerScrollBars();

// True when `msg` was the pen on one of hwnd's scroll bars and the bar has
// been operated (the pen has been lifted again when it returns).
bool scrollBarMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The parts of a bar, for painting, hit testing and tests.
enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };
struct ScrollBarLayout {
    RECT bar{};        // whole bar, window coordinates
    RECT lineUp{};     // up / left arrow
    RECT lineDown{};   // down / right arrow
    RECT track{};      // between the arrows
    RECT thumb{};      // empty when the bar is disabled or too short
    bool enabled = false;
};
// The layout of hwnd's bar (SB_VERT or SB_HORZ) with the thumb at `pos`.
ScrollBarLayout scrollBarLayout(HWND hwnd, int bar, int pos);
// The layout with the thumb where it is shown now (the tracked position while
// the pen drags it).
ScrollBarLayout scrollBarLayout(HWND hwnd, int bar);
// The part under a point in window coordinates.
ScrollPart scrollBarPartAt(const ScrollBarLayout& layout, POINT windowPt, bool vertical);

}  // namespace device
