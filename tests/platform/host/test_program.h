// The small program the host tests drive: a main window "Host Test" with a
// menu bar from a template (File, Options with a Sort submenu, a "New Item"
// picture button and a disabled "Find" one), push buttons that open a modal
// dialog ("Ask"), a dialog with one of every control ("Controls") and a
// message box ("Warn"), a disabled and a hidden button,
// and a tree view with check boxes. It logs what it receives, so tests can
// compare what a script did with what a person would have caused.
//
// The same executable runs it as a process: test_platform_host --program
// [host options], which is also how to look at it under Xvfb.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace hosttest {

// Control ids and command ids of the test program.
enum : int {
    kAsk = 1001,
    kWarn = 1002,
    kLocked = 1003,
    kSecret = 1004,
    kTree = 1010,
    kControls = 1005,
    // The controls dialog's controls.
    kCtlName = 1201,
    kCtlSecret = 1202,
    kCtlNote = 1203,
    kCtlList = 1204,
    kCtlCheck = 1205,
    kCtlSmall = 1206,
    kCtlLarge = 1207,
    kCtlCombo = 1208,
    kCtlTrack = 1209,
    kCtlProgress = 1210,
    kCtlTree = 1212,
    kCmdNewList = 101,
    kCmdOpen = 102,
    kCmdByName = 111,
    kCmdByDate = 112,
    kCmdBeep = 113,
    kCmdNewItem = 120,
    kCmdFind = 121,
    kTimerId = 7,
    kTimerMs = 500,
    kExitCode = 7,  // what the program returns after WM_CLOSE
};

// What the program saw, one line per event ("command 111", "char a",
// "key 13", "dialog 1", "box 6", "tree select Milk", "timer", "close", ...).
std::vector<std::string>& programLog();
// The program's command line as it was given.
std::u16string& programCommandLine();

int WINAPI testWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR cmdLine, int show);

}  // namespace hosttest
