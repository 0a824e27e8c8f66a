#include "platform/controls/ctl_fixture.h"
#include "platform/controls/progress/progress_control.h"

namespace ctltest {
namespace {

class ProgressTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(device::registerProgressControl());
        bar = make(PROGRESS_CLASSW, u"", 0, 1010, 10, 10, 200, 12);
    }
    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(bar, msg, w, l); }
    HWND bar = nullptr;
};

TEST_F(ProgressTest, PositionsAreClampedToTheRange) {
    EXPECT_EQ(send(PBM_SETRANGE, 0, MAKELPARAM(10, 50)), MAKELONG(0, 100));
    EXPECT_EQ(send(PBM_GETPOS), 10);
    EXPECT_EQ(send(PBM_SETPOS, 70), 10);
    EXPECT_EQ(send(PBM_GETPOS), 50);
    EXPECT_EQ(send(PBM_DELTAPOS, (WPARAM)-100), 50);
    EXPECT_EQ(send(PBM_GETPOS), 10);
    send(PBM_SETRANGE32, (WPARAM)-5, 100000);
    PBRANGE r{};
    EXPECT_EQ(send(PBM_GETRANGE, TRUE, (LPARAM)&r), -5);
    EXPECT_EQ(r.iHigh, 100000);
}

TEST_F(ProgressTest, SteppingWrapsRound) {
    send(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    EXPECT_EQ(send(PBM_SETSTEP, 30), 10);
    for (int expected : {30, 60, 90, 20}) {
        send(PBM_STEPIT);
        EXPECT_EQ(send(PBM_GETPOS), expected);
    }
}

TEST_F(ProgressTest, FilledPartFollowsThePosition) {
    send(PBM_SETPOS, 50);
    device::runUntilIdle();
    EXPECT_EQ(pixel(bar, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(pixel(bar, 190, 6), GetSysColor(COLOR_WINDOW));
    int lit = 0;
    for (int x = 2; x < 198; ++x) lit += pixel(bar, x, 6) == GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_GT(lit, 60);
    EXPECT_LT(lit, 100);
}

}  // namespace
}  // namespace ctltest
