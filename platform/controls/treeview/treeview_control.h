// Registration of the tree view class ("SysTreeView32", WC_TREEVIEWW) for the
// hosts and tests. The class is global (CS_GLOBALCLASS) and double-tap aware.
#pragma once

#include "windef.h"

namespace device {

// Registers the tree view class and the edit class its label editor uses.
// Idempotent; call again after windowSystemReset().
bool registerTreeViewControl();

// Tap-and-hold. By default a tree times the hold itself: the pen held on an
// item for 500 ms of the device clock, within the drag threshold, opens the
// item's context menu (WM_NOTIFY with GN_CONTEXTMENU and NMRGINFO to the
// parent, the point in screen coordinates). A host that has the shell's
// recognizer (which also turns the right mouse button into a hold) installs
// it here; the tree then calls it on every pen down on an item, as the
// device's tree view calls SHRecognizeGesture, and it returns true when the
// pen was held. nullptr goes back to the tree's own timing.
using TreeGestureRecognizer = bool (*)(HWND tree, POINT clientPt);
void setTreeViewGestureRecognizer(TreeGestureRecognizer recognizer);

}  // namespace device
