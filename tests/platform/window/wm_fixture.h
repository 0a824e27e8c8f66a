// Shared pieces of the window-manager tests: a fixture that starts every
// case on an empty desktop with the virtual clock, and a message recorder
// that turns what windows receive into comparable lines.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/system/device_clock.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace wmtest {

// Messages worth recording (the rest would make sequences brittle).
std::string messageName(UINT msg);

struct Recorder {
    std::vector<std::string> lines;
    std::map<HWND, std::string> names;
    bool withParams = false;
    std::string pending;  // name for the next window that appears (set before creating it)

    void name(HWND h, const std::string& n) { names[h] = n; }
    std::string nameOf(HWND h) const;
    void record(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
    // Lines since the last take, then forgets them.
    std::vector<std::string> take();
};

Recorder& rec();

// The recording procedure of the "rec" class (and "recdbl" with CS_DBLCLKS).
LRESULT CALLBACK recordProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A recorded top-level window (WS_POPUP) or child.
    HWND makeTop(const std::string& name, int x, int y, int w, int h, DWORD style = WS_VISIBLE,
                 const wchar_t* = nullptr);
    HWND makeChild(HWND parent, const std::string& name, int id, int x, int y, int w, int h,
                   DWORD style = WS_VISIBLE);
};

// The colour of one screen pixel as a COLORREF.
COLORREF screenPixel(int x, int y);

}  // namespace wmtest
