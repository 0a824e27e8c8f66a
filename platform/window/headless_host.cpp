// The headless host.
#include "platform/window/headless_host.h"

#include <chrono>
#include <thread>

#include "platform/system/device_clock.h"

namespace device {

bool HeadlessHost::waitForInput(std::optional<uint64_t> timeoutMs) {
    if (driver_) return driver_();
    if (!timeoutMs) return false;
    if (clockIsVirtual()) {
        clockAdvance(*timeoutMs);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(*timeoutMs));
    }
    return true;
}

void HeadlessHost::present(const gdi::Surface&, const std::vector<RECT>&) { ++presents_; }

void HeadlessHost::quit(int exitCode) {
    quit_ = true;
    exitCode_ = exitCode;
}

void HeadlessHost::resetCounters() {
    presents_ = 0;
    quit_ = false;
    exitCode_ = 0;
}

HeadlessHost& headlessHost() {
    static HeadlessHost host;
    return host;
}

void useHeadlessHost() {
    setHost(&headlessHost());
    clockUseVirtual(true);
}

}  // namespace device
