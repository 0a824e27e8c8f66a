// The desktop window's size and place: the zoom that fits a desktop with a
// panel and a frame, at both resolutions, and a window that stays reachable.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/host/sdl_host.h"
#include "platform/host/window_fit.h"

namespace hosttest {
namespace {

using device::FitArea;
using device::FrameSize;

// A 1920 x 1080 desktop with a 27-pixel panel at the top, and a window
// manager's title bar and borders.
const FitArea kDesktop{0, 27, 1920, 1053};
const FrameSize kFrame{4, 30, 4, 4};

TEST(WindowFit, TheLargestWholeZoomThatFitsAtBothResolutions) {
    EXPECT_EQ(device::fittingZoom(240, 320, kDesktop, kFrame), 3);  // 960 lines plus the frame fit, 1280 do not
    EXPECT_EQ(device::fittingZoom(480, 640, kDesktop, kFrame), 1);
    EXPECT_EQ(device::fittingZoom(320, 240, kDesktop, kFrame), 4);  // a landscape screen fits larger
    // A desktop too small for even one pixel per pixel still gets zoom 1,
    // and a huge one no more than 8.
    EXPECT_EQ(device::fittingZoom(480, 640, FitArea{0, 0, 800, 600}, kFrame), 1);
    EXPECT_EQ(device::fittingZoom(240, 240, FitArea{0, 0, 7680, 4320}, kFrame), 8);
    // The frame counts: 994 lines hold 3 x 320 + 34, one line fewer does not.
    EXPECT_EQ(device::fittingZoom(240, 320, FitArea{0, 0, 1920, 994}, kFrame), 3);
    EXPECT_EQ(device::fittingZoom(240, 320, FitArea{0, 0, 1920, 993}, kFrame), 2);
}

TEST(WindowFit, TheWindowIsCentredOrKeepsItsTitleBarOnTheDesktop) {
    device::WindowSpot spot = device::placeWindow(720, 960, kDesktop, kFrame);
    EXPECT_EQ(spot.x, (1920 - 728) / 2 + 4);
    EXPECT_EQ(spot.y, 27 + (1053 - 994) / 2 + 30);
    // --hires --zoom 2 on this desktop: 1280 lines cannot fit; the title bar
    // stays below the panel rather than above the screen's top.
    spot = device::placeWindow(960, 1280, kDesktop, kFrame);
    EXPECT_EQ(spot.y, 27 + 30);
    EXPECT_GE(spot.x, 0);
}

TEST(WindowFit, ZoomKeysStepWithinOneToEightAndOnlyWithCtrl) {
    EXPECT_EQ(device::steppedZoom(8, 1), 8);
    EXPECT_EQ(device::steppedZoom(1, -1), 1);
    EXPECT_EQ(device::steppedZoom(3, 1), 4);
    EXPECT_EQ(device::zoomKeyStep(SDLK_EQUALS, KMOD_LCTRL), 1);
    EXPECT_EQ(device::zoomKeyStep(SDLK_KP_PLUS, KMOD_RCTRL), 1);
    EXPECT_EQ(device::zoomKeyStep(SDLK_MINUS, KMOD_LCTRL), -1);
    EXPECT_EQ(device::zoomKeyStep(SDLK_0, KMOD_LCTRL), device::kZoomFit);
    EXPECT_EQ(device::zoomKeyStep(SDLK_0, KMOD_NONE), 0);  // typing a 0
    EXPECT_EQ(device::zoomKeyStep(SDLK_MINUS, KMOD_LSHIFT), 0);
}

}  // namespace
}  // namespace hosttest
