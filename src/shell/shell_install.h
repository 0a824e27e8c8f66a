// Fills the table of calls that go up (state/shell_calls.h) with the shell's,
// the lists' and the outline's own functions. Start-up does it first;
// nothing below the shell can call up before.
#pragma once

void installShellCalls();
