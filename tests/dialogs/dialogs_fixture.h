// The dialog tests' device: a headless screen with the virtual clock, the
// platform's controls and the program's resources, and a script of steps
// that runs while a modal dialog waits for the pen.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "windows.h"

namespace dlgs {

// Steps played one at a time whenever the device waits for input; with no
// step left the modal loops are told to give up (the test then fails on the
// dialog's result).
struct Steps {
    std::vector<std::function<void()>> list;
    size_t next = 0;
    bool operator()();
};

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Plays `steps` while the next modal loop waits.
    void play(Steps& steps);
    // A full-screen top-level window standing in for the main window.
    HWND makeOwner();
    // Switches to the high-resolution screen (before any window is made).
    void useHiRes();
};

// The dialog now in front (the active window).
HWND activeDialog();
// Taps the middle of a window with the pen.
void tap(HWND hwnd);
// Presses and releases a key.
void press(unsigned vk);
// The window's text.
std::u16string textOf(HWND hwnd);
// A child's rectangle in its parent's client coordinates.
RECT rectInParent(HWND child);
// The colour of a screen pixel (0x00BBGGRR).
COLORREF screenPixel(int x, int y);
// The screen position of a client point of `hwnd`.
POINT toScreen(HWND hwnd, int x, int y);
// Saves the screen as a PNG in the test's output folder (QP_SHOT_DIR, else
// the build folder); returns the path.
std::string shot(const std::string& name);

}  // namespace dlgs
