// Placing the windows again on a screen of a new size.
#include "platform/shell/screen_follow.h"

#include <algorithm>
#include <vector>

#include "aygshell.h"
#include "platform/shell/input_panel.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "platform/window/wm_internal.h"

namespace device {
namespace {

struct Placed {
    HWND hwnd;
    RECT rect;
};

// A window across the whole old screen keeps its top and stretches, unless it
// sits in the bottom half (a menu bar, the input panel), which keeps its
// height and stays on the bottom edge. A smaller window keeps its centre
// where it was relative to the screen's centre, and stays on the screen.
RECT followingRect(const RECT& r, int oldWidth, int oldHeight, int width, int height) {
    int dh = height - oldHeight;
    if (r.left <= 0 && r.right >= oldWidth) {
        if (r.top >= oldHeight / 2) return RECT{0, r.top + dh, width, r.bottom + dh};
        return RECT{0, r.top, width, std::max(r.top + 1, r.bottom + dh)};
    }
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = r.left + (width - oldWidth) / 2, y = r.top + dh / 2;
    x = std::clamp(x, 0, std::max(0, width - w));
    y = std::clamp(y, navBarHeight(), std::max(navBarHeight(), height - h));
    return RECT{x, y, x + w, y + h};
}

}  // namespace

int smallestScreenSide() { return 240 * screenConfig().scale; }

bool screenFollowSize(int width, int height) {
    const int smallest = smallestScreenSide();
    width = std::max(width, smallest);
    height = std::max(height, smallest);
    const ScreenConfig& c = screenConfig();
    const int oldWidth = c.width, oldHeight = c.height;
    if (width == oldWidth && height == oldHeight) return false;
    std::vector<Placed> tops;
    for (wm::Window* w : wm::allWindows()) {
        if (!w->destroyed && wm::isTopLevel(w) && w->hwnd != navBarWindow()) tops.push_back({w->hwnd, w->rect});
    }
    screenResize(width, height);
    for (const Placed& p : tops) {
        if (!IsWindow(p.hwnd)) continue;
        RECT r = followingRect(p.rect, oldWidth, oldHeight, width, height);
        if (p.hwnd == shell::sipWindow()) r = shell::sipPanelRect();
        if (!EqualRect(&r, &p.rect))
            SetWindowPos(p.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (shell::sipIsOn()) screenSetSipHeight(height - shell::sipPanelRect().top);
    for (const Placed& p : tops) {
        if (IsWindow(p.hwnd) && !(GetWindowLongW(p.hwnd, GWL_STYLE) & WS_CHILD))
            SendMessageW(p.hwnd, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
    }
    return true;
}

}  // namespace device
