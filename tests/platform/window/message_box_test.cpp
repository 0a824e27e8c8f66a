// The plain message box in its nested loop, driven by injected keys and taps.
#include <functional>

#include "wm_fixture.h"

#include "platform/window/message_box.h"

using namespace wmtest;

namespace {

class MessageBox : public WindowTest {
protected:
    // Finds the box (the active window while it is up) and its button row.
    static HWND box() { return GetActiveWindow(); }
};

struct Script {
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    bool operator()() {
        if (next >= steps.size()) return false;
        steps[next++]();
        return true;
    }
};

}  // namespace

TEST_F(MessageBox, EnterChoosesTheDefaultButtonAndTheOwnerIsDisabledMeanwhile) {
    HWND owner = makeTop("owner", 0, 30, 240, 200);
    bool ownerWasDisabled = false;
    Script s;
    s.steps = {[&] {
                   ownerWasDisabled = !IsWindowEnabled(owner);
                   device::keyDown(VK_RETURN);
               }};
    device::headlessHost().setIdleDriver(std::ref(s));
    EXPECT_EQ(MessageBoxW(owner, u"Delete the list?", u"Warning", MB_YESNO | MB_ICONWARNING), IDYES);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(device::lastBeepType(), (UINT)MB_ICONWARNING);
}

// The automation names a box left open by its caption and its text.
TEST_F(MessageBox, TheBoxTellsItsTextWhileItIsUp) {
    HWND owner = makeTop("owner", 0, 30, 240, 200);
    HWND seen = nullptr;
    std::u16string text, caption;
    bool ownerIsNoBox = true;
    Script s;
    s.steps = {[&] {
                   seen = box();
                   text = device::messageBoxText(seen);
                   WCHAR buf[32];
                   GetWindowTextW(seen, buf, 32);
                   caption = buf;
                   ownerIsNoBox = !device::isMessageBox(owner) && device::messageBoxText(owner).empty();
                   device::keyDown(VK_RETURN);
               }};
    device::headlessHost().setIdleDriver(std::ref(s));
    EXPECT_EQ(MessageBoxW(owner, u"Delete the list?", u"Warning", MB_OK), IDOK);
    EXPECT_TRUE(ownerIsNoBox);
    EXPECT_EQ(text, u"Delete the list?");
    EXPECT_EQ(caption, u"Warning");
    EXPECT_FALSE(device::isMessageBox(seen));  // gone with the box
    EXPECT_TRUE(device::messageBoxText(seen).empty());
}

TEST_F(MessageBox, EscapeCancelsOnlyWhenThereIsACancel) {
    HWND owner = makeTop("owner", 0, 30, 240, 200);
    Script s;
    s.steps = {[] { device::keyDown(VK_ESCAPE); }};
    device::headlessHost().setIdleDriver(std::ref(s));
    EXPECT_EQ(MessageBoxW(owner, u"Save?", u"Question", MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);

    Script yesNo;
    yesNo.steps = {[] { device::keyDown(VK_ESCAPE); }, [] { device::keyDown(VK_RIGHT); },
                   [] { device::keyDown(VK_RETURN); }};
    device::headlessHost().setIdleDriver(std::ref(yesNo));
    EXPECT_EQ(MessageBoxW(owner, u"Sure?", u"Question", MB_YESNO), IDNO);
    EXPECT_EQ(yesNo.next, 3u);
}

TEST_F(MessageBox, DefaultButtonFlagPicksTheFocusedButton) {
    Script s;
    s.steps = {[] { device::keyDown(VK_RETURN); }};
    device::headlessHost().setIdleDriver(std::ref(s));
    EXPECT_EQ(MessageBoxW(nullptr, u"Continue?", u"Info", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
}

TEST_F(MessageBox, TappingAButtonChoosesIt) {
    HWND owner = makeTop("owner", 0, 30, 240, 200);
    Script s;
    // Tap the right half of the button row: Cancel is the second of two
    // centred buttons. The row sits at the bottom of the box's client area.
    s.steps = {[&] {
        HWND b = box();
        RECT wr, cr;
        GetWindowRect(b, &wr);
        GetClientRect(b, &cr);
        POINT bottomCentre{cr.right / 2, cr.bottom - 8 - 11};
        ClientToScreen(b, &bottomCentre);
        device::penDown(bottomCentre.x + 31, bottomCentre.y);
        device::penUp(bottomCentre.x + 31, bottomCentre.y);
    }};
    device::headlessHost().setIdleDriver(std::ref(s));
    EXPECT_EQ(MessageBoxW(owner, u"A long text that needs more than one line to fit into the box, so it wraps.",
                          u"Warning", MB_OKCANCEL),
              IDCANCEL);
}

TEST_F(MessageBox, QuitDuringTheBoxEndsItAndStaysQueued) {
    Script s;
    s.steps = {[] { PostQuitMessage(4); }};
    device::headlessHost().setIdleDriver(std::ref(s));
    EXPECT_EQ(MessageBoxW(nullptr, u"x", u"y", MB_OK), 0);
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, (UINT)WM_QUIT);
    EXPECT_EQ(m.wParam, 4u);
}

TEST_F(MessageBox, ATimerCanAnswerTheBox) {
    HWND owner = makeTop("owner", 0, 30, 240, 200);
    struct Local {
        static VOID CALLBACK answer(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            device::keyDown(VK_RETURN);
        }
    };
    SetTimer(nullptr, 0, 200, Local::answer);
    EXPECT_EQ(MessageBoxW(owner, u"Done.", u"Information", MB_OK | MB_ICONINFORMATION), IDOK);
}

namespace {
int innerResult = 0;
VOID CALLBACK openInnerBox(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    innerResult = MessageBoxW(GetActiveWindow(), u"Inner", u"Nested", MB_OK);
}
}  // namespace

TEST_F(MessageBox, BoxesNestAndEachDisablesItsOwner) {
    HWND owner = makeTop("owner", 0, 30, 240, 200);
    innerResult = 0;
    bool outerWasDisabled = false;
    SetTimer(nullptr, 0, 100, openInnerBox);
    Script s;
    s.steps = {[] { device::clockAdvance(100); },  // the timer opens the inner box
               [&] {
                   HWND outer = GetWindow(GetActiveWindow(), GW_OWNER);
                   outerWasDisabled = outer && outer != owner && !IsWindowEnabled(outer);
                   device::keyDown(VK_RETURN);
               },
               [] { device::keyDown(VK_ESCAPE); }};
    device::headlessHost().setIdleDriver(std::ref(s));
    EXPECT_EQ(MessageBoxW(owner, u"Outer", u"Nested", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(innerResult, IDOK);
    EXPECT_TRUE(outerWasDisabled);
    EXPECT_EQ(s.next, 3u);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
}
