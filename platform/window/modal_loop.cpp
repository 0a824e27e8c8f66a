// The shared modal loop.
#include "platform/window/modal_loop.h"

#include "platform/window/wm_internal.h"

namespace wm {
namespace {
int depth = 0;
}
int modalDepth() { return depth; }
}  // namespace wm

namespace device {

bool runModalLoop(HWND hwnd, HWND owner, const bool* done, const std::function<bool(MSG&)>& preTranslate) {
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ++wm::depth;
    bool quit = false;
    MSG m;
    while (!(done && *done) && IsWindow(hwnd)) {
        BOOL r = GetMessageW(&m, nullptr, 0, 0);
        if (r == 0) {
            PostQuitMessage((int)m.wParam);  // the loops outside must see it too
            quit = true;
            break;
        }
        if (r < 0) break;
        if (preTranslate && preTranslate(m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    --wm::depth;
    if (ownerWasEnabled && IsWindow(owner)) {
        EnableWindow(owner, TRUE);
        // Activating the owner before the popup goes keeps another program's
        // window from coming to the front in between, as on the device.
        SetActiveWindow(owner);
    }
    return !quit;
}

}  // namespace device
