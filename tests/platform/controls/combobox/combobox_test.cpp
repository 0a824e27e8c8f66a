#include "platform/controls/ctl_fixture.h"
#include "platform/controls/combobox/combobox_control.h"

namespace ctltest {
namespace {

class ComboBoxTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(device::registerComboBoxControl());
        combo = make(WC_COMBOBOX, u"", WS_VSCROLL | CBS_SORT | CBS_DROPDOWNLIST, 6000, 0, 0, 200, 120);
        for (auto* s : {u"Work", u"home", u"Errands", u"garden"}) SendMessageW(combo, CB_ADDSTRING, 0, (LPARAM)s);
        take();
    }
    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(combo, msg, w, l); }
    RECT listRect() {
        RECT r{};
        send(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)&r);
        return r;
    }
    // Screen point of entry i in the open list.
    POINT entryPoint(int i) {
        RECT r = listRect();
        int h = (int)send(CB_GETITEMHEIGHT, 0);
        int firstShown = (int)send(CB_GETTOPINDEX);
        return POINT{r.left + 10, r.top + 1 + (i - firstShown) * h + h / 2};
    }
    HWND combo = nullptr;
};

TEST_F(ComboBoxTest, EntriesAreSortedAndFoundIgnoringCase) {
    EXPECT_EQ(send(CB_GETCOUNT), 4);
    WCHAR buf[32];
    const char16_t* expected[] = {u"Errands", u"garden", u"home", u"Work"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(send(CB_GETLBTEXT, (WPARAM)i, (LPARAM)buf), (LRESULT)std::u16string(expected[i]).size());
        EXPECT_EQ(std::u16string(buf), expected[i]);
    }
    EXPECT_EQ(send(CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)u"HOME"), 2);
    EXPECT_EQ(send(CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)u"hom"), CB_ERR);
    EXPECT_EQ(send(CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(send(CB_GETLBTEXTLEN, 9), CB_ERR);
    EXPECT_EQ(send(CB_SETCURSEL, 1), 1);
    EXPECT_EQ(GetWindowTextLengthW(combo), 6);
    GetWindowTextW(combo, buf, 32);
    EXPECT_EQ(std::u16string(buf), u"garden");
    EXPECT_EQ(send(CB_SETITEMDATA, 1, 42), CB_OKAY);
    EXPECT_EQ(send(CB_GETITEMDATA, 1), 42);
    EXPECT_EQ(send(CB_DELETESTRING, 0), 3);
    EXPECT_EQ(send(CB_GETCURSEL), 0);
    send(CB_RESETCONTENT);
    EXPECT_EQ(send(CB_GETCOUNT), 0);
    EXPECT_TRUE(take().empty());
}

// A window's owned popups go before its own WM_DESTROY, its children after
// it: the drop-down holds the entries, so it goes with the box, and the
// parent can still read them while it is being destroyed.
LRESULT gCountSeenAtDestroy = -2;
HWND gComboOfParent = nullptr;
WNDPROC gParentBase = nullptr;
LRESULT CALLBACK countingParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) gCountSeenAtDestroy = SendMessageW(gComboOfParent, CB_GETCOUNT, 0, 0);
    return CallWindowProcW(gParentBase, hwnd, msg, wParam, lParam);
}

TEST_F(ComboBoxTest, EntriesOutliveTheParentsOwnedWindowsAndGoWithTheBox) {
    gComboOfParent = combo;
    gParentBase = (WNDPROC)SetWindowLongPtrW(top, GWLP_WNDPROC, (LONG_PTR)countingParent);
    ASSERT_NE(FindWindowW(WC_LISTBOXW, nullptr), nullptr);
    DestroyWindow(top);
    top = nullptr;
    EXPECT_EQ(gCountSeenAtDestroy, 4);
    EXPECT_FALSE(IsWindow(combo));
    EXPECT_EQ(FindWindowW(WC_LISTBOXW, nullptr), nullptr);
}

