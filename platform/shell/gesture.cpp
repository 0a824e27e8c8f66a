// Tap-and-hold recognition. SHRecognizeGesture runs its own little message
// loop on the device clock: pen messages are looked at without being taken,
// so a lift or a move that ends the wait is still there for the caller;
// everything else is dispatched as usual. While waiting a ring of dots grows
// around the pen, as on the device.
#include <cmath>
#include <cstdlib>

#include "platform/gdi/region.h"
#include "platform/shell/shell_internal.h"
#include "platform/shell/shell_system.h"
#include "platform/system/device_clock.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/wm_internal.h"
#include "windows.h"

namespace shell {
namespace {

constexpr const char16_t* kGestureClass = u"shell_gesture";
constexpr UINT_PTR kTickTimer = 1;
constexpr int kDots = 8;

struct GestureState {
    bool holdPending = false;
    POINT holdPt{};
};

GestureState& gs() {
    static GestureState s;
    return s;
}

int sc() { return device::screenConfig().scale; }

RECT ringRect(POINT c) {
    int r = 12 * sc();
    return RECT{c.x - r, c.y - r, c.x + r + 1, c.y + r + 1};
}

void drawDot(POINT c, int i) {
    double a = (double)i * 2.0 * 3.14159265358979 / kDots - 3.14159265358979 / 2;
    int r = 10 * sc();
    int x = c.x + (int)std::lround(r * std::cos(a));
    int y = c.y + (int)std::lround(r * std::sin(a));
    HDC dc = GetDC(nullptr);
    int d = 2 * sc();
    RECT dot{x - d / 2, y - d / 2, x - d / 2 + d, y - d / 2 + d};
    FillRect(dc, &dot, GetSysColorBrush(COLOR_HIGHLIGHT));
    ReleaseDC(nullptr, dc);
}

void eraseRing(POINT c) { wm::exposeScreenArea(gdi::Region(ringRect(c))); }

LRESULT CALLBACK gestureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND makeTimerWindow() {
    WNDCLASSW wc{};
    if (!GetClassInfoW(nullptr, kGestureClass, &wc)) {
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = gestureProc;
        wc.lpszClassName = kGestureClass;
        RegisterClassW(&wc);
    }
    HWND h = CreateWindowExW(0, kGestureClass, u"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (wm::Window* w = wm::get(h)) w->noActivate = true;
    return h;
}

bool nearDown(POINT a, POINT b) {
    int tol = device::holdTolerance();
    return std::abs(a.x - b.x) <= tol && std::abs(a.y - b.y) <= tol;
}

// True when the pen stayed down near `pt` for the hold time.
bool waitForHold(POINT pt, bool longDelay, bool animate) {
    device::PenDownInfo pen = device::lastPenDown();
    if (!pen.down) return false;
    HWND timerWnd = makeTimerWindow();
    if (!timerWnd) return false;
    unsigned total = device::holdTimeMs(longDelay);
    uint64_t deadline = pen.timeMs + total;
    unsigned tick = (total + kDots - 1) / kDots;
    SetTimer(timerWnd, kTickTimer, tick, nullptr);
    bool held = false;
    int drawn = 0;
    for (;;) {
        MSG m;
        if (PeekMessageW(&m, nullptr, WM_MOUSEMOVE, WM_LBUTTONDBLCLK, PM_NOREMOVE)) {
            if (m.message == WM_MOUSEMOVE && nearDown(m.pt, pt)) {
                PeekMessageW(&m, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
                continue;
            }
            break;  // lifted, moved away, or a new tap: left for the caller
        }
        if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                PostQuitMessage((int)m.wParam);
                break;
            }
            if (m.message == WM_TIMER && m.hwnd == timerWnd) {
                if (device::clockNowMs() >= deadline) {
                    held = true;
                    break;
                }
                if (animate && drawn < kDots) drawDot(pt, drawn++);
                continue;
            }
            TranslateMessage(&m);
            DispatchMessageW(&m);
            continue;
        }
        WaitMessage();
    }
    DestroyWindow(timerWnd);
    if (drawn > 0) eraseRing(pt);
    return held;
}

}  // namespace
}  // namespace shell

namespace device {

unsigned holdTimeMs(bool longDelay) { return longDelay ? 1000 : 500; }
int holdTolerance() { return 6 * device::screenConfig().scale; }

void penHold(int x, int y) {
    shell::gs().holdPending = true;
    shell::gs().holdPt = POINT{x, y};
    penDown(x, y);
    penUp(x, y);
}



}  // namespace device

DWORD WINAPI SHRecognizeGesture(SHRGINFO* info) {
    // 20 bytes is the device's structure.
    if (!info || (info->cbSize != 20 && info->cbSize != sizeof(SHRGINFO)) || !IsWindow(info->hwndClient)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    POINT pt = info->ptDown;
    ClientToScreen(info->hwndClient, &pt);
    shell::GestureState& g = shell::gs();
    bool held;
    if (g.holdPending) {
        // The right button: a hold at the pen's position, with nothing to wait for.
        g.holdPending = false;
        held = shell::nearDown(device::lastPenDown().screenPt, g.holdPt);
    } else {
        held = shell::waitForHold(pt, (info->dwFlags & SHRG_LONGDELAY) != 0, !(info->dwFlags & SHRG_NOANIMATION));
    }
    if (!held) return 0;
    if (info->dwFlags & SHRG_RETURNCMD) return GN_CONTEXTMENU;
    HWND target = (info->dwFlags & SHRG_NOTIFYPARENT) ? GetParent(info->hwndClient) : info->hwndClient;
    if (!target) return 0;
    NMRGINFO nm{};
    nm.hdr.hwndFrom = info->hwndClient;
    nm.hdr.idFrom = (UINT_PTR)GetDlgCtrlID(info->hwndClient);
    nm.hdr.code = GN_CONTEXTMENU;
    nm.ptAction = pt;
    return (DWORD)SendMessageW(target, WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

namespace shell {
void gestureReset() { gs() = GestureState{}; }
}  // namespace shell
