// The dialog tests' pen and key helpers (tests/dialogs/dialogs_fixture.cpp),
// built into this folder's test program as well.
#include "dialogs/dialogs_fixture.cpp"
