// The headless host: no window, a virtual clock, and an optional idle driver
// (the script player, or a test) that decides what happens when the device
// has nothing to do.
//
// When the device is idle and waits for input:
//   - with an idle driver: the driver is called; it injects input, advances
//     the clock or posts messages and returns true, or returns false when it
//     has nothing more to do (the device then quits its loops);
//   - without one: if a timer is pending, the virtual clock jumps to it (time
//     passes while nobody touches the device); otherwise nothing can happen
//     any more and the device quits its loops.
// A driver that returns true without changing anything is called again at
// once: it must make progress.
#pragma once

#include <functional>

#include "platform/window/host_port.h"

namespace device {

class HeadlessHost : public HostPort {
public:
    bool waitForInput(std::optional<uint64_t> timeoutMs) override;
    void present(const gdi::Surface& screen, const std::vector<RECT>& dirty) override;
    void quit(int exitCode) override;

    void setIdleDriver(std::function<bool()> driver) { driver_ = std::move(driver); }
    int presentCount() const { return presents_; }
    bool quitCalled() const { return quit_; }
    int exitCode() const { return exitCode_; }
    void resetCounters();

private:
    std::function<bool()> driver_;
    int presents_ = 0;
    bool quit_ = false;
    int exitCode_ = 0;
};

// The process's headless host (installed unless another host is set).
HeadlessHost& headlessHost();
// Installs the headless host and switches to the virtual clock.
void useHeadlessHost();

}  // namespace device
