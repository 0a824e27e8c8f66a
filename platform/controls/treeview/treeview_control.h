// Registration of the tree view class ("SysTreeView32", WC_TREEVIEWW) for the
// hosts and tests. The class is global (CS_GLOBALCLASS) and double-tap aware.
#pragma once

namespace device {

// Registers the tree view class and the edit class its label editor uses.
// Idempotent; call again after windowSystemReset().
bool registerTreeViewControl();

}  // namespace device
