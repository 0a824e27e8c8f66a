// Shell services for hosts and tests: class registration, the low-memory
// message, and the reset between test cases.
#include "platform/shell/shell_system.h"

#include <string>
#include <vector>

#include "platform/shell/input_panel.h"
#include "platform/shell/shell_internal.h"
#include "platform/window/wm_internal.h"
#include "windows.h"

namespace shell {

bool isShellWindow(HWND hwnd) {
    WCHAR name[32] = {};
    if (!GetClassNameW(hwnd, name, 32)) return false;
    std::u16string n = name;
    return n == u"menu_worker" || n == u"menu_tooltip" || n == u"SipWndClass" || n == u"#32768" ||
           n == u"shell_gesture";
}

}  // namespace shell

namespace device {

void registerShellClasses() { shell::registerSipPrefClass(); }

void sendHibernate() {
    std::vector<HWND> tops;
    for (wm::Window* w = wm::desktop()->firstChild; w; w = w->next) {
        if (!w->platformOwned && !shell::isShellWindow(w->hwnd)) tops.push_back(w->hwnd);
    }
    for (HWND h : tops) PostMessageW(h, WM_HIBERNATE, 0, 0);
}

void shellReset() {
    shell::sipResetState();
    shell::gestureReset();
    shell::popupWalkReset();
    shell::dialogRecordsReset();
    registerShellClasses();
}

}  // namespace device
