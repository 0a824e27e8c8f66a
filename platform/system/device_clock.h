// The device's clock: milliseconds since the device started. The SDL host
// runs it from the real monotonic clock; the headless host switches it to a
// virtual clock that only moves when told, so timers, double taps and
// tap-and-hold are deterministic in tests and scripts.
#pragma once

#include <cstdint>

namespace device {

// Milliseconds since the device started (real or virtual).
uint64_t clockNowMs();
// Switches between the real clock (false) and the virtual clock (true).
// Switching keeps the current reading, so time never runs backwards.
void clockUseVirtual(bool on);
// True while the virtual clock is in use.
bool clockIsVirtual();
// Moves the virtual clock forward; ignored on the real clock.
void clockAdvance(uint64_t ms);

}  // namespace device
