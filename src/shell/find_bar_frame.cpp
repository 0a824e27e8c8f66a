// The find bar paints its own background (its class has no brush), in the
// find bar colour hbrFindBar.
#include "shell/find_bar_frame.h"

#include "shell/app_state.h"

LRESULT CALLBACK findBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND && hbrFindBar) {
        RECT rc{};
        GetClientRect(hwnd, &rc);
        FillRect((HDC)wParam, &rc, hbrFindBar);
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
