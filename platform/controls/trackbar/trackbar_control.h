// Registration of the trackbar class ("msctls_trackbar32").
#pragma once

namespace device {

// Registers the global trackbar class. Idempotent; call again after
// windowSystemReset().
bool registerTrackbarControl();

}  // namespace device
