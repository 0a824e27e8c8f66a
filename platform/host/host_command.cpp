// hostRunCommand: a command of the program run without a window. The device
// is prepared as for the window (folders, storage size, registry, code
// page); no host shows anything, and the command's words reach the program
// as wide text.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/host/host_main.h"
#include "platform/host/single_copy.h"
#include "platform/system/device_fs.h"
#include "platform/system/program_identity.h"
#include "platform/system/registry.h"

namespace device {
int hostRunCommand(const HostOptions& o, const HostCommands& commands) {
    if (!commands.run) {
        hostComplain("there is no command " + o.command);
        return kExitUsage;
    }
    // A copy that runs on the root holds its lists open and writes them as
    // the person works: a command changes nothing under it, and none starts
    // while the command works.
    SingleCopy copy(programIdentity().dataFolder);
    std::string error;
    const std::string root = o.rootDir.empty() ? defaultRootDir() : o.rootDir;
    switch (copy.claim(root, error)) {
        case SingleCopy::Claim::First: break;
        case SingleCopy::Claim::Second:
            hostComplain(programIdentity().name + " runs on " + root + "; close it before running the command " + o.command);
            return kExitAlreadyRunning;
        case SingleCopy::Claim::Failed:
            hostComplain(error);
            return kExitNoDisplay;
    }
    if (!hostPrepareStore(o, error)) {
        hostComplain(error);
        return kExitNoDisplay;
    }
    // The desktop's words are UTF-8; one that is not is read as the
    // device reads such a file name.
    std::vector<std::u16string> words{hostNameToDevice(o.command)};
    for (const std::string& a : o.commandArgs) words.push_back(hostNameToDevice(a));
    std::vector<char16_t*> argv;
    for (std::u16string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    int status = commands.run(int(words.size()), argv.data());
    registryFlush();
    return status;
}

}  // namespace device
