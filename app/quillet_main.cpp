// The quillet executable: the device host runs the program's WinMain, in an
// SDL window, headless, or driven by a script, or one of the program's
// commands without a window (see platform/host/host_main.h).
#include "command_line/command_main.h"
#include "platform/host/host_main.h"
#include "platform/host/window_icon.h"
#include "quillet_identity.h"
#include "shell/startup.h"

// The window's icon: the program's 64 x 64 picture (the About box's).
constexpr int kProgramPicture = 112;

int main(int argc, char** argv) {
    device::setWindowIconResource(kProgramPicture);
    return device::hostMain(argc, argv, quilletIdentity(), WinMain, {kCommandNames, CommandMain, kCommandUsage});
}
