#include "platform/system/system_startup.h"

#include "platform/system/device_fs.h"
#include "platform/system/registry.h"
#include "platform/system/sqlite_vfs.h"

namespace device {

bool systemStartup(const SystemConfig& config) {
    // Changes still pending belong to the device that was running.
    registryFlush();
    fsSetRoot(config.rootDir);
    fsSetCard(config.cardDir);
    bool ok = fsCreateStandardFolders();
    ok = installSqliteVfs() && ok;
    registryReload();
    return ok;
}

}  // namespace device
