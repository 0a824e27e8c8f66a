#include "platform/controls/ctl_fixture.h"
#include "platform/controls/button/button_control.h"

namespace ctltest {
namespace {

class ButtonTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(device::registerButtonControl());
    }
    static LRESULT check(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0); }
};

TEST_F(ButtonTest, ClickedOnlyWhenReleasedInside) {
    HWND b = make(WC_BUTTON, u"OK", BS_PUSHBUTTON, 1, 10, 10, 60, 20);
    down(b, 10, 10);
    EXPECT_TRUE(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_EQ(GetFocus(), b);
    move(b, 100, 100);
    EXPECT_FALSE(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
    up(b, 100, 100);
    EXPECT_TRUE(take().empty());
    device::advanceClock(2000);
    down(b, 10, 10);
    move(b, 100, 100);
    move(b, 20, 10);
    up(b, 20, 10);
    EXPECT_EQ(take(), (std::vector<std::string>{"1:0"}));
    EXPECT_FALSE(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
}

TEST_F(ButtonTest, PressedLookWhileThePenIsDown) {
    HWND b = make(WC_BUTTON, u"", BS_PUSHBUTTON, 1, 10, 10, 60, 20);
    COLORREF before = pixel(b, 30, 10);
    down(b, 30, 10);
    EXPECT_EQ(pixel(b, 30, 10), GetSysColor(COLOR_HIGHLIGHT));
    up(b, 30, 10);
    EXPECT_EQ(pixel(b, 30, 10), before);
    EXPECT_EQ(pixel(b, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
}

TEST_F(ButtonTest, SpaceActivatesTheFocusedButton) {
    HWND b = make(WC_BUTTON, u"Go", BS_PUSHBUTTON, 3, 10, 10, 60, 20);
    SetFocus(b);
    device::runUntilIdle();
    key(VK_SPACE);
    EXPECT_EQ(take(), (std::vector<std::string>{"3:0"}));
    SendMessageW(b, BM_CLICK, 0, 0);
    EXPECT_EQ(take(), (std::vector<std::string>{"3:0"}));
}

TEST_F(ButtonTest, CheckBoxesToggleThemselvesOnlyWhenAutomatic) {
    HWND aut = make(WC_BUTTON, u"auto", BS_AUTOCHECKBOX, 4, 10, 10, 100, 20);
    HWND man = make(WC_BUTTON, u"manual", BS_CHECKBOX, 5, 10, 40, 100, 20);
    HWND tri = make(WC_BUTTON, u"three", BS_AUTO3STATE, 6, 10, 70, 100, 20);
    tap(aut, 5, 5);
    EXPECT_EQ(check(aut), BST_CHECKED);
    device::advanceClock(2000);
    tap(man, 5, 5);
    EXPECT_EQ(check(man), BST_UNCHECKED);
    EXPECT_EQ(take(), (std::vector<std::string>{"4:0", "5:0"}));
    SendMessageW(man, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(check(man), BST_CHECKED);
    EXPECT_TRUE(take().empty());  // setting by message tells nobody
    SendMessageW(man, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(check(man), BST_CHECKED);  // two-state boxes have no third state
    for (int expected : {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}) {
        SendMessageW(tri, BM_CLICK, 0, 0);
        EXPECT_EQ(check(tri), expected);
    }
    HWND push = make(WC_BUTTON, u"push", BS_PUSHBUTTON, 7, 10, 100, 60, 20);
    SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(check(push), BST_UNCHECKED);
}

TEST_F(ButtonTest, AutoRadioButtonsUncheckTheirGroupOnly) {
    HWND a = make(WC_BUTTON, u"a", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 10, 80, 20);
    HWND b = make(WC_BUTTON, u"b", BS_AUTORADIOBUTTON, 11, 10, 35, 80, 20);
    HWND c = make(WC_BUTTON, u"c", BS_AUTORADIOBUTTON, 12, 10, 60, 80, 20);
    HWND d = make(WC_BUTTON, u"d", BS_AUTORADIOBUTTON | WS_GROUP, 13, 10, 85, 80, 20);
    SendMessageW(a, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(d, BM_SETCHECK, BST_CHECKED, 0);
    tap(c, 5, 5);
    EXPECT_EQ(check(a), BST_UNCHECKED);
    EXPECT_EQ(check(b), BST_UNCHECKED);
    EXPECT_EQ(check(c), BST_CHECKED);
    EXPECT_EQ(check(d), BST_CHECKED);
    EXPECT_EQ(take(), (std::vector<std::string>{"12:0"}));
    // A plain radio button leaves the checking to its parent.
    HWND plain = make(WC_BUTTON, u"p", BS_RADIOBUTTON | WS_GROUP, 14, 120, 10, 80, 20);
    SendMessageW(plain, BM_CLICK, 0, 0);
    EXPECT_EQ(check(plain), BST_UNCHECKED);
}

TEST_F(ButtonTest, DialogCodesAndDefaultStyle) {
    HWND push = make(WC_BUTTON, u"p", BS_PUSHBUTTON, 1, 10, 10, 60, 20);
    HWND def = make(WC_BUTTON, u"d", BS_DEFPUSHBUTTON, 2, 10, 40, 60, 20);
    HWND radio = make(WC_BUTTON, u"r", BS_RADIOBUTTON, 3, 10, 70, 60, 20);
    HWND box = make(WC_BUTTON, u"c", BS_CHECKBOX, 4, 10, 100, 60, 20);
    HWND group = make(WC_BUTTON, u"g", BS_GROUPBOX, 5, 100, 10, 100, 100);
    EXPECT_EQ(SendMessageW(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessageW(def, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendMessageW(radio, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(SendMessageW(box, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
    EXPECT_EQ(SendMessageW(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    // The dialog manager moves the default look with BM_SETSTYLE.
    SendMessageW(def, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageW(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessageW(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(def, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_TRUE(GetWindowLongW(def, GWL_STYLE) & WS_VISIBLE);
    device::runUntilIdle();
    EXPECT_EQ(pixel(push, 1, 1), GetSysColor(COLOR_WINDOWFRAME));  // double frame
    EXPECT_NE(pixel(def, 1, 1), GetSysColor(COLOR_WINDOWFRAME));
    // A group box ignores the pen.
    tap(group, 50, 50);
    EXPECT_TRUE(take().empty());
}

TEST_F(ButtonTest, AGroupBoxDrawsItsFrameAndCaptionButLeavesItsInsideToTheControlsInIt) {
    HWND group = make(WC_BUTTON, u"Folders", BS_GROUPBOX, 5, 10, 10, 120, 80);
    // A control in the box, below it in the z-order as the dialog manager
    // makes them, painted black.
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = u"blackbox";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND inside = make(u"blackbox", u"", 0, 6, 20, 30, 60, 40);
    device::runUntilIdle();
    ASSERT_EQ(pixel(inside, 10, 10), RGB(0, 0, 0));
    InvalidateRect(group, nullptr, TRUE);
    UpdateWindow(group);
    EXPECT_EQ(pixel(inside, 10, 10), RGB(0, 0, 0));
    EXPECT_EQ(pixel(group, 0, 40), GetSysColor(COLOR_WINDOWFRAME));  // the frame's left edge
    // The pen goes through the box to what lies under it.
    POINT p{30, 20};
    ClientToScreen(inside, &p);
    EXPECT_EQ(WindowFromPoint(p), inside);
    EXPECT_EQ(SendMessageW(group, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTTRANSPARENT);
}

TEST_F(ButtonTest, OwnerDrawnButtonsAskTheParent) {
    HWND b = make(WC_BUTTON, u"", BS_OWNERDRAW, 9, 10, 10, 40, 20);
    device::runUntilIdle();
    EXPECT_GE(log().drawItems, 1);
    tap(b, 5, 5);
    EXPECT_EQ(take(), (std::vector<std::string>{"9:0"}));
}

TEST_F(ButtonTest, CheckMarkIsDrawn) {
    HWND b = make(WC_BUTTON, u"", BS_AUTOCHECKBOX, 4, 10, 10, 100, 20);
    auto inkInBox = [&] {
        int n = 0;
        for (int y = 5; y < 15; ++y)
            for (int x = 2; x < 11; ++x) n += pixel(b, x, y) != GetSysColor(COLOR_WINDOW);
        return n;
    };
    EXPECT_EQ(inkInBox(), 0);
    SendMessageW(b, BM_SETCHECK, BST_CHECKED, 0);
    device::runUntilIdle();
    EXPECT_GT(inkInBox(), 8);
}

TEST_F(ButtonTest, OnTheHighResolutionScreenMarksAndFramesAreTwiceAsLarge) {
    device::windowSystemReset();
    device::screenConfigure(true);
    SetUp();
    HWND box = make(WC_BUTTON, u"Auto check", BS_AUTOCHECKBOX, 4, 10, 10, 200, 40);
    HWND def = make(WC_BUTTON, u"OK", BS_DEFPUSHBUTTON, 1, 10, 60, 120, 46);
    device::runUntilIdle();
    // The box's frame: 26 pixels from its left edge to its right, 2 thick.
    int boxTop = 20 - 13;
    EXPECT_EQ(pixel(box, 0, boxTop + 13), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(pixel(box, 1, boxTop + 13), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(pixel(box, 25, boxTop + 13), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_NE(pixel(box, 27, boxTop + 13), GetSysColor(COLOR_WINDOWFRAME));
    // The default button's frame is four pixels thick.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pixel(def, i, 23), GetSysColor(COLOR_WINDOWFRAME)) << i;
    EXPECT_NE(pixel(def, 4, 23), GetSysColor(COLOR_WINDOWFRAME));
    device::windowSystemReset();
    device::screenConfigure(false);
}

}  // namespace
}  // namespace ctltest
