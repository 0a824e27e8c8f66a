// Registration of the button control class ("button", WC_BUTTON).
#pragma once

namespace device {

// Registers the global button class. Idempotent; call again after
// windowSystemReset().
bool registerButtonControl();

}  // namespace device
