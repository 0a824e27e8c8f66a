// Shared pieces of the dialog tests: a fixture that starts every case on an
// empty desktop with the virtual clock and no resources, small stand-in
// controls (a push/check/radio button, an edit field, a label) registered
// under names of their own, a log that dialog procedures and controls write
// to, and a script of steps the headless host plays while a modal loop
// waits for input.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs/dialog_internal.h"
#include "platform/system/resource_table.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace dlgtest {

// Stand-in control classes.
constexpr const char16_t* kButton = u"tbutton";  // BS_* types 0, 1, 2 (check), 9 (auto radio)
constexpr const char16_t* kEdit = u"tedit";
constexpr const char16_t* kLabel = u"tlabel";

constexpr DWORD kBsDefPushButton = 0x01;
constexpr DWORD kBsAutoCheckBox = 0x03;
constexpr DWORD kBsAutoRadioButton = 0x09;
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
constexpr UINT kEmSetSel = 0x00B1;

// Everything worth checking, as lines: "ctl 1000 WM_CREATE", "dlg WM_INITDIALOG".
std::vector<std::string>& log();
// The lines since the last call, then forgets them.
std::vector<std::string> takeLog();

// The headless host's idle driver: each time the device waits for input
// the next step runs; when none is left the loops are told to quit.
struct Script {
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    bool operator()() {
        if (next >= steps.size()) return false;
        steps[next++]();
        return true;
    }
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Registers a template under a resource number (kept alive by the fixture).
    void addTemplate(int id, device::DialogTemplate t);
    // Plays the script while the next modal loop waits.
    void play(Script& s) { device::headlessHost().setIdleDriver(std::ref(s)); }
    // A plain top-level window to own dialogs.
    HWND makeOwner(int x = 0, int y = 26, int w = 240, int h = 294);

    std::vector<std::unique_ptr<device::DialogTemplate>> templates_;
};

// A tap in the middle of a window.
void tap(HWND hwnd);
// A key pressed and released.
void press(unsigned vk);
// A control's rectangle in its dialog's client coordinates.
RECT rectInParent(HWND ctrl);
// The text of a window.
std::u16string textOf(HWND hwnd);

}  // namespace dlgtest
