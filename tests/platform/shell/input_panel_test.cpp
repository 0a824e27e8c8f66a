// The soft input panel: raising and lowering change the work area and tell
// the top-level windows; windows follow it through SHHandleWMSettingChange;
// its keys type into the focus window; its settings survive a round trip.
#include "platform/shell/input_panel.h"
#include "platform/shell/menu_bar.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

class InputPanelTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        main_ = makeMain();
    }
    static void tapKey(const std::u16string& label) {
        for (const shell::SipKeyInfo& k : shell::sipKeys()) {
            if (k.label == label) {
                int x = (k.rect.left + k.rect.right) / 2, y = (k.rect.top + k.rect.bottom) / 2;
                device::penDown(x, y);
                device::penUp(x, y);
                device::runUntilIdle();
                return;
            }
        }
        ADD_FAILURE() << "no key with that label";
    }
    HWND main_ = nullptr;
};

TEST_F(InputPanelTest, RaisingAndLoweringChangeTheWorkAreaAndTellTheWindows) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.bottom, 320);
    ASSERT_TRUE(SHSipPreference(main_, SIP_UP));
    EXPECT_TRUE(shell::sipIsOn());
    EXPECT_EQ(rec().settingChanges, 1);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.top, 26);
    EXPECT_EQ(work.bottom, 320 - 26 - 80);
    RECT panel = screenRectOf(shell::sipWindow());
    EXPECT_EQ(panel.top, 214);
    EXPECT_EQ(panel.bottom, 294);
    // Raising it again changes nothing and says nothing.
    SHSipPreference(main_, SIP_UP);
    EXPECT_EQ(rec().settingChanges, 1);
    // The panel never takes the focus or the activation.
    EXPECT_EQ(GetActiveWindow(), main_);
    EXPECT_EQ(GetFocus(), main_);
    SHSipPreference(main_, SIP_DOWN);
    EXPECT_FALSE(shell::sipIsOn());
    EXPECT_EQ(rec().settingChanges, 2);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.bottom, 320);
    SHSipPreference(main_, SIP_UNCHANGED);
    EXPECT_EQ(rec().settingChanges, 2);
    EXPECT_FALSE(SHSipPreference((HWND)(uintptr_t)0x1234, SIP_UP));
    EXPECT_FALSE(shell::sipIsOn());
}

