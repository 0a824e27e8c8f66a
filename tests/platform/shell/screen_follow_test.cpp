// A screen that changes its size: the window across it stretches, the menu
// bar and the input panel stay on the bottom edge, a small window keeps its
// place relative to the centre, and no screen gets smaller than 240 x 240.
#include "platform/shell/input_panel.h"
#include "platform/shell/screen_follow.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

// Puts the device's own screen back for the tests that follow.
struct ScreenBack {
    ~ScreenBack() { device::screenResize(240, 320); }
};

TEST_F(ShellTest, WindowsFollowANewScreenSize) {
    ScreenBack back;
    HWND main = makeMain();
    SHMENUBARINFO mb{};
    mb.cbSize = sizeof mb;
    mb.hwndParent = main;
    mb.nToolBarId = 201;
    mb.nBmpId = 203;
    mb.cBmpImages = 2;
    ASSERT_TRUE(SHCreateMenuBar(&mb));
    HWND box = CreateWindowExW(0, u"shellrec", u"Box", WS_POPUP | WS_VISIBLE, 70, 130, 100, 60, main, nullptr, nullptr,
                               nullptr);
    device::runUntilIdle();

    ASSERT_TRUE(device::screenFollowSize(320, 240));
    device::runUntilIdle();
    EXPECT_EQ(device::screenConfig().width, 320);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
    RECT r = screenRectOf(main);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 26);
    EXPECT_EQ(r.right, 320);
    EXPECT_EQ(r.bottom, 240 - 26);
    r = screenRectOf(mb.hwndMB);
    EXPECT_EQ(r.top, 240 - 26);
    EXPECT_EQ(r.bottom, 240);
    EXPECT_EQ(r.right, 320);
    r = screenRectOf(box);
    EXPECT_EQ(r.left, 70 + 40);
    EXPECT_EQ(r.top, 130 - 40);
    EXPECT_EQ(r.right - r.left, 100);

    // The input panel up, then a taller screen: it stays above the menu bar.
    shell::sipShow(true);
    ASSERT_TRUE(device::screenFollowSize(240, 400));
    device::runUntilIdle();
    EXPECT_EQ(screenRectOf(shell::sipWindow()).bottom, 400 - 26);
    EXPECT_EQ(device::screenWorkArea().bottom, screenRectOf(shell::sipWindow()).top);
    shell::sipShow(false);

    EXPECT_TRUE(device::screenFollowSize(100, 100));
    EXPECT_EQ(device::screenConfig().width, 240);
    EXPECT_EQ(device::screenConfig().height, 240);
    EXPECT_FALSE(device::screenFollowSize(200, 240));  // the same smallest screen
}

}  // namespace
}  // namespace shelltest
