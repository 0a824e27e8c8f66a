// Shared pieces of the shell tests: every case starts on an empty desktop
// with the virtual clock and the input panel down; a recording window class
// keeps what the shell sends the program (commands, setting changes,
// notifications, characters); an idle driver runs scripted steps while a
// menu or a gesture waits.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/shell/shell_system.h"
#include "platform/system/device_clock.h"
#include "platform/system/resource_table.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace shelltest {

struct Record {
    std::vector<UINT> commands;       // WM_COMMAND ids
    std::vector<LPARAM> commandFrom;  // their lParam
    int settingChanges = 0;           // WM_SETTINGCHANGE with SPI_SETSIPINFO
    int hibernates = 0;
    std::vector<UINT> notifyCodes;
    std::vector<POINT> notifyPoints;  // NMRGINFO ptAction
    std::vector<UINT_PTR> notifyIds;
    std::u16string chars;             // WM_CHAR
    std::vector<UINT> keys;           // WM_KEYDOWN
    std::vector<DWORD> gestures;      // what SHRecognizeGesture returned on pen down
    std::vector<uint64_t> gestureTimes;
    int penUps = 0;
    DWORD gestureFlags = SHRG_RETURNCMD;  // what the "gesture" class asks for
};

Record& rec();

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A recording top-level window across the screen between the navigation
    // bar and the menu bar, made active.
    HWND makeMain();
    // A recording child that runs SHRecognizeGesture on every pen down.
    HWND makeGestureChild(HWND parent, int id, int x, int y, int w, int h);
    // Runs `steps` one per idle moment (a menu or a gesture waiting); when
    // they run out the driver stops and the device quits its loops.
    void drive(std::vector<std::function<void()>> steps);
    void stopDriving();

    std::deque<std::function<void()>> steps_;
};

// The test menus: 200 is a menu of three popups ("&File", "&Edit",
// "&Options" with the submenu "&Sort"), 201 the menu bar over it with two
// picture buttons, 202 a one-popup context menu.
void registerTestResources();

COLORREF screenPixel(int x, int y);
RECT screenRectOf(HWND hwnd);

}  // namespace shelltest
