// Registration of the progress bar class ("msctls_progress32").
#pragma once

namespace device {

// Registers the global progress bar class. Idempotent; call again after
// windowSystemReset().
bool registerProgressControl();

}  // namespace device
