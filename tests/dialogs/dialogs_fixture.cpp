#include "dialogs_fixture.h"

#include <cstdlib>

#include "platform/gdi/png_io.h"
#include "platform/host/register_controls.h"
#include "platform/system/resource_table.h"
#include "platform/window/headless_host.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "resources/program_resources.h"
#include "shell/app_reset.h"
#include "state/app_state.h"
#include "support/temp_folder.h"

namespace dlgs {

bool Steps::operator()() {
    if (next >= list.size()) return false;
    list[next++]();
    return true;
}

namespace {

LRESULT CALLBACK ownerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void setScale(bool hires) {
    bHiRes = hires ? 1 : 0;
    intScale = hires ? 2 : 1;
    intUnit = hires ? 4 : 2;
}

}  // namespace

void DialogsTest::SetUp() {
    device::windowSystemReset();
    device::screenConfigure(false);
    device::useHeadlessHost();
    device::headlessHost().setIdleDriver({});
    device::registerDeviceClasses();
    registerProgramResources();
    resetAppState();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ownerProc;
    wc.lpszClassName = u"testowner";
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RegisterClassW(&wc);
}

void DialogsTest::TearDown() {
    EXPECT_TRUE(device::windowTreeConsistent());
    device::headlessHost().setIdleDriver({});
    device::windowSystemReset();
    device::screenConfigure(false);
    resetAppState();
}

void DialogsTest::useHiRes() {
    device::windowSystemReset();
    device::screenConfigure(true);
    device::registerDeviceClasses();
    setScale(true);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ownerProc;
    wc.lpszClassName = u"testowner";
    RegisterClassW(&wc);
}

void DialogsTest::play(Steps& steps) { device::headlessHost().setIdleDriver(std::ref(steps)); }

HWND DialogsTest::makeOwner() {
    RECT work = device::screenWorkArea();
    HWND owner = CreateWindowExW(0, u"testowner", u"Owner", WS_POPUP | WS_VISIBLE, work.left, work.top,
                                 work.right - work.left, work.bottom - work.top, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(owner);
    UpdateWindow(owner);
    return owner;
}

HWND activeDialog() { return GetActiveWindow(); }

void tap(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    int x = (rc.left + rc.right) / 2;
    int y = (rc.top + rc.bottom) / 2;
    device::penDown(x, y);
    device::penUp(x, y);
}

void press(unsigned vk) {
    device::keyDown(vk);
    device::keyUp(vk);
}

std::u16string textOf(HWND hwnd) {
    WCHAR buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

RECT rectInParent(HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    POINT a = {rc.left, rc.top};
    POINT b = {rc.right, rc.bottom};
    ScreenToClient(GetParent(child), &a);
    ScreenToClient(GetParent(child), &b);
    return RECT{a.x, a.y, b.x, b.y};
}

COLORREF screenPixel(int x, int y) {
    const gdi::Surface& s = device::screenSurface();
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return 0xFFFFFFFF;
    return gdi::colorrefFromPixel(s.row(y)[x]);
}

POINT toScreen(HWND hwnd, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

std::string shot(const std::string& name) {
    std::string path = testsupport::shotFolder() + "/" + name + ".png";
    gdi::writePng(device::screenSurface(), path);
    return path;
}

}  // namespace dlgs
