// The shell's menu costs the program pays often: building its menu bar's
// menu from the resource (at start-up and after every WM_HIBERNATE), the
// dozen EnableMenuItem-by-command calls of each menu update, and opening and
// closing a popup (layout, windows, painting) as a tap-and-hold does.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/shell/shell_system.h"
#include "platform/system/resource_table.h"
#include "platform/window/headless_host.h"
#include "platform/window/input.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

// A menu the size of the program's: three popups with about sixty items in
// all, two levels of submenus.
const device::MenuTemplate& programSizedMenu() {
    static const device::MenuTemplate m = [] {
        device::MenuTemplate t;
        UINT id = 40001;
        for (int p = 0; p < 3; ++p) {
            device::MenuItemTemplate popup(0, u"&Popup", MF_POPUP);
            for (int i = 0; i < 12; ++i) popup.items.emplace_back(id++, u"Some &command...", i % 3 ? 0u : MF_GRAYED);
            popup.items.emplace_back(0, nullptr, MF_SEPARATOR);
            device::MenuItemTemplate sub(0, u"&Submenu", MF_POPUP);
            for (int i = 0; i < 8; ++i) sub.items.emplace_back(id++, u"Size", 0u);
            popup.items.push_back(sub);
            t.items.push_back(popup);
        }
        return t;
    }();
    return m;
}

void BM_loadMenu(benchmark::State& state) {
    device::resourceRegister(device::kResMenu, 900, &programSizedMenu(), 0);
    for (auto _ : state) {
        HMENU m = LoadMenuW(nullptr, MAKEINTRESOURCEW(900));
        benchmark::DoNotOptimize(m);
        DestroyMenu(m);
    }
}
BENCHMARK(BM_loadMenu);

void BM_menuUpdateByCommand(benchmark::State& state) {
    device::resourceRegister(device::kResMenu, 900, &programSizedMenu(), 0);
    HMENU m = LoadMenuW(nullptr, MAKEINTRESOURCEW(900));
    const UINT ids[12] = {40057, 40039, 40040, 40041, 40042, 40085, 40086, 40031, 40028, 40023, 40024, 40044};
    for (auto _ : state) {
        for (UINT id : ids) benchmark::DoNotOptimize(EnableMenuItem(m, id, MF_BYCOMMAND | MF_GRAYED));
        for (UINT id : ids) benchmark::DoNotOptimize(EnableMenuItem(m, id, MF_BYCOMMAND | MF_ENABLED));
    }
    DestroyMenu(m);
}
BENCHMARK(BM_menuUpdateByCommand);

LRESULT CALLBACK plainProc(HWND h, UINT msg, WPARAM w, LPARAM l) { return DefWindowProcW(h, msg, w, l); }

void BM_popupOpenAndDismiss(benchmark::State& state) {
    device::windowSystemReset();
    device::shellReset();
    device::useHeadlessHost();
    WNDCLASSW wc{};
    wc.lpfnWndProc = plainProc;
    wc.lpszClassName = u"benchowner";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(0, u"benchowner", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr,
                                 nullptr, nullptr);
    device::resourceRegister(device::kResMenu, 900, &programSizedMenu(), 0);
    HMENU m = LoadMenuW(nullptr, MAKEINTRESOURCEW(900));
    bool pressed = false;
    device::headlessHost().setIdleDriver([&] {
        if (pressed) return false;
        pressed = true;
        device::keyDown(VK_ESCAPE);
        device::keyUp(VK_ESCAPE);
        return true;
    });
    for (auto _ : state) {
        pressed = false;
        benchmark::DoNotOptimize(TrackPopupMenuEx(GetSubMenu(m, 0), TPM_RETURNCMD, 20, 60, owner, nullptr));
    }
    device::headlessHost().setIdleDriver({});
    DestroyMenu(m);
    device::windowSystemReset();
}
BENCHMARK(BM_popupOpenAndDismiss);

}  // namespace
