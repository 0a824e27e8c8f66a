// Modal dialogs in their nested loops, driven by injected keys and taps.
#include "dlg_fixture.h"

using namespace dlgtest;

namespace {

// Ends the dialog with the id of any button pressed, and logs what it sees.
INT_PTR CALLBACK endingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            log().push_back("dlg WM_INITDIALOG " + std::to_string(GetDlgCtrlID((HWND)wParam)) + " " +
                            std::to_string(lParam));
            return TRUE;
        case WM_SETFONT: log().push_back("dlg WM_SETFONT"); return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) == 0) EndDialog(hwnd, LOWORD(wParam));
            return TRUE;
        default: return FALSE;
    }
}

device::DialogTemplate nameDialog() {
    return device::DialogTemplate{
        DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 124, 60, u"New list name", u"Tahoma", 8,
        {{kLabel, u"Name:", 1001, WS_VISIBLE, 0, 7, 9, 40, 8},
         {kEdit, u"", 1119, WS_VISIBLE | WS_TABSTOP, 0, 7, 20, 110, 12},
         {kButton, u"OK", 1000, WS_VISIBLE | WS_TABSTOP, 0, 10, 40, 45, 14},
         {kButton, u"Cancel", 1016, WS_VISIBLE | WS_TABSTOP, 0, 65, 40, 45, 14}}};
}

struct Nested {
    INT_PTR inner = 0;
    HWND ownerOfInner = nullptr;
    bool outerDisabled = false;
};
Nested nested;

INT_PTR CALLBACK nestedInner(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) {
        nested.ownerOfInner = GetWindow(hwnd, GW_OWNER);
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == 1016) {
        nested.outerDisabled = !IsWindowEnabled(nested.ownerOfInner);
        EndDialog(hwnd, 5);
    }
    return msg == WM_COMMAND;
}

INT_PTR CALLBACK nestedOuter(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && LOWORD(wParam) == 1000) {
        // The edit field as the parent: its top-level window owns the inner dialog.
        nested.inner = DialogBoxParamW(nullptr, MAKEINTRESOURCEW(164), GetDlgItem(hwnd, 1119), nestedInner, 0);
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == 1016) EndDialog(hwnd, 7);
    return msg == WM_INITDIALOG || msg == WM_COMMAND;
}

class Modal : public DialogTest {};

}  // namespace

TEST_F(Modal, InitialisationComesAfterTheFontAndControlsAndFocusesTheFirstTabStop) {
    addTemplate(145, nameDialog());
    int focusDuring = 0;
    bool visibleDuring = false;
    Script s;
    s.steps = {[&] {
        focusDuring = GetDlgCtrlID(GetFocus());
        visibleDuring = IsWindowVisible(GetActiveWindow());
        press(VK_ESCAPE);
    }};
    play(s);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), makeOwner(), endingProc, 77), IDCANCEL);
    std::vector<std::string> lines = takeLog();
    std::vector<std::string> order;
    for (const std::string& l : lines)
        if (l.find("WM_CREATE") != std::string::npos || l.rfind("dlg", 0) == 0 || l.find("EM_SETSEL") != std::string::npos)
            order.push_back(l);
    std::vector<std::string> want = {"dlg WM_SETFONT",       "ctl 1001 WM_CREATE", "ctl 1119 WM_CREATE",
                                     "ctl 1000 WM_CREATE",   "ctl 1016 WM_CREATE", "dlg WM_INITDIALOG 1119 77",
                                     "ctl 1119 EM_SETSEL"};
    EXPECT_EQ(order, want);
    EXPECT_EQ(focusDuring, 1119);
    EXPECT_TRUE(visibleDuring);
}

TEST_F(Modal, AProcedureThatReturnsFalseKeepsItsOwnFocus) {
    addTemplate(145, nameDialog());
    struct Local {
        static INT_PTR CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
            if (msg == WM_INITDIALOG) {
                SetFocus(GetDlgItem(hwnd, 1016));
                return FALSE;
            }
            if (msg == WM_COMMAND) EndDialog(hwnd, LOWORD(wParam));
            return msg == WM_COMMAND;
        }
    };
    int focused = 0;
    Script s;
    s.steps = {[&] {
        focused = GetDlgCtrlID(GetFocus());
        press(VK_RETURN);
    }};
    play(s);
    // Enter on a focused push button presses that button.
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), makeOwner(), Local::proc, 0), 1016);
    EXPECT_EQ(focused, 1016);
}

TEST_F(Modal, EnterEscapeAndATapEndTheDialogWithTheirIdsWhileTheOwnerIsDisabled) {
    addTemplate(145, nameDialog());
    HWND owner = makeOwner();
    bool ownerDisabled = false;
    Script enter;
    enter.steps = {[&] {
        ownerDisabled = !IsWindowEnabled(owner);
        press(VK_RETURN);
    }};
    play(enter);
    // No default button: Enter is IDOK.
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), owner, endingProc, 0), IDOK);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);

    Script escape;
    escape.steps = {[] { press(VK_ESCAPE); }};
    play(escape);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), owner, endingProc, 0), IDCANCEL);

    Script tapCancel;
    tapCancel.steps = {[] { tap(GetDlgItem(GetActiveWindow(), 1016)); }};
    play(tapCancel);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), owner, endingProc, 0), 1016);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    // The dialogs are gone.
    EXPECT_FALSE(FindWindowW(WC_DIALOG, nullptr));
}

