#include "platform/system/system_startup.h"

#include "platform/system/device_fs.h"
#include "platform/system/registry.h"
#include "platform/system/sqlite_vfs.h"
#include "platform/system/storage_limit.h"
#include "platform/system/system_code_page.h"

namespace device {

bool systemStartup(const SystemConfig& config) {
    // Changes still pending belong to the device that was running.
    registryFlush();
    fsSetRoot(config.rootDir);
    fsSetCard(config.cardDir);
    fsSetStorageLimit(config.storageLimit);
    bool ok = fsCreateStandardFolders();
    ok = installSqliteVfs() && ok;
    registryReload();
    loadSystemCodePage();
    return ok;
}

}  // namespace device
