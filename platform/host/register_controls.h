// Registers every window class the platform offers the program: the shell's
// (menu bar, input panel, SIPPREF) and each control's. Idempotent; call
// again after windowSystemReset().
#pragma once

namespace device {

void registerDeviceClasses();

}  // namespace device
