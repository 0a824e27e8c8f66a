// The host port: what a host (the SDL window for people, the headless host
// for tests and scripts) provides to the device, and the calls hosts and
// script players use to drive it.
//
// How the pieces meet: the program's message loop calls GetMessageW. When
// nothing is queued, no window needs painting and no timer is due, the
// device is idle; it then
//   1. lets the navigation bar refresh its clock,
//   2. hands the changed parts of the screen to HostPort::present,
//   3. calls HostPort::waitForInput with the time until the next timer.
// The host injects pen and key events (platform/window/input.h) while it
// waits, or returns when the timeout passed; GetMessageW then looks again.
//
// Implementing a host:
//   - waitForInput(timeout): block until input arrived (inject it with
//     device::penDown/keyDown/... before returning) or `timeout` ms passed
//     (std::nullopt: no timer, wait for input only). Return true to let the
//     device look again; return false only when no input can ever arrive
//     again: the device then posts WM_QUIT so every loop unwinds.
//     A host on the real clock just sleeps; the headless host on the virtual
//     clock advances the clock instead (see headless_host.h).
//   - present(screen, dirty): show the given rectangles of the framebuffer
//     (screen coordinates; the whole list may be empty).
//   - quit(exitCode): the outermost message loop received WM_QUIT.
// Everything runs on one thread: the host is called from inside
// GetMessageW and must not call back into the message loop itself, except
// through the injection functions and device::advanceClock.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <cstddef>

#include "platform/gdi/surface.h"
#include "windef.h"

namespace device {

class HostPort {
public:
    virtual ~HostPort() = default;
    virtual bool waitForInput(std::optional<uint64_t> timeoutMs) = 0;
    virtual void present(const gdi::Surface& screen, const std::vector<RECT>& dirty) = 0;
    virtual void quit(int exitCode) {}
};

// Installs the host (nullptr: the built-in headless host).
void setHost(HostPort* host);
HostPort* currentHost();

// Dispatches everything pending now — posted messages and input, paints,
// timers that are due — without moving the clock; then presents the screen.
// A WM_QUIT found on the way is left queued.
void runUntilIdle();
// Moves the virtual clock forward by `ms`, stopping at every timer that
// falls due on the way (in order) and dispatching as runUntilIdle does.
// On the real clock it only runs until idle.
void advanceClock(uint64_t ms);

}  // namespace device
