// Accelerator tables: a key pressed with exactly the modifiers of an entry
// becomes WM_COMMAND (HIWORD 1) to the window. A command the window's menu
// bar shows disabled (a grayed menu item or a disabled picture button) takes
// the key and does nothing, so a key never does what the menu would refuse.
#include <cstddef>

#include "aygshell.h"
#include "platform/system/resource_table.h"
#include "windows.h"

namespace {

struct Table {
    const ACCEL* entries;
    size_t count;
};

bool held(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// Whether the menu bar of `hwnd` offers the command disabled.
bool commandDisabled(HWND hwnd, WORD cmd) {
    HWND bar = SHFindMenuBar(hwnd);
    if (!bar) return false;
    if (SendMessageW(bar, TB_GETSTATE, cmd, 0) != -1) return !SendMessageW(bar, TB_ISBUTTONENABLED, cmd, 0);
    HMENU menu = (HMENU)SendMessageW(bar, SHCMBM_GETMENU, 0, 0);
    UINT state = menu ? GetMenuState(menu, cmd, MF_BYCOMMAND) : (UINT)-1;
    return state != (UINT)-1 && (state & (MF_GRAYED | MF_DISABLED));
}

}  // namespace

HACCEL WINAPI LoadAcceleratorsW(HINSTANCE, LPCWSTR name) {
    // Tables are registered by number, as every resource here.
    const device::Resource* r =
        name && IS_INTRESOURCE(name) ? device::resourceFind(device::kResAccelerator, (int)(ULONG_PTR)name) : nullptr;
    if (!r || !r->data || r->size < sizeof(ACCEL)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    // The handle is the registered resource, which lives for the process.
    return (HACCEL)r;
}

int WINAPI TranslateAcceleratorW(HWND hwnd, HACCEL accel, LPMSG msg) {
    if (!accel || !msg || !IsWindow(hwnd)) return 0;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return 0;
    const auto* r = (const device::Resource*)accel;
    Table t{(const ACCEL*)r->data, r->size / sizeof(ACCEL)};
    BYTE mods = (BYTE)((held(VK_SHIFT) ? FSHIFT : 0) | (held(VK_CONTROL) ? FCONTROL : 0) | (held(VK_MENU) ? FALT : 0));
    for (size_t i = 0; i < t.count; ++i) {
        const ACCEL& a = t.entries[i];
        // Only virtual-key entries: the program's tables name keys, not characters.
        if (!(a.fVirt & FVIRTKEY) || a.key != (WORD)msg->wParam) continue;
        if ((a.fVirt & (FSHIFT | FCONTROL | FALT)) != mods) continue;
        if (!commandDisabled(hwnd, a.cmd)) SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}
