// Compiles: the outline sees its own folder, the folders below it and
// platform/api. The probes that must fail are only worth something while
// this one passes.
#include "dialogs/dialog_look.h"
#include "outline/tree_load.h"
#include "state/app_state.h"
#include "windows.h"

int outlineReachesBelowProbe() { return hwndMainTV != nullptr; }
