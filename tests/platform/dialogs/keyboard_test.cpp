// The dialog keyboard on a modeless dialog, fed by a loop that passes every
// message through IsDialogMessageW as a program's loop does.
#include "dlg_fixture.h"

using namespace dlgtest;

namespace {

INT_PTR CALLBACK quietProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND) log().push_back("dlg WM_COMMAND " + std::to_string(LOWORD(wParam)));
    return msg == WM_INITDIALOG || msg == WM_COMMAND;
}

// Tab stops: edit 10, (label 11 no stop), button 12, hidden button 13,
// disabled button 14, then a radio group 20-22 (first is the tab stop) and
// a check box 30 starting the next group.
device::DialogTemplate formDialog() {
    return device::DialogTemplate{
        DS_SETFONT | WS_POPUP | WS_VISIBLE, 0, 0, 0, 160, 120, u"Form", u"Tahoma", 8,
        {{kEdit, u"", 10, WS_VISIBLE | WS_TABSTOP | WS_GROUP, 0, 5, 5, 100, 12},
         {kLabel, u"Label", 11, WS_VISIBLE, 0, 5, 20, 40, 8},
         {kButton, u"One", 12, WS_VISIBLE | WS_TABSTOP, 0, 5, 30, 40, 14},
         {kButton, u"Hidden", 13, WS_TABSTOP, 0, 50, 30, 40, 14},
         {kButton, u"Off", 14, WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 0, 95, 30, 40, 14},
         {kButton, u"Red", 20, WS_VISIBLE | WS_TABSTOP | WS_GROUP | kBsAutoRadioButton, 0, 5, 50, 40, 10},
         {kButton, u"Green", 21, WS_VISIBLE | kBsAutoRadioButton, 0, 5, 62, 40, 10},
         {kButton, u"Blue", 22, WS_VISIBLE | kBsAutoRadioButton, 0, 5, 74, 40, 10},
         {kButton, u"Check", 30, WS_VISIBLE | WS_TABSTOP | WS_GROUP | kBsAutoCheckBox, 0, 5, 90, 60, 10}}};
}

class Keyboard : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        addTemplate(50, formDialog());
        dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(50), nullptr, quietProc, 0);
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(IsWindowVisible(dialog));
    }
    // Delivers pending input the way a program's loop with a modeless dialog does.
    void pump() {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) break;
            if (IsDialogMessageW(dialog, &m)) continue;
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    int focusId() { return GetDlgCtrlID(GetFocus()); }
    void key(unsigned vk) {
        press(vk);
        pump();
    }
    void shiftTab() {
        device::keyDown(VK_SHIFT);
        press(VK_TAB);
        device::keyUp(VK_SHIFT);
        pump();
    }

    HWND dialog = nullptr;
};

}  // namespace

TEST_F(Keyboard, TabVisitsTheShownEnabledTabStopsInTemplateOrderAndWraps) {
    EXPECT_EQ(focusId(), 10);
    key(VK_TAB);
    EXPECT_EQ(focusId(), 12);
    key(VK_TAB);
    EXPECT_EQ(focusId(), 20);
    key(VK_TAB);
    EXPECT_EQ(focusId(), 30);
    key(VK_TAB);
    EXPECT_EQ(focusId(), 10);
    shiftTab();
    EXPECT_EQ(focusId(), 30);
    shiftTab();
    EXPECT_EQ(focusId(), 20);
    // Tab's character never reaches the edit field.
    key(VK_TAB);
    key(VK_TAB);
    EXPECT_EQ(focusId(), 10);
    EXPECT_EQ(textOf(GetDlgItem(dialog, 10)), u"");
}

TEST_F(Keyboard, TheTabSearchesAnswerFromAnyStartingPoint) {
    HWND edit = GetDlgItem(dialog, 10), check = GetDlgItem(dialog, 30);
    EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), edit);
    EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, TRUE), check);
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 11), FALSE), GetDlgItem(dialog, 12));
    EXPECT_EQ(GetNextDlgTabItem(dialog, edit, TRUE), check);
    EXPECT_EQ(GetNextDlgTabItem(nullptr, edit, FALSE), nullptr);
    // Showing and enabling brings controls into the order.
    ShowWindow(GetDlgItem(dialog, 13), SW_SHOW);
    EnableWindow(GetDlgItem(dialog, 14), TRUE);
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 12), FALSE), GetDlgItem(dialog, 13));
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 13), FALSE), GetDlgItem(dialog, 14));
}

TEST_F(Keyboard, ArrowsMoveWithinARadioGroupAndChooseTheButtonTheyReach) {
    SendMessageW(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, 20), TRUE);
    EXPECT_EQ(focusId(), 20);
    key(VK_DOWN);
    EXPECT_EQ(focusId(), 21);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 21), 1u);
    key(VK_DOWN);
    key(VK_DOWN);  // wraps inside the group, never into the check box
    EXPECT_EQ(focusId(), 20);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 20), 1u);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 21), 0u);
    key(VK_UP);
    EXPECT_EQ(focusId(), 22);
    EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 22), FALSE), GetDlgItem(dialog, 20));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 20), TRUE), GetDlgItem(dialog, 22));
    // A group of one answers itself.
    EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 30), FALSE), GetDlgItem(dialog, 30));
}

TEST_F(Keyboard, ArrowsStayWithAControlThatWantsThem) {
    EXPECT_EQ(focusId(), 10);
    key(VK_DOWN);
    EXPECT_EQ(focusId(), 10);
}

TEST_F(Keyboard, EnterAndEscapeSendTheirCommandsAndTheDefaultIdCanChange) {
    takeLog();
    key(VK_RETURN);
    key(VK_ESCAPE);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"dlg WM_COMMAND 1", "dlg WM_COMMAND 2"}));
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), 0);
    EXPECT_TRUE(SendMessageW(dialog, DM_SETDEFID, 12, 0));
    EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(12, DC_HASDEFID));
    // The default button shows as such while the focus is elsewhere.
    EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, 12), GWL_STYLE) & 0x0F, (LONG_PTR)kBsDefPushButton);
    key(VK_RETURN);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"dlg WM_COMMAND 12"}));
}

TEST_F(Keyboard, MessagesOfOtherWindowsAreNotTheDialogs) {
    HWND other = makeOwner();
    MSG m{other, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(IsDialogMessageW(dialog, &m));
    EXPECT_FALSE(IsDialogMessageW(nullptr, &m));
    EXPECT_FALSE(IsDialogMessageW(dialog, nullptr));
}

TEST_F(Keyboard, ActivationGivesTheFocusBackToTheControlThatHadIt) {
    key(VK_TAB);
    EXPECT_EQ(focusId(), 12);
    HWND other = makeOwner();
    EXPECT_EQ(GetActiveWindow(), other);
    SetActiveWindow(dialog);
    EXPECT_EQ(focusId(), 12);
}
