// Registration of the edit control class ("edit", WC_EDIT) for the hosts,
// the dialogs and the tree view's label editor.
#pragma once

namespace device {

// Registers the global edit class. Idempotent; call again after
// windowSystemReset().
bool registerEditControl();

}  // namespace device
