// Full-screen dialogs, the low-memory message and the SIPPREF control.
#include "platform/shell/input_panel.h"
#include "platform/window/wm_internal.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

class ShellDialogTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        main_ = makeMain();
        dlg_ = CreateWindowExW(0, u"shellrec", u"Dialog", WS_POPUP | WS_VISIBLE, 30, 60, 180, 120, main_, nullptr,
                               nullptr, nullptr);
    }
    BOOL init(DWORD flags) {
        SHINITDLGINFO info{};
        info.dwMask = SHIDIM_FLAGS;
        info.hDlg = dlg_;
        info.dwFlags = flags;
        return SHInitDialog(&info);
    }
    HWND main_ = nullptr;
    HWND dlg_ = nullptr;
};

TEST_F(ShellDialogTest, FullScreenDialogFillsTheScreenAboveItsOwnEmptyBar) {
    ASSERT_TRUE(init(SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN));
    RECT r = screenRectOf(dlg_);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 26);
    EXPECT_EQ(r.right, 240);
    EXPECT_EQ(r.bottom, 294);
    HWND bar = SHFindMenuBar(dlg_);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(screenRectOf(bar).top, 294);
    EXPECT_TRUE(wm::get(dlg_)->navOkButton);
    // The panel coming up shrinks it; going down restores it.
    SHACTIVATEINFO sai{};
    sai.cbSize = 12;
    SipShowIM(SIPF_ON);
    SHHandleWMSettingChange(dlg_, SPI_SETSIPINFO, 0, &sai);
    EXPECT_EQ(screenRectOf(dlg_).bottom, 214);
    SipShowIM(SIPF_OFF);
    SHHandleWMSettingChange(dlg_, SPI_SETSIPINFO, 0, &sai);
    EXPECT_EQ(screenRectOf(dlg_).bottom, 294);
    // Its bar goes with it.
    DestroyWindow(dlg_);
    EXPECT_FALSE(IsWindow(bar));
}

TEST_F(ShellDialogTest, SizingFollowsTheFlags) {
    SipShowIM(SIPF_ON);
    ASSERT_TRUE(init(SHIDIF_SIZEDLG));
    EXPECT_EQ(screenRectOf(dlg_).bottom, 214);  // above the panel
    ASSERT_TRUE(init(SHIDIF_SIZEDLGFULLSCREEN));
    EXPECT_EQ(screenRectOf(dlg_).bottom, 294);  // whatever the panel does
    ASSERT_TRUE(init(SHIDIF_FULLSCREENNOMENUBAR | SHIDIF_SIPDOWN));
    EXPECT_FALSE(shell::sipIsOn());
    EXPECT_EQ(screenRectOf(dlg_).bottom, 320);
    EXPECT_FALSE(wm::get(dlg_)->navOkButton);
    // Without a sizing flag nothing moves.
    ASSERT_TRUE(init(SHIDIF_DONEBUTTON));
    EXPECT_EQ(screenRectOf(dlg_).bottom, 320);
    EXPECT_TRUE(wm::get(dlg_)->navOkButton);
    SHDoneButton(dlg_, SHDB_HIDE);
    EXPECT_FALSE(wm::get(dlg_)->navOkButton);

    SHINITDLGINFO bad{};
    bad.dwMask = 0;
    bad.hDlg = dlg_;
    EXPECT_FALSE(SHInitDialog(&bad));
    bad.dwMask = SHIDIM_FLAGS;
    bad.hDlg = nullptr;
    EXPECT_FALSE(SHInitDialog(&bad));
    EXPECT_FALSE(SHInitDialog(nullptr));
}

TEST_F(ShellDialogTest, HibernateReachesOnlyTheProgramsWindowsWhenAsked) {
    SHMENUBARINFO mb{};
    mb.cbSize = 36;
    mb.hwndParent = main_;
    mb.nToolBarId = 201;
    ASSERT_TRUE(SHCreateMenuBar(&mb));
    SipShowIM(SIPF_ON);
    device::runUntilIdle();
    EXPECT_EQ(rec().hibernates, 0);
    device::sendHibernate();
    device::runUntilIdle();
    EXPECT_EQ(rec().hibernates, 2);  // the main window and the dialog
    EXPECT_TRUE(IsWindow(mb.hwndMB));
}

// A stand-in edit control: tells its parent when it gains and loses the focus.
LRESULT CALLBACK fakeEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) {
        WORD code = msg == WM_SETFOCUS ? 0x0100 : 0x0200;
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), (LPARAM)hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(ShellDialogTest, SipPrefRaisesThePanelForTheDialogsEdits) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = fakeEditProc;
    wc.lpszClassName = u"Edit";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND edit = CreateWindowExW(0, u"Edit", u"", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, dlg_, (HMENU)1064, nullptr,
                                nullptr);
    HWND other = CreateWindowExW(0, u"shellrec", u"", WS_CHILD | WS_VISIBLE, 5, 40, 100, 20, dlg_, (HMENU)1000,
                                 nullptr, nullptr);
    WNDPROC before = (WNDPROC)GetWindowLongW(dlg_, GWL_WNDPROC);
    HWND pref = CreateWindowExW(0, WC_SIPPREF, u"", WS_CHILD, -10, -10, 5, 5, dlg_, (HMENU)-1, nullptr, nullptr);
    ASSERT_NE(pref, nullptr);
    SetActiveWindow(dlg_);
    SetFocus(edit);
    device::runUntilIdle();
    EXPECT_TRUE(shell::sipIsOn());
    SetFocus(other);
    device::runUntilIdle();
    EXPECT_FALSE(shell::sipIsOn());
    // The dialog's own messages still arrive.
    SendMessageW(dlg_, WM_COMMAND, MAKEWPARAM(77, 0), 0);
    EXPECT_EQ(rec().commands.back(), 77u);
    DestroyWindow(pref);
    EXPECT_EQ((WNDPROC)GetWindowLongW(dlg_, GWL_WNDPROC), before);
    SetFocus(edit);
    device::runUntilIdle();
    EXPECT_FALSE(shell::sipIsOn());
}

}  // namespace
}  // namespace shelltest
