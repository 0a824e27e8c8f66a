// Registration of the static control class ("static", WC_STATIC).
#pragma once

namespace device {

// Registers the global static class. Idempotent; call again after
// windowSystemReset().
bool registerStaticControl();

}  // namespace device
