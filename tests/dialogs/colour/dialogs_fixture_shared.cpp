// The dialog tests' device (tests/dialogs/dialogs_fixture.cpp), built into
// this folder's test program as well.
#include "dialogs/dialogs_fixture.cpp"
