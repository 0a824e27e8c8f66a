#include "platform/controls/ctl_fixture.h"
#include "platform/controls/listbox/listbox_control.h"

namespace ctltest {
namespace {

class ListBoxTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(device::registerListBoxControl());
    }
    HWND makeList(DWORD style, int h = 100) { return list = make(WC_LISTBOX, u"", style, 60, 10, 10, 120, h); }
    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(list, msg, w, l); }
    LRESULT add(const char16_t* s) { return send(LB_ADDSTRING, 0, (LPARAM)s); }
    std::u16string text(int i) {
        WCHAR buf[64] = {0};
        send(LB_GETTEXT, (WPARAM)i, (LPARAM)buf);
        return buf;
    }
    std::vector<std::u16string> all() {
        std::vector<std::u16string> out;
        for (int i = 0; i < send(LB_GETCOUNT); ++i) out.push_back(text(i));
        return out;
    }
    HWND list = nullptr;
};

TEST_F(ListBoxTest, SortedInsertIgnoresCase) {
    makeList(LBS_SORT | LBS_NOTIFY);
    EXPECT_EQ(add(u"pear"), 0);
    EXPECT_EQ(add(u"Apple"), 0);
    EXPECT_EQ(add(u"banana"), 1);
    EXPECT_EQ(add(u"APPLE"), 1);  // after its equal
    EXPECT_EQ(add(u"Zebra"), 4);
    EXPECT_EQ(all(), (std::vector<std::u16string>{u"Apple", u"APPLE", u"banana", u"pear", u"Zebra"}));
    // Inserting ignores the order even in a sorted list.
    EXPECT_EQ(send(LB_INSERTSTRING, 0, (LPARAM)u"zzz"), 0);
    EXPECT_EQ(send(LB_INSERTSTRING, (WPARAM)-1, (LPARAM)u"aaa"), 6);
    EXPECT_EQ(send(LB_INSERTSTRING, 9, (LPARAM)u"x"), LB_ERR);
}

TEST_F(ListBoxTest, FindsArePrefixOrExactIgnoringCaseAndWrap) {
    makeList(0);
    for (auto* s : {u"alpha", u"Beta", u"betamax", u"gamma"}) add(s);
    EXPECT_EQ(send(LB_FINDSTRING, (WPARAM)-1, (LPARAM)u"BET"), 1);
    EXPECT_EQ(send(LB_FINDSTRING, 1, (LPARAM)u"bet"), 2);
    EXPECT_EQ(send(LB_FINDSTRING, 2, (LPARAM)u"bet"), 1);  // wraps round
    EXPECT_EQ(send(LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)u"BETA"), 1);
    EXPECT_EQ(send(LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)u"bet"), LB_ERR);
    EXPECT_EQ(send(LB_FINDSTRING, (WPARAM)-1, (LPARAM)u"delta"), LB_ERR);
    EXPECT_EQ(send(LB_FINDSTRING, 99, (LPARAM)u"a"), 0);
    EXPECT_EQ(send(LB_SELECTSTRING, (WPARAM)-1, (LPARAM)u"g"), 3);
    EXPECT_EQ(send(LB_GETCURSEL), 3);
}