TEST_F(ComboBoxTest, WindowHeightIsTheClosedBoxAndFollowsTheFont) {
    RECT wr;
    GetWindowRect(combo, &wr);
    int height = (int)(wr.bottom - wr.top);
    EXPECT_LT(height, 40);
    EXPECT_GT(height, (int)send(CB_GETITEMHEIGHT, 0));
    LOGFONTW lf{};
    lf.lfHeight = -24;
    HFONT big = CreateFontIndirectW(&lf);
    send(WM_SETFONT, (WPARAM)big, TRUE);
    GetWindowRect(combo, &wr);
    EXPECT_GT((int)(wr.bottom - wr.top), height);
    EXPECT_EQ(send(WM_GETFONT), (LRESULT)big);
    DestroyWindow(combo);
    DeleteObject(big);
}

TEST_F(ComboBoxTest, ChoosingByPen) {
    send(CB_SETCURSEL, 0);
    RECT box;
    GetWindowRect(combo, &box);
    tap(combo, 190, 5);  // the drop button
    ASSERT_TRUE(send(CB_GETDROPPEDSTATE));
    EXPECT_EQ(take(), (std::vector<std::string>{"6000:3", "6000:7"}));  // focus, drop-down
    RECT r = listRect();
    EXPECT_EQ(r.top, box.bottom);  // below the box
    POINT p = entryPoint(2);
    device::penDown(p.x, p.y);
    device::runUntilIdle();
    device::penUp(p.x, p.y);
    device::runUntilIdle();
    EXPECT_FALSE(send(CB_GETDROPPEDSTATE));
    EXPECT_EQ(send(CB_GETCURSEL), 2);
    EXPECT_EQ(take(), (std::vector<std::string>{"6000:1", "6000:9", "6000:8"}));
}

TEST_F(ComboBoxTest, DraggingFromTheBoxIntoTheList) {
    down(combo, 50, 5);
    ASSERT_TRUE(send(CB_GETDROPPEDSTATE));
    up(combo, 50, 5);  // lifting the pen on the box leaves the list open
    EXPECT_TRUE(send(CB_GETDROPPEDSTATE));
    take();
    device::advanceClock(2000);
    POINT p = entryPoint(3);
    device::penDown(p.x, p.y - 20);
    device::penMove(p.x, p.y);
    device::penUp(p.x, p.y);
    device::runUntilIdle();
    EXPECT_EQ(send(CB_GETCURSEL), 3);
    EXPECT_EQ(take(), (std::vector<std::string>{"6000:1", "6000:9", "6000:8"}));
}

TEST_F(ComboBoxTest, TappingOutsideCancels) {
    send(CB_SETCURSEL, 1);
    send(CB_SHOWDROPDOWN, TRUE);
    EXPECT_EQ(take(), (std::vector<std::string>{"6000:7", "6000:3"}));  // the open list takes the keys
    POINT p = entryPoint(3);
    device::penDown(p.x, p.y);
    device::penMove(p.x + 300, p.y + 300);  // off the list: nothing chosen
    device::runUntilIdle();
    device::penUp(p.x + 300, p.y + 300);
    device::runUntilIdle();
    device::advanceClock(2000);
    device::penDown(230, 300);
    device::penUp(230, 300);
    device::runUntilIdle();
    EXPECT_FALSE(send(CB_GETDROPPEDSTATE));
    EXPECT_EQ(send(CB_GETCURSEL), 1);  // the selection of before the drop
    EXPECT_EQ(take(), (std::vector<std::string>{"6000:10", "6000:8", "6000:4"}));  // the tap went on to the window
    EXPECT_EQ(GetCapture(), nullptr);
}

