// What the shell draws: the menu bar with an open popup and its submenu
// while the input panel is up, on both screens, written as PNG files to look
// at (build folder), and checked at a few telling pixels.
#include <cstdlib>
#include <string>

#include "platform/gdi/png_io.h"
#include "platform/shell/input_panel.h"
#include "platform/shell/menu_bar.h"
#include "platform/shell/popup_menu.h"
#include "shell_fixture.h"
#include "support/temp_folder.h"

namespace shelltest {
namespace {

class ShellScreenshotTest : public ShellTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        device::screenConfigure(GetParam());
    }
    void TearDown() override {
        ShellTest::TearDown();
        device::screenConfigure(false);
    }
};

std::string outPath(const std::string& name) {
    return testsupport::shotFolder() + "/" + name;
}

TEST_P(ShellScreenshotTest, MenuBarPopupAndPanel) {
    int s = GetParam() ? 2 : 1;
    HWND main = makeMain();
    SHMENUBARINFO mb{};
    mb.cbSize = 36;
    mb.hwndParent = main;
    mb.nToolBarId = 201;
    mb.nBmpId = 203;
    mb.cBmpImages = 2;
    ASSERT_TRUE(SHCreateMenuBar(&mb));
    SHSipPreference(main, SIP_UP);
    device::runUntilIdle();
    RECT bar = screenRectOf(mb.hwndMB);
    EXPECT_EQ(bar.bottom - bar.top, 26 * s);
    RECT panel = screenRectOf(shell::sipWindow());
    EXPECT_EQ(panel.bottom, bar.top);
    EXPECT_EQ(panel.bottom - panel.top, 80 * s);

    bool written = false;
    RECT level0{}, level1{};
    drive({[] {
               device::keyDown(VK_RIGHT);  // to "Options", then down onto "Sort" and into it
               device::keyUp(VK_RIGHT);
               device::keyDown(VK_RIGHT);
               device::keyUp(VK_RIGHT);
               device::keyDown(VK_DOWN);
               device::keyUp(VK_DOWN);
               device::keyDown(VK_RIGHT);
               device::keyUp(VK_RIGHT);
           },
           [&] {
               shell::popupLevelRect(0, level0);
               shell::popupLevelRect(1, level1);
               written = gdi::writePng(device::screenSurface(),
                                       outPath(GetParam() ? "shell_menu_hires.png" : "shell_menu.png"));
               // The open level sits on the bar and covers the panel; the
               // highlighted "Sort" row uses the highlight colour.
               RECT sort{};
               shell::popupItemRect(0, 0, sort);
               EXPECT_EQ(screenPixel(sort.left + 3 * s, sort.top + 2), GetSysColor(COLOR_HIGHLIGHT));
               EXPECT_EQ(screenPixel(level0.left, level0.top + 4), RGB(0, 0, 0));  // the popup's border
           },
           [] {
               device::keyDown(VK_ESCAPE);
               device::keyUp(VK_ESCAPE);
               device::keyDown(VK_ESCAPE);
               device::keyUp(VK_ESCAPE);
           }});
    shell::menuBarOpen(mb.hwndMB, 0);
    stopDriving();
    EXPECT_TRUE(written);
    EXPECT_EQ(level0.bottom, bar.top);
    EXPECT_GE(level1.left, level0.right - 2 * s);
    // Closed again: the panel shows where the popup was.
    device::runUntilIdle();
    EXPECT_EQ(screenPixel(level0.left + 1, panel.bottom - 2), RGB(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(Screens, ShellScreenshotTest, ::testing::Values(false, true));

}  // namespace
}  // namespace shelltest