TEST_F(Modal, TheDefaultPushButtonAnswersEnterAndADisabledOneIgnoresIt) {
    device::DialogTemplate t = nameDialog();
    t.items[2].style |= kBsDefPushButton;
    addTemplate(145, t);
    HWND owner = makeOwner();
    Script s;
    s.steps = {[] { press(VK_RETURN); }};
    play(s);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), owner, endingProc, 0), 1000);

    Script disabled;
    disabled.steps = {[] { EnableWindow(GetDlgItem(GetActiveWindow(), 1000), FALSE); },
                      [] { press(VK_RETURN); },
                      [] { press(VK_ESCAPE); }};
    play(disabled);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), owner, endingProc, 0), IDCANCEL);
    EXPECT_EQ(disabled.next, 3u);
}

TEST_F(Modal, DialogsNestAndEachLoopReturnsItsOwnResult) {
    addTemplate(145, nameDialog());
    addTemplate(164, nameDialog());
    nested = Nested{};
    HWND owner = makeOwner();
    HWND outerDialog = nullptr;
    Script s;
    s.steps = {[&] {
                   outerDialog = GetActiveWindow();
                   tap(GetDlgItem(outerDialog, 1000));
               },
               [] { tap(GetDlgItem(GetActiveWindow(), 1016)); },
               [&] {
                   EXPECT_EQ(GetActiveWindow(), outerDialog);
                   EXPECT_TRUE(IsWindowEnabled(outerDialog));
                   tap(GetDlgItem(GetActiveWindow(), 1016));
               }};
    play(s);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), owner, nestedOuter, 0), 7);
    EXPECT_EQ(nested.inner, 5);
    // A child window given as the parent: its top-level window owns the dialog.
    EXPECT_EQ(nested.ownerOfInner, outerDialog);
    EXPECT_TRUE(nested.outerDisabled);
    EXPECT_EQ(GetActiveWindow(), owner);
}


TEST_F(Modal, AMissingTemplateOrAnUnknownControlClassFailsWithMinusOne) {
    HWND owner = makeOwner();
    SetLastError(0);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(999), owner, endingProc, 0), -1);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(DialogBoxParamW(nullptr, u"NAMED", owner, endingProc, 0), -1);
    EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(999), owner, endingProc, 0), nullptr);

    device::DialogTemplate t = nameDialog();
    t.items.push_back({u"NoSuchClass", u"", 1200, WS_VISIBLE, 0, 0, 0, 10, 10});
    addTemplate(145, t);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), owner, endingProc, 0), -1);
    EXPECT_FALSE(FindWindowW(WC_DIALOG, nullptr));
    EXPECT_TRUE(IsWindowEnabled(owner));

    // Unless the template says a missing control is no failure.
    t.style |= DS_NOFAILCREATE;
    addTemplate(146, t);
    Script s;
    s.steps = {[] { press(VK_ESCAPE); }};
    play(s);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(146), owner, endingProc, 0), IDCANCEL);
}

TEST_F(Modal, EndingDuringInitialisationNeverShowsTheDialog) {
    addTemplate(145, nameDialog());
    struct Local {
        static INT_PTR CALLBACK proc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
            if (msg == WM_INITDIALOG) EndDialog(hwnd, 42);
            if (msg == WM_SHOWWINDOW) log().push_back("dlg shown");
            return msg == WM_INITDIALOG;
        }
    };
    Script s;  // nothing may be needed: the loop never runs
    play(s);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), makeOwner(), Local::proc, 0), 42);
    for (const std::string& l : takeLog()) EXPECT_NE(l, "dlg shown");
    EXPECT_EQ(s.next, 0u);
}

TEST_F(Modal, ClosingTheDialogIsCancelUnlessCancelIsDisabled) {
    addTemplate(145, nameDialog());
    Script s;
    s.steps = {[] { PostMessageW(GetActiveWindow(), WM_CLOSE, 0, 0); }};
    play(s);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), makeOwner(), endingProc, 0), IDCANCEL);

    device::DialogTemplate t = nameDialog();
    t.items[3].id = IDCANCEL;
    t.items[3].style |= WS_DISABLED;
    addTemplate(146, t);
    Script disabled;
    disabled.steps = {[] { PostMessageW(GetActiveWindow(), WM_CLOSE, 0, 0); }, [] { press(VK_RETURN); }};
    play(disabled);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(146), makeOwner(), endingProc, 0), IDOK);
    EXPECT_EQ(disabled.next, 2u);
}

TEST_F(Modal, AQuitEndsTheLoopAndStaysQueuedForTheOuterLoop) {
    addTemplate(145, nameDialog());
    Script s;
    s.steps = {[] { PostQuitMessage(3); }};
    play(s);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), makeOwner(), endingProc, 0), 0);
    EXPECT_FALSE(FindWindowW(WC_DIALOG, nullptr));
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, (UINT)WM_QUIT);
}

TEST_F(Modal, DestroyingTheDialogFromItsProcedureEndsTheLoopSafely) {
    addTemplate(145, nameDialog());
    struct Local {
        static INT_PTR CALLBACK proc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
            if (msg == WM_COMMAND) DestroyWindow(hwnd);
            return msg == WM_INITDIALOG || msg == WM_COMMAND;
        }
    };
    HWND owner = makeOwner();
    Script s;
    s.steps = {[] { press(VK_RETURN); }};
    play(s);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(145), owner, Local::proc, 0), 0);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(Modal, EndDialogRefusesWindowsThatAreNoDialogs) {
    HWND owner = makeOwner();
    EXPECT_FALSE(EndDialog(owner, 1));
    EXPECT_FALSE(EndDialog(nullptr, 1));
    EXPECT_TRUE(IsWindowVisible(owner));
}
