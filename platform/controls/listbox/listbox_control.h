// Registration of the list box control class ("listbox", WC_LISTBOX).
#pragma once

namespace device {

// Registers the global list box class. Idempotent; call again after
// windowSystemReset().
bool registerListBoxControl();

}  // namespace device
