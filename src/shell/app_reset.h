// Puts the whole process-wide state back to what the program starts with.
#pragma once

// Every group of state/app_state.h to its defaults, the outline's own
// shared state (drag, taps, loading, the pressed edit-bar button, the find
// bar's search, its pictures and back buffers) forgotten, and the calls that go up installed. Windows,
// fonts, brushes and the database are forgotten, not destroyed: their owner
// has done that already. Tests start from it.
void resetAppState();
