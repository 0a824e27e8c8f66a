// The "SIPPREF" control: an invisible child of a dialog that raises the input
// panel while one of the dialog's edit controls has the focus and lowers it
// when the focus moves to another control of the dialog. It listens to its
// parent's edit notifications by subclassing the parent, and gives the
// parent its own procedure back when it goes.
#include <map>

#include "platform/shell/input_panel.h"
#include "platform/shell/shell_internal.h"
#include "platform/shell/shell_system.h"
#include "windows.h"

namespace shell {
namespace {

constexpr UINT kRecheck = WM_USER + 1;
constexpr WORD kEnSetFocus = 0x0100;   // EN_SETFOCUS
constexpr WORD kEnKillFocus = 0x0200;  // EN_KILLFOCUS

struct Hook {
    WNDPROC previous = nullptr;
    HWND control = nullptr;
};

std::map<HWND, Hook>& hooks() {
    static std::map<HWND, Hook> m;
    return m;
}

bool isEdit(HWND hwnd) {
    WCHAR name[16] = {};
    if (!hwnd || !GetClassNameW(hwnd, name, 16)) return false;
    std::u16string n = name;
    for (char16_t& c : n) c = (c >= u'A' && c <= u'Z') ? (char16_t)(c + 32) : c;
    return n == u"edit";
}

LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto it = hooks().find(hwnd);
    if (it == hooks().end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
    Hook hook = it->second;
    if (msg == WM_COMMAND && isEdit((HWND)lParam)) {
        if (HIWORD(wParam) == kEnSetFocus) sipShow(true);
        else if (HIWORD(wParam) == kEnKillFocus) PostMessageW(hook.control, kRecheck, 0, 0);
    }
    return CallWindowProcW(hook.previous, hwnd, msg, wParam, lParam);
}

void unhook(HWND control) {
    for (auto it = hooks().begin(); it != hooks().end(); ++it) {
        if (it->second.control != control) continue;
        HWND parent = it->first;
        if (IsWindow(parent) && (WNDPROC)GetWindowLongW(parent, GWL_WNDPROC) == parentProc)
            SetWindowLongW(parent, GWL_WNDPROC, (LONG_PTR)it->second.previous);
        hooks().erase(it);
        return;
    }
}

LRESULT CALLBACK sipPrefProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: {
            HWND parent = GetParent(hwnd);
            if (parent && !hooks().count(parent)) {
                Hook h;
                h.control = hwnd;
                h.previous = (WNDPROC)GetWindowLongW(parent, GWL_WNDPROC);
                hooks()[parent] = h;
                SetWindowLongW(parent, GWL_WNDPROC, (LONG_PTR)parentProc);
            }
            return 0;
        }
        case kRecheck: {
            // The focus has settled: down when it went to another control of
            // the dialog; left alone when it went elsewhere (that window decides).
            HWND parent = GetParent(hwnd);
            HWND focus = GetFocus();
            if (parent && focus && IsChild(parent, focus) && !isEdit(focus)) sipShow(false);
            return 0;
        }
        case WM_DESTROY: unhook(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void registerSipPrefClass() {
    WNDCLASSW wc{};
    if (GetClassInfoW(nullptr, WC_SIPPREF, &wc)) return;
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = sipPrefProc;
    wc.lpszClassName = WC_SIPPREF;
    RegisterClassW(&wc);
}

}  // namespace shell

BOOL WINAPI SHInitExtraControls() {
    device::registerShellClasses();
    return TRUE;
}
