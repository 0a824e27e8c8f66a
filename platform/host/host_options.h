// The command line of the program's executable (its command and database
// extension from program_identity.h):
//   <command> [--root DIR] [--card DIR] [--hires] [--zoom N] [--screen WxH]
//             [--headless] [--no-keyboard] [--storage-limit SIZE] [--code-page N]
//             [--script FILE] [PATH.<extension>]
// Parsing only looks at the words; turning the path into a device path needs
// the device's folders and happens once they are set (host_main.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace device {

struct HostOptions {
    std::string rootDir;     // empty: the default root
    std::string cardDir;     // empty: $HOME
    bool hires = false;
    int zoom = 0;            // SDL window pixels per device pixel; 0: the largest that fits
    int screenWidth = 0;     // the device screen at start in device pixels; 0: 240 x 320
    int screenHeight = 0;    //   (480 x 640 with --hires)
    bool headless = false;
    bool hasKeyboard = true;
    uint64_t storageLimit = 0;  // bytes the device's store holds; 0: as the host disk allows
    unsigned codePage = 0;   // the device's system code page to keep; 0: the one it has
    std::string scriptPath;  // "-" is standard input; empty: no script
    std::string filePath;    // host path of the database to open; empty: none
};

// Exit statuses of the executable besides the program's own.
enum HostExit {
    kExitNoDisplay = 1,   // no display and no --headless
    kExitUsage = 2,       // bad options, or a malformed script
    kExitStepFailed = 3,  // a script step found no target
    kExitLeftOpen = 4,    // a dialog, message box or menu was open at the end
    // Another copy runs on the same device root and was asked to come to the
    // front: the status the program's own start-up gives a second copy.
    kExitAlreadyRunning = 16,
};

// Parses argv[1..]; false with `error` set (a one-line reason) when the
// command line is wrong.
bool parseHostOptions(const std::vector<std::string>& args, HostOptions& out, std::string& error);
// The usage text printed with a bad command line, for the program the host
// was given.
std::string hostUsage();

}  // namespace device
