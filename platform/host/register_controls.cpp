// One place that knows every class registration of the platform, so hosts
// and tests set up the same device.
#include "platform/host/register_controls.h"

#include "platform/controls/button/button_control.h"
#include "platform/controls/combobox/combobox_control.h"
#include "platform/controls/common/scroll_bar.h"
#include "platform/controls/edit/edit_control.h"
#include "platform/controls/listbox/listbox_control.h"
#include "platform/controls/progress/progress_control.h"
#include "platform/controls/static/static_control.h"
#include "platform/controls/trackbar/trackbar_control.h"
#include "platform/controls/treeview/treeview_control.h"
#include "platform/shell/shell_system.h"

namespace device {

void registerDeviceClasses() {
    registerShellClasses();
    registerScrollBars();
    registerStaticControl();
    registerButtonControl();
    registerEditControl();
    registerListBoxControl();
    registerComboBoxControl();
    registerProgressControl();
    registerTrackbarControl();
    registerTreeViewControl();
}

}  // namespace device
