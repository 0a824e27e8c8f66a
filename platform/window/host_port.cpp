// The idle step of the message loop and the drivers hosts and scripts use.
#include "platform/window/host_port.h"

#include "platform/system/device_clock.h"
#include "platform/window/headless_host.h"
#include "platform/window/screen.h"
#include "platform/window/wm_internal.h"
#include "platform/window/wm_queue.h"

namespace device {
namespace {
HostPort* host = nullptr;
}

void setHost(HostPort* h) { host = h; }

HostPort* currentHost() { return host ? host : &headlessHost(); }

static void present() {
    screenRedrawOverlay();
    if (!screenHasDirty()) return;
    std::vector<RECT> dirty = screenTakeDirty();
    currentHost()->present(screenSurface(), dirty);
}

void runUntilIdle() {
    wm::navBarTick();
    MSG m;
    // A window that posts to itself on every message would keep this busy
    // for ever; the bound only stops a runaway loop.
    for (long n = 0; n < 10'000'000 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (m.message == WM_QUIT) {
            PostQuitMessage((int)m.wParam);
            break;
        }
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    present();
}

void advanceClock(uint64_t ms) {
    runUntilIdle();
    if (!clockIsVirtual()) return;
    uint64_t end = clockNowMs() + ms;
    for (;;) {
        std::optional<uint64_t> next = wm::msUntilNextTimer();
        uint64_t now = clockNowMs();
        if (!next || now + *next > end) break;
        clockAdvance(*next);
        runUntilIdle();
    }
    uint64_t now = clockNowMs();
    if (end > now) clockAdvance(end - now);
    runUntilIdle();
}

}  // namespace device

namespace wm {

bool idleWait(HWND filter, UINT filterMin, UINT filterMax) {
    navBarTick();
    MSG m;
    if (PeekMessageW(&m, filter, filterMin, filterMax, PM_NOREMOVE)) return true;  // the clock moved something in
    device::present();
    return device::currentHost()->waitForInput(msUntilNextTimer());
}

}  // namespace wm
