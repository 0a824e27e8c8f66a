// Shell services for the hosts, scripts and tests (not part of the program's
// API): the right mouse button as tap-and-hold, the low-memory message, and
// resetting the shell between test cases.
#pragma once

#include "windef.h"

namespace device {

// A pen that goes down at (x, y) (screen), is held there long enough to be a
// tap-and-hold, and lifts: the window under it recognises the hold at once,
// whatever the clock does. Hosts map the right mouse button to it.
void penHold(int x, int y);
// Posts WM_HIBERNATE to the program's top-level windows, as the device does
// when memory runs low.
void sendHibernate();
// Registers the shell's window classes ("SIPPREF", the menu bar, the input
// panel); idempotent, and needed again after windowSystemReset.
void registerShellClasses();
// Lowers the input panel and forgets the shell's state (tests, after
// windowSystemReset).
void shellReset();

// Tap-and-hold timing (ms) and the distance (pixels) the pen may wander.
unsigned holdTimeMs(bool longDelay);
int holdTolerance();

}  // namespace device
