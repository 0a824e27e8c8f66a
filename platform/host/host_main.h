// The executable's entry into the device: parses the command line, sets the
// device up (folders, screen, registry, window classes), picks the host (the
// SDL window, headless, or the script player) and runs the program on it.
//
//   int main(int argc, char** argv) { return device::hostMain(argc, argv, identity, WinMain); }
//
// `identity` names the program to the device (program_identity.h): its
// window's title, its folder and file, the default root, the messages.
//
// Returns the program's exit status, or 1 (no display), 2 (bad command line
// or malformed script), 3 (a script step failed), 4 (a script left a dialog,
// message box or menu open).
//
// A program may also have commands that run without a window (`<command>
// lists`): hostMain then prepares the device (folders, registry, code page,
// storage size) and hands the command's words to the program's entry for
// them instead of running WinMain.
#pragma once

#include <string>
#include <vector>

#include "platform/host/host_options.h"
#include "platform/system/program_identity.h"
#include "windows.h"

namespace device {

using WinMainFn = int (*)(HINSTANCE instance, HINSTANCE previous, LPWSTR cmdLine, int show);

// The program's commands: the words that name them (the list ends with a
// null), the entry that runs one (argv[0] is the command's word, then the
// words after it that are not the host's options, as wide text; it returns
// the exit status), and the lines of the usage text that describe them.
using CommandMainFn = int (*)(int argc, LPWSTR* argv);
struct HostCommands {
    const char16_t* const* names = nullptr;
    CommandMainFn run = nullptr;
    const char* usage = nullptr;
};

int hostMain(int argc, char** argv, const ProgramIdentity& identity, WinMainFn program,
             const HostCommands& commands = {});
int hostMain(const std::vector<std::string>& args, const ProgramIdentity& identity, WinMainFn program,
             const HostCommands& commands = {});
// Prints "<command>: <text>" on standard error, as every host message is.
void hostComplain(const std::string& text);
// Runs the command `options` names (hostMain's part for it).
int hostRunCommand(const HostOptions& options, const HostCommands& commands);

// The steps of hostMain for callers that need them apart.
// Folders, storage size, registry and code page; false with `error`.
bool hostPrepareStore(const HostOptions& options, std::string& error);
// All of hostPrepareStore, then the screen, the HasKeyboard registry value,
// the window classes and the task store; false with `error`.
bool hostPrepareDevice(const HostOptions& options, std::string& error);
// The program's command line: the quoted device path of the file to open
// (empty without one); false when the file lies outside the root and card.
bool hostCommandLine(const HostOptions& options, std::u16string& cmdLine, std::string& error);
// Whether a desktop display is there to open a window on.
bool hostHasDisplay();

}  // namespace device