TEST_F(InputPanelTest, WindowsAcrossTheScreenFollowThePanel) {
    HWND small = CreateWindowExW(0, u"shellrec", u"", WS_POPUP | WS_VISIBLE, 20, 60, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    SHACTIVATEINFO sai{};
    sai.cbSize = 12;
    SipShowIM(SIPF_ON);
    EXPECT_TRUE(SHHandleWMSettingChange(main_, SPI_SETSIPINFO, 0, &sai));
    EXPECT_TRUE(SHHandleWMSettingChange(small, SPI_SETSIPINFO, 0, &sai));
    EXPECT_EQ(sai.fSipUp, 1u);
    EXPECT_EQ(screenRectOf(main_).bottom, 214);
    EXPECT_EQ(screenRectOf(main_).top, 26);
    EXPECT_EQ(screenRectOf(small).bottom, 160);
    SipShowIM(SIPF_OFF);
    SHHandleWMSettingChange(main_, SPI_SETSIPINFO, 0, &sai);
    EXPECT_EQ(sai.fSipUp, 0u);
    EXPECT_EQ(screenRectOf(main_).bottom, 294);  // back above the menu bar
    EXPECT_FALSE(SHHandleWMSettingChange(main_, SPI_GETWORKAREA, 0, &sai));
}

TEST_F(InputPanelTest, InfoReportsThePanelAndKeepsTheCompletionFlagAndData) {
    SIPINFO si{};
    si.cbSize = sizeof(si);
    ASSERT_TRUE(SipGetInfo(&si));
    EXPECT_EQ(si.fdwFlags & SIPF_ON, 0u);
    EXPECT_EQ(si.rcVisibleDesktop.bottom, 294);
    EXPECT_EQ(si.rcSipRect.top, 214);
    EXPECT_EQ(si.dwImDataSize, 0u);

    // Word completion off, the way a password dialog asks for it.
    si.fdwFlags |= SIPF_DISABLECOMPLETION | SIPF_ON;
    unsigned char data[6] = {1, 2, 3, 4, 5, 6};
    si.pvImData = data;
    si.dwImDataSize = sizeof(data);
    ASSERT_TRUE(SipSetInfo(&si));
    EXPECT_TRUE(shell::sipIsOn());
    EXPECT_EQ(rec().settingChanges, 1);

    SIPINFO back{};
    back.cbSize = 48;  // the device's size is accepted too
    unsigned char out[16] = {};
    back.pvImData = out;
    back.dwImDataSize = sizeof(out);
    ASSERT_TRUE(SipGetInfo(&back));
    EXPECT_EQ(back.fdwFlags & (SIPF_ON | SIPF_DISABLECOMPLETION), (DWORD)(SIPF_ON | SIPF_DISABLECOMPLETION));
    EXPECT_EQ(back.rcVisibleDesktop.bottom, 214);
    EXPECT_EQ(back.dwImDataSize, 6u);
    EXPECT_EQ(out[5], 6);

    back.fdwFlags &= ~(DWORD)SIPF_DISABLECOMPLETION;
    back.pvImData = nullptr;
    ASSERT_TRUE(SipSetInfo(&back));
    SipGetInfo(&back);
    EXPECT_EQ(back.fdwFlags & SIPF_DISABLECOMPLETION, 0u);

    SIPINFO bad{};
    bad.cbSize = 7;
    EXPECT_FALSE(SipGetInfo(&bad));
    EXPECT_FALSE(SipSetInfo(&bad));
    EXPECT_FALSE(SipGetInfo(nullptr));
    si.dwImDataSize = 1u << 20;
    EXPECT_FALSE(SipSetInfo(&si));
}

TEST_F(InputPanelTest, KeysTypeIntoTheFocusWindow) {
    SipShowIM(SIPF_ON);
    device::runUntilIdle();
    tapKey(u"q");
    tapKey(u"Shift");
    tapKey(u"W");  // shift shows capitals, for one key
    tapKey(u"e");
    tapKey(u"1");
    tapKey(u"CAP");
    tapKey(u"R");
    tapKey(u"CAP");
    tapKey(u"123");
    tapKey(u"#");
    tapKey(u"abc");
    tapKey(u"");  // the space bar
    EXPECT_EQ(rec().chars, u"qWe1R# ");
    rec().chars.clear();
    tapKey(u"\u2190");  // Backspace
    tapKey(u"\u21B5");  // Enter
    tapKey(u"\u2191");
    ASSERT_EQ(rec().keys.size(), 3u);
    EXPECT_EQ(rec().keys[0], (UINT)VK_BACK);
    EXPECT_EQ(rec().keys[1], (UINT)VK_RETURN);
    EXPECT_EQ(rec().keys[2], (UINT)VK_UP);
    EXPECT_EQ(rec().chars, u"\b\r");  // translated by the message loop
    EXPECT_EQ(GetFocus(), main_);
}

TEST_F(InputPanelTest, MenuBarButtonRaisesAndLowersThePanel) {
    SHMENUBARINFO mb{};
    mb.cbSize = 36;
    mb.hwndParent = main_;
    mb.nToolBarId = 201;
    ASSERT_TRUE(SHCreateMenuBar(&mb));
    RECT b = shell::menuBarSipButton(mb.hwndMB);
    device::penDown(b.left + 5, b.top + 5);
    device::penUp(b.left + 5, b.top + 5);
    device::runUntilIdle();
    EXPECT_TRUE(shell::sipIsOn());
    device::penDown(b.left + 5, b.top + 5);
    device::penUp(b.left + 5, b.top + 5);
    device::runUntilIdle();
    EXPECT_FALSE(shell::sipIsOn());
    EXPECT_EQ(rec().settingChanges, 2);
}

TEST_F(InputPanelTest, ActivationBringsBackThePanelAsTheWindowLeftIt) {
    SHACTIVATEINFO sai{};
    sai.cbSize = 12;
    SipShowIM(SIPF_ON);
    EXPECT_TRUE(SHHandleWMActivate(main_, MAKEWPARAM(WA_INACTIVE, 0), 0, &sai, 0));
    EXPECT_EQ(sai.fSipOnDeactivation, 1u);
    SipShowIM(SIPF_OFF);  // another window put it away meanwhile
    EXPECT_TRUE(SHHandleWMActivate(main_, MAKEWPARAM(WA_ACTIVE, 0), 0, &sai, 0));
    EXPECT_TRUE(shell::sipIsOn());
    EXPECT_EQ(sai.fSipUp, 1u);
    // A first activation without a deactivation before it leaves the panel alone.
    HWND other = CreateWindowExW(0, u"shellrec", u"", WS_POPUP, 0, 26, 240, 268, nullptr, nullptr, nullptr, nullptr);
    SHACTIVATEINFO fresh{};
    fresh.cbSize = 12;
    EXPECT_TRUE(SHHandleWMActivate(other, MAKEWPARAM(WA_ACTIVE, 0), 0, &fresh, 0));
    EXPECT_TRUE(shell::sipIsOn());
    fresh.cbSize = 3;
    EXPECT_FALSE(SHHandleWMActivate(other, MAKEWPARAM(WA_ACTIVE, 0), 0, &fresh, 0));
}

}  // namespace
}  // namespace shelltest
