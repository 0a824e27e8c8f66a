#include "platform/system/system_startup.h"

#include "platform/system/device_fs.h"
#include "platform/system/sqlite_vfs.h"

namespace device {

bool systemStartup(const SystemConfig& config) {
    fsSetRoot(config.rootDir);
    fsSetCard(config.cardDir);
    bool ok = fsCreateStandardFolders();
    ok = installSqliteVfs() && ok;
    return ok;
}

}  // namespace device
