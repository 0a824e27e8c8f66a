// WM_DROPFILES and its drop handles.
#include "platform/shell/drop_files.h"

#include <algorithm>
#include <set>

#include "platform/system/device_fs.h"
#include "platform/window/wm_internal.h"
#include "windows.h"

namespace {

struct Drop {
    std::vector<std::u16string> paths;
};

// Handles are the records themselves, known here until DragFinish.
std::set<Drop*>& drops() {
    static std::set<Drop*> s;
    return s;
}

Drop* dropOf(HDROP h) {
    auto* d = reinterpret_cast<Drop*>(h);
    return drops().count(d) ? d : nullptr;
}

std::u16string fromUtf8(const std::string& s) {
    std::u16string out;
    int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), (int)s.size(), nullptr, 0);
    if (n <= 0) return out;
    out.resize((size_t)n);
    MultiByteToWideChar(CP_UTF8, 0, s.c_str(), (int)s.size(), out.data(), n);
    return out;
}

}  // namespace

namespace device {

bool dropFiles(int x, int y, const std::vector<std::string>& hostPaths) {
    if (hostPaths.empty()) return false;
    wm::Window* under = wm::windowAt(wm::desktop(), POINT{x, y});
    HWND target = under && under != wm::desktop() ? under->hwnd : nullptr;
    while (target && !(GetWindowLongW(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
        target = (GetWindowLongW(target, GWL_STYLE) & WS_CHILD) ? GetParent(target) : nullptr;
    if (!target) return false;
    auto* d = new Drop;
    for (const std::string& p : hostPaths) {
        std::u16string devicePath;
        d->paths.push_back(hostToDevice(p, devicePath) ? devicePath : fromUtf8(p));
    }
    drops().insert(d);
    if (!PostMessageW(target, WM_DROPFILES, (WPARAM)d, 0)) {
        drops().erase(d);
        delete d;
        return false;
    }
    return true;
}

}  // namespace device

VOID WINAPI DragAcceptFiles(HWND hwnd, BOOL accept) {
    if (!IsWindow(hwnd)) return;
    LONG_PTR ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
    SetWindowLongW(hwnd, GWL_EXSTYLE, accept ? (ex | WS_EX_ACCEPTFILES) : (ex & ~(LONG_PTR)WS_EX_ACCEPTFILES));
}

UINT WINAPI DragQueryFileW(HDROP h, UINT index, LPWSTR buffer, UINT cch) {
    Drop* d = dropOf(h);
    if (!d) return 0;
    if (index == 0xFFFFFFFF) return (UINT)d->paths.size();
    if (index >= d->paths.size()) return 0;
    const std::u16string& p = d->paths[index];
    if (!buffer) return (UINT)p.size();
    if (cch == 0) return 0;
    UINT n = std::min<UINT>((UINT)p.size(), cch - 1);
    std::copy(p.begin(), p.begin() + n, buffer);
    buffer[n] = 0;
    return n;
}

VOID WINAPI DragFinish(HDROP h) {
    if (Drop* d = dropOf(h)) {
        drops().erase(d);
        delete d;
    }
}