TEST_F(ListBoxTest, ErrorsAndItemData) {
    makeList(0);
    EXPECT_EQ(send(LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(send(LB_GETTEXTLEN, 0), LB_ERR);
    EXPECT_EQ(send(LB_DELETESTRING, 0), LB_ERR);
    EXPECT_EQ(send(LB_GETITEMDATA, 0), LB_ERR);
    add(u"one");
    add(u"three");
    EXPECT_EQ(send(LB_GETTEXTLEN, 1), 5);
    EXPECT_EQ(send(LB_SETITEMDATA, 1, 77), LB_OKAY);
    EXPECT_EQ(send(LB_GETITEMDATA, 1), 77);
    EXPECT_EQ(send(LB_SETCURSEL, 5), LB_ERR);
    EXPECT_EQ(send(LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(send(LB_SETCURSEL, 1), 1);
    // The selection stays on its item when others come and go.
    send(LB_INSERTSTRING, 0, (LPARAM)u"zero");
    EXPECT_EQ(send(LB_GETCURSEL), 2);
    EXPECT_EQ(send(LB_GETITEMDATA, 2), 77);
    EXPECT_EQ(send(LB_DELETESTRING, 0), 2);
    EXPECT_EQ(send(LB_GETCURSEL), 1);
    EXPECT_EQ(send(LB_DELETESTRING, 1), 1);
    EXPECT_EQ(send(LB_GETCURSEL), LB_ERR);
    send(LB_RESETCONTENT);
    EXPECT_EQ(send(LB_GETCOUNT), 0);
    EXPECT_TRUE(take().empty());  // nothing is told for changes made by messages
}

TEST_F(ListBoxTest, PenSelectsAndNotifies) {
    makeList(LBS_NOTIFY);
    for (auto* s : {u"a", u"b", u"c"}) add(s);
    int h = (int)send(LB_GETITEMHEIGHT);
    ASSERT_GT(h, 0);
    down(list, 10, h + 2);
    EXPECT_EQ(send(LB_GETCURSEL), 1);
    move(list, 10, 2 * h + 2);
    EXPECT_EQ(send(LB_GETCURSEL), 2);
    up(list, 10, 2 * h + 2);
    EXPECT_EQ(take(), (std::vector<std::string>{"60:4", "60:1"}));  // focus, then the change
    device::advanceClock(2000);
    tap(list, 10, 2);
    tap(list, 10, 2);  // at once: a double tap
    EXPECT_EQ(take(), (std::vector<std::string>{"60:1", "60:2", "60:1"}));
    device::advanceClock(2000);
    tap(list, 10, 90);  // below the items keeps the selection
    EXPECT_EQ(send(LB_GETCURSEL), 0);
}

TEST_F(ListBoxTest, WithoutNotifyNothingIsTold) {
    makeList(0);
    add(u"a");
    tap(list, 5, 2);
    EXPECT_EQ(send(LB_GETCURSEL), 0);
    EXPECT_TRUE(take().empty());
}

TEST_F(ListBoxTest, KeysMoveTheSelection) {
    makeList(LBS_NOTIFY);
    for (auto* s : {u"apple", u"berry", u"cherry", u"banana"}) add(s);
    SetFocus(list);
    device::runUntilIdle();
    take();
    key(VK_DOWN);
    EXPECT_EQ(send(LB_GETCURSEL), 0);
    key(VK_END);
    EXPECT_EQ(send(LB_GETCURSEL), 3);
    key(VK_DOWN);  // already at the end: no change, no notification
    EXPECT_EQ(take(), (std::vector<std::string>{"60:1", "60:1"}));
    device::typeChar(u'b');
    device::runUntilIdle();
    EXPECT_EQ(send(LB_GETCURSEL), 1);
}

TEST_F(ListBoxTest, TopIndexScrollBarAndItemRects) {
    makeList(WS_VSCROLL | WS_BORDER, 60);
    for (int i = 0; i < 20; ++i) add((u"item" + std::u16string(1, (char16_t)(u'a' + i))).c_str());
    int h = (int)send(LB_GETITEMHEIGHT);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 19);
    RECT rc;
    GetClientRect(list, &rc);
    EXPECT_EQ((int)si.nPage, (int)rc.bottom / h);
    EXPECT_EQ(send(LB_SETTOPINDEX, 5), LB_OKAY);
    EXPECT_EQ(send(LB_GETTOPINDEX), 5);
    RECT item{};
    send(LB_GETITEMRECT, 6, (LPARAM)&item);
    EXPECT_EQ(item.top, h);
    send(LB_SETTOPINDEX, 19);  // no further than a full last page
    EXPECT_EQ(send(LB_GETTOPINDEX), 20 - (int)si.nPage);
    send(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(send(LB_GETTOPINDEX), 0);
    send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(send(LB_GETTOPINDEX), 1);
    si.fMask = SIF_POS;
    GetScrollInfo(list, SB_VERT, &si);
    EXPECT_EQ(si.nPos, 1);
    send(LB_SETCURSEL, 15);  // selecting scrolls it into view
    EXPECT_LE(send(LB_GETTOPINDEX), 15);
    EXPECT_GT(send(LB_GETTOPINDEX) + (int)si.nPage, 15);
}

TEST_F(ListBoxTest, SelectedRowIsHighlighted) {
    makeList(0);
    add(u"a");
    add(u"b");
    int h = (int)send(LB_GETITEMHEIGHT);
    send(LB_SETCURSEL, 1);
    device::runUntilIdle();
    EXPECT_EQ(pixel(list, 100, h + h / 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(list, 100, h / 2), GetSysColor(COLOR_WINDOW));
}

}  // namespace
}  // namespace ctltest
