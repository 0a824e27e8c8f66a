#include "platform/system/device_clock.h"

#include <chrono>

namespace device {
namespace {

uint64_t realNowMs() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return (uint64_t)duration_cast<milliseconds>(steady_clock::now() - start).count();
}

bool useVirtual = false;
uint64_t virtualNow = 0;
// Added to the real clock so that leaving the virtual clock does not jump back.
uint64_t realOffset = 0;

}  // namespace

uint64_t clockNowMs() { return useVirtual ? virtualNow : realNowMs() + realOffset; }

void clockUseVirtual(bool on) {
    if (on == useVirtual) return;
    if (on) {
        virtualNow = clockNowMs();
    } else {
        uint64_t real = realNowMs();
        realOffset = virtualNow > real ? virtualNow - real : 0;
    }
    useVirtual = on;
}

bool clockIsVirtual() { return useVirtual; }

void clockAdvance(uint64_t ms) {
    if (useVirtual) virtualNow += ms;
}

}  // namespace device
