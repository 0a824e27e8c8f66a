// One place that knows every class registration of the platform, so hosts
// and tests set up the same device.
#include "platform/host/register_controls.h"

#include "platform/controls/edit/edit_control.h"
#include "platform/controls/treeview/treeview_control.h"
#include "platform/shell/shell_system.h"

namespace device {

void registerDeviceClasses() {
    registerShellClasses();
    registerEditControl();
    registerTreeViewControl();
}

}  // namespace device
