// The quillet executable: the device host runs the program's WinMain, in an
// SDL window, headless, or driven by a script (see platform/host/host_main.h).
#include "platform/host/host_main.h"
#include "shell/startup.h"

int main(int argc, char** argv) { return device::hostMain(argc, argv, WinMain); }
