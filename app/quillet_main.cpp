// Entry point of the Linux build. The program itself is not part of this
// build yet, so the executable checks its command line, sets up the device
// folders it would run on and says so; once the program's WinMain is built
// this becomes `return device::hostMain(argc, argv, WinMain);`.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/host/host_main.h"
#include "platform/system/device_fs.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    device::HostOptions options;
    std::string error;
    if (!device::parseHostOptions(args, options, error)) {
        std::fprintf(stderr, "quillet: %s\n%s", error.c_str(), device::hostUsage());
        return device::kExitUsage;
    }
    if (!device::hostPrepareDevice(options, error)) {
        std::fprintf(stderr, "quillet: %s\n", error.c_str());
        return device::kExitNoDisplay;
    }
    std::printf("Quillet Pro: the program is not built yet.\nDevice root: %s\nStorage card: %s\n",
                device::fsRoot().c_str(), device::fsCard().c_str());
    return 0;
}
