// Registration of the combo box control class ("combobox", WC_COMBOBOX).
#pragma once

namespace device {

// Registers the global combo box class (and the list box class its
// drop-down uses). Idempotent; call again after windowSystemReset().
bool registerComboBoxControl();

}  // namespace device
