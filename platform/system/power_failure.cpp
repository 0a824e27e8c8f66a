#include "platform/system/power_failure.h"

#include <signal.h>

#include <atomic>

namespace device {
namespace {

std::atomic<long> writesLeft{-1};

}  // namespace

void powerFailAfterWrites(long writes) { writesLeft = writes < 0 ? -1 : writes; }

void beforeDeviceWrite() {
    long left = writesLeft.load();
    if (left < 0) return;
    if (left == 0) raise(SIGKILL);
    writesLeft = left - 1;
}

}  // namespace device