int g_pensDown = 0;
LRESULT CALLBACK tappedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_LBUTTONDOWN) ++g_pensDown;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(ComboBoxTest, AListDroppedWhileAnotherWindowHasTheFocus) {
    // As a bar that stands for the box drops it: Escape closes the list and
    // the focus goes back; a tap on another window closes it and still
    // reaches that window.
    WNDCLASSW wc{};
    wc.lpfnWndProc = tappedProc;
    wc.lpszClassName = u"tapped";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND other = make(u"tapped", u"", 0, 7000, 10, 200, 60, 30);
    SetFocus(other);
    device::runUntilIdle();
    send(CB_SHOWDROPDOWN, TRUE);
    ASSERT_TRUE(send(CB_GETDROPPEDSTATE));
    key(VK_ESCAPE);
    EXPECT_FALSE(send(CB_GETDROPPEDSTATE));
    EXPECT_EQ(GetFocus(), other);
    send(CB_SHOWDROPDOWN, TRUE);
    g_pensDown = 0;
    tap(other, 30, 15);
    EXPECT_FALSE(send(CB_GETDROPPEDSTATE));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(g_pensDown, 1);
}

TEST_F(ComboBoxTest, TheClosedBoxIsTwentyRowsAndFortyOnTheHighResolutionScreen) {
    RECT wr;
    GetWindowRect(combo, &wr);
    EXPECT_EQ(wr.bottom - wr.top, 20);
    device::windowSystemReset();
    device::screenConfigure(true);
    SetUp();
    HWND dense = make(WC_COMBOBOX, u"", CBS_DROPDOWNLIST, 6001, 0, 0, 400, 200);
    GetWindowRect(dense, &wr);
    device::windowSystemReset();
    device::screenConfigure(false);
    EXPECT_EQ(wr.bottom - wr.top, 40);
}

TEST_F(ComboBoxTest, KeysWhileClosedAndOpen) {
    SetFocus(combo);
    device::runUntilIdle();
    take();
    key(VK_DOWN);
    EXPECT_EQ(send(CB_GETCURSEL), 0);
    EXPECT_EQ(take(), (std::vector<std::string>{"6000:1"}));
    key(VK_F4);
    EXPECT_TRUE(send(CB_GETDROPPEDSTATE));
    key(VK_DOWN);
    key(VK_RETURN);
    EXPECT_FALSE(send(CB_GETDROPPEDSTATE));
    EXPECT_EQ(send(CB_GETCURSEL), 1);
    EXPECT_EQ(take(), (std::vector<std::string>{"6000:7", "6000:1", "6000:9", "6000:8"}));
    key(VK_F4);
    key(VK_ESCAPE);
    EXPECT_EQ(take(), (std::vector<std::string>{"6000:7", "6000:10", "6000:8"}));
}

TEST_F(ComboBoxTest, HidingTheBoxWhileTheChoiceIsToldClosesTheListAsAccepted) {
    // The program hides the box when it hears of the choice.
    static HWND hideMe = nullptr;
    static WNDPROC old = nullptr;
    hideMe = combo;
    old = (WNDPROC)SetWindowLongW(top, GWL_WNDPROC, (LONG_PTR)+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        LRESULT r = CallWindowProcW(old, h, m, w, l);
        if (m == WM_COMMAND && HIWORD(w) == CBN_SELCHANGE) ShowWindow(hideMe, SW_HIDE);
        return r;
    });
    send(CB_SHOWDROPDOWN, TRUE);
    take();
    POINT p = entryPoint(1);
    device::penDown(p.x, p.y);
    device::penUp(p.x, p.y);
    device::runUntilIdle();
    EXPECT_FALSE(send(CB_GETDROPPEDSTATE));
    EXPECT_EQ(take(), (std::vector<std::string>{"6000:1", "6000:9", "6000:8", "6000:4"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBoxTest, ListOpensAboveWhenNoRoomBelow) {
    MoveWindow(combo, 0, 250, 200, 20, TRUE);
    send(CB_SHOWDROPDOWN, TRUE);
    RECT box, r = listRect();
    GetWindowRect(combo, &box);
    EXPECT_EQ(r.bottom, box.top);
    EXPECT_GT(r.bottom - r.top, 3 * send(CB_GETITEMHEIGHT, 0));
    send(CB_SHOWDROPDOWN, FALSE);
    EXPECT_FALSE(send(CB_GETDROPPEDSTATE));
}

}  // namespace
}  // namespace ctltest
