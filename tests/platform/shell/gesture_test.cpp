// Tap-and-hold on the virtual clock: a pen held still is a hold after the
// hold time, a pen lifted or moved away first is not, and the messages that
// ended the wait still reach the window. Also the notifications, the right
// button's immediate hold, and the item menu a hold opens.
#include "platform/shell/menu_query.h"
#include "platform/shell/popup_menu.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

class GestureTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        main_ = makeMain();
        pad_ = makeGestureChild(main_, 6002, 10, 10, 200, 150);  // screen (10, 36)
        device::runUntilIdle();
    }
    HWND main_ = nullptr;
    HWND pad_ = nullptr;
};

TEST_F(GestureTest, PenHeldStillIsAHoldAfterTheHoldTime) {
    uint64_t start = device::clockNowMs();
    device::penDown(60, 80);
    device::runUntilIdle();  // nothing else happens: the clock runs on to the hold
    ASSERT_EQ(rec().gestures.size(), 1u);
    EXPECT_EQ(rec().gestures[0], (DWORD)GN_CONTEXTMENU);
    EXPECT_GE(rec().gestureTimes[0] - start, (uint64_t)device::holdTimeMs(false));
    EXPECT_LT(rec().gestureTimes[0] - start, (uint64_t)device::holdTimeMs(false) + 100);
    device::penUp(60, 80);
    device::runUntilIdle();
    EXPECT_EQ(rec().penUps, 1);
}

TEST_F(GestureTest, PenLiftedEarlyIsNoHoldAndTheLiftStillArrives) {
    uint64_t start = device::clockNowMs();
    device::penDown(60, 80);
    device::penUp(60, 80);
    device::runUntilIdle();
    ASSERT_EQ(rec().gestures.size(), 1u);
    EXPECT_EQ(rec().gestures[0], 0u);
    EXPECT_EQ(rec().penUps, 1);
    EXPECT_EQ(device::clockNowMs(), start);

    // Lifted after 300 ms of holding: still no hold.
    device::penDown(60, 80);
    drive({[] {
        device::clockAdvance(300);
        device::penUp(60, 80);
    }});
    device::runUntilIdle();
    stopDriving();
    ASSERT_EQ(rec().gestures.size(), 2u);
    EXPECT_EQ(rec().gestures[1], 0u);
    EXPECT_EQ(rec().penUps, 2);
}

TEST_F(GestureTest, PenMovedAwayIsNoHoldButATremorIs) {
    device::penDown(60, 80);
    device::penMove(61, 82);  // within the tolerance
    device::runUntilIdle();
    ASSERT_EQ(rec().gestures.size(), 1u);
    EXPECT_EQ(rec().gestures[0], (DWORD)GN_CONTEXTMENU);
    device::penUp(61, 82);
    device::runUntilIdle();

    device::penDown(60, 80);
    device::penMove(60 + device::holdTolerance() + 10, 80);
    device::runUntilIdle();
    ASSERT_EQ(rec().gestures.size(), 2u);
    EXPECT_EQ(rec().gestures[1], 0u);
    device::penUp(80, 80);
    device::runUntilIdle();
}

TEST_F(GestureTest, NotificationsGoToTheClientOrItsParentWithTheScreenPoint) {
    rec().gestureFlags = SHRG_NOTIFYPARENT;
    device::penDown(60, 80);
    device::runUntilIdle();
    ASSERT_EQ(rec().notifyCodes.size(), 1u);
    EXPECT_EQ(rec().notifyCodes[0], (UINT)GN_CONTEXTMENU);
    EXPECT_EQ(rec().notifyIds[0], (UINT_PTR)6002);
    EXPECT_EQ(rec().notifyPoints[0].x, 60);
    EXPECT_EQ(rec().notifyPoints[0].y, 80);
    EXPECT_EQ(rec().gestures[0], 77u);  // what the parent answered
    device::penUp(60, 80);
    device::runUntilIdle();

    rec().gestureFlags = 0;  // the client itself is told
    device::penDown(70, 90);
    device::runUntilIdle();
    ASSERT_EQ(rec().notifyCodes.size(), 2u);
    device::penUp(70, 90);
    device::runUntilIdle();
}

TEST_F(GestureTest, RightButtonIsAnImmediateHold) {
    uint64_t start = device::clockNowMs();
    device::penHold(60, 80);
    device::runUntilIdle();
    ASSERT_EQ(rec().gestures.size(), 1u);
    EXPECT_EQ(rec().gestures[0], (DWORD)GN_CONTEXTMENU);
    EXPECT_EQ(device::clockNowMs(), start);
    EXPECT_EQ(rec().penUps, 1);
    // The next ordinary tap is an ordinary tap again.
    device::penDown(60, 80);
    device::penUp(60, 80);
    device::runUntilIdle();
    EXPECT_EQ(rec().gestures[1], 0u);
}

TEST_F(GestureTest, BadRequestsAreRefused) {
    SHRGINFO info{};
    info.cbSize = 3;
    info.hwndClient = pad_;
    EXPECT_EQ(SHRecognizeGesture(&info), 0u);
    EXPECT_EQ(SHRecognizeGesture(nullptr), 0u);
    info.cbSize = sizeof(info);
    info.hwndClient = nullptr;
    EXPECT_EQ(SHRecognizeGesture(&info), 0u);
    // Called with no pen down: nothing to wait for.
    info.hwndClient = pad_;
    info.dwFlags = SHRG_RETURNCMD;
    EXPECT_EQ(SHRecognizeGesture(&info), 0u);
}

// The program's item menu: on a hold, a context menu at the pen; the pen's
// own lift does not choose from it, a later tap does.
LRESULT CALLBACK contextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN) {
        SHRGINFO info{};
        info.cbSize = sizeof(info);
        info.hwndClient = hwnd;
        info.ptDown = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        info.dwFlags = SHRG_RETURNCMD;
        if (SHRecognizeGesture(&info) == GN_CONTEXTMENU) {
            HMENU m = LoadMenuW(nullptr, MAKEINTRESOURCEW(202));
            POINT pt = info.ptDown;
            ClientToScreen(hwnd, &pt);
            TrackPopupMenuEx(GetSubMenu(m, 0), TPM_LEFTALIGN | TPM_TOPALIGN, pt.x, pt.y, GetParent(hwnd), nullptr);
            DestroyMenu(m);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(GestureTest, HoldOpensTheItemMenuAndATapChoosesFromIt) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = contextProc;
    wc.lpszClassName = u"ctx";
    RegisterClassW(&wc);
    CreateWindowExW(0, u"ctx", u"", WS_CHILD | WS_VISIBLE, 0, 160, 240, 100, main_, nullptr, nullptr, nullptr);
    device::penDown(30, 200);
    drive({[] { device::clockAdvance(device::holdTimeMs(false) + 10); },  // held
           [] {
               EXPECT_TRUE(shell::popupOpen());
               device::penUp(30, 200);  // the hold's own lift
           },
           [] {
               EXPECT_TRUE(shell::popupOpen());
               EXPECT_TRUE(device::tapOpenPopupItem(u"Delete"));
           }});
    device::runUntilIdle();
    stopDriving();
    device::runUntilIdle();
    ASSERT_EQ(rec().commands.size(), 1u);
    EXPECT_EQ(rec().commands[0], 602u);
}

}  // namespace
}  // namespace shelltest
