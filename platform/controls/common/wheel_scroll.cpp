// Wheel notches as line scrolls.
#include "platform/controls/common/wheel_scroll.h"

#include "winuser.h"

namespace device {

LRESULT wheelScrollLines(HWND hwnd, WPARAM wParam) {
    int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    // Away from the person (a positive delta) shows what is above.
    WPARAM code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
    int lines = (notches < 0 ? -notches : notches) * kWheelLinesPerNotch;
    for (int i = 0; i < lines && IsWindow(hwnd); ++i) SendMessageW(hwnd, WM_VSCROLL, code, 0);
    return 0;
}

}  // namespace device
