// The command line of the program's executable (its command and database
// extension from program_identity.h):
//   <command> [--root DIR] [--card DIR] [--tasks DIR] [--hires] [--zoom N]
//             [--screen WxH] [--headless] [--no-keyboard] [--storage-limit SIZE]
//             [--code-page N] [--script FILE] [PATH.<extension>]
//   <command> [--root DIR] [--card DIR] [--storage-limit SIZE] [--code-page N]
//             COMMAND [ARGUMENTS]
// A COMMAND is one of the words the program names for its commands that run
// without a window; the words after it that are not the options above are
// the command's own. Parsing only looks at the words; turning the path into a device path needs
// the device's folders and happens once they are set (host_main.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace device {

struct HostOptions {
    std::string rootDir;     // empty: the default root
    std::string cardDir;     // empty: $HOME
    std::string tasksDir;    // host folder of the task store; empty: "\Windows\Tasks" of the root
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
    std::string command;     // the command to run without a window; empty: the window
    std::vector<std::string> commandArgs;  // the words after it that are not host options
    bool help = false;       // --help: print the usage and stop
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
// command line is wrong. `commands` are the words that name commands.
bool parseHostOptions(const std::vector<std::string>& args, HostOptions& out, std::string& error,
                      const std::vector<std::string>& commands = {});
// The usage text printed with a bad command line, for the program the host
// was given.
std::string hostUsage();

}  // namespace device
