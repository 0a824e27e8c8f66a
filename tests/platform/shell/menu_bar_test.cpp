// The menu bar from a template: its place and buttons, popups opening
// upwards, picture buttons enabled and disabled, tooltips on a held picture,
// the automation's view and its menu paths, and what becomes of the bar.
#include "platform/shell/menu_bar.h"
#include "platform/shell/menu_query.h"
#include "platform/shell/menu_store.h"
#include "platform/shell/popup_menu.h"
#include "platform/system/resource_table.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

class MenuBarTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        main_ = makeMain();
        bar_ = createBar(main_);
        ASSERT_NE(bar_, nullptr);
        device::runUntilIdle();
    }
    static HWND createBar(HWND owner, DWORD cbSize = 36) {
        SHMENUBARINFO mb{};
        mb.cbSize = cbSize;
        mb.hwndParent = owner;
        mb.nToolBarId = 201;
        mb.nBmpId = 203;
        mb.cBmpImages = 2;
        if (!SHCreateMenuBar(&mb)) return nullptr;
        return mb.hwndMB;
    }
    shell::MenuBarButtonInfo button(size_t i) { return shell::menuBarButtons(bar_)[i]; }
    static void tapRect(const RECT& r) {
        device::penDown((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        device::penUp((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    HWND main_ = nullptr;
    HWND bar_ = nullptr;
};

TEST_F(MenuBarTest, SitsAtTheBottomWithItsButtonsInOrder) {
    RECT r = screenRectOf(bar_);
    EXPECT_EQ(r.top, 320 - 26);
    EXPECT_EQ(r.bottom, 320);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 240);
    EXPECT_EQ(SHFindMenuBar(main_), bar_);
    EXPECT_EQ(GetWindow(bar_, GW_OWNER), main_);
    auto buttons = shell::menuBarButtons(bar_);
    ASSERT_EQ(buttons.size(), 6u);
    EXPECT_EQ(buttons[0].text, u"File");
    EXPECT_EQ(buttons[2].text, u"Options");
    EXPECT_EQ(buttons[3].kind, device::MenuBarButton::kSeparator);
    for (size_t i = 1; i < buttons.size(); ++i) EXPECT_GE(buttons[i].rect.left, buttons[i - 1].rect.right);
    EXPECT_LT(buttons[5].rect.right, shell::menuBarSipButton(bar_).left);
    EXPECT_EQ(SendMessageW(bar_, TB_BUTTONCOUNT, 0, 0), 6);
    // The bar never takes the activation from its owner.
    tapRect(buttons[4].rect);
    device::runUntilIdle();
    EXPECT_EQ(GetActiveWindow(), main_);
}

TEST_F(MenuBarTest, MenusAreReachedThroughTheBar) {
    HMENU whole = (HMENU)SendMessageW(bar_, SHCMBM_GETMENU, 0, 0);
    ASSERT_NE(whole, nullptr);
    HMENU options = (HMENU)SendMessageW(bar_, SHCMBM_GETSUBMENU, 0, 40004);
    EXPECT_EQ(options, GetSubMenu(whole, 2));
    EXPECT_EQ(SendMessageW(bar_, SHCMBM_GETSUBMENU, 0, 501), 0);  // a picture has no menu
    EXPECT_EQ(SendMessageW(bar_, SHCMBM_GETSUBMENU, 0, 9999), 0);
    // Enabling through the whole menu by command reaches the popups.
    EXPECT_EQ(EnableMenuItem(whole, 203, MF_BYCOMMAND | MF_ENABLED), (DWORD)MF_GRAYED);
    EXPECT_EQ(CheckMenuItem(options, 311, MF_BYCOMMAND | MF_UNCHECKED), (DWORD)MF_CHECKED);
}

TEST_F(MenuBarTest, MenuButtonOpensItsPopupUpwardsAndTheChoiceIsPosted) {
    RECT level{};
    drive({[&] {
               ASSERT_TRUE(shell::popupOpen());
               shell::popupLevelRect(0, level);
           },
           [] { EXPECT_TRUE(device::tapOpenPopupItem(u"Cut")); }});
    tapRect(button(1).rect);
    device::runUntilIdle();
    stopDriving();
    EXPECT_EQ(level.bottom, 320 - 26);
    EXPECT_EQ(level.left, button(1).rect.left);
    ASSERT_EQ(rec().commands.size(), 1u);
    EXPECT_EQ(rec().commands[0], 201u);
}

TEST_F(MenuBarTest, LeftAndRightMoveBetweenTheBarsMenus) {
    std::vector<HMENU> seen;
    auto note = [&] { seen.push_back(shell::popupLevelMenu(0)); };
    auto key = [](UINT vk) {
        return [vk] {
            device::keyDown(vk);
            device::keyUp(vk);
        };
    };
    drive({note, key(VK_RIGHT), note, key(VK_RIGHT), note, key(VK_RIGHT), note, key(VK_LEFT), note, key(VK_ESCAPE)});
    shell::menuBarOpen(bar_, 0);
    stopDriving();
    HMENU whole = shell::menuBarMenu(bar_);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0], GetSubMenu(whole, 0));
    EXPECT_EQ(seen[1], GetSubMenu(whole, 1));
    EXPECT_EQ(seen[2], GetSubMenu(whole, 2));
    EXPECT_EQ(seen[3], GetSubMenu(whole, 0));  // wraps round
    EXPECT_EQ(seen[4], GetSubMenu(whole, 2));
    EXPECT_TRUE(rec().commands.empty());
}

TEST_F(MenuBarTest, PictureButtonsFollowEnableButtonAndSendTheirCommand) {
    tapRect(button(5).rect);  // created disabled
    device::runUntilIdle();
    EXPECT_TRUE(rec().commands.empty());
    EXPECT_FALSE(SendMessageW(bar_, TB_ISBUTTONENABLED, 502, 0));
    EXPECT_TRUE(SendMessageW(bar_, TB_ENABLEBUTTON, 502, MAKELONG(TRUE, 0)));
    EXPECT_TRUE(SendMessageW(bar_, TB_ISBUTTONENABLED, 502, 0));
    EXPECT_EQ(SendMessageW(bar_, TB_GETSTATE, 502, 0), TBSTATE_ENABLED);
    tapRect(button(5).rect);
    device::runUntilIdle();
    ASSERT_EQ(rec().commands.size(), 1u);
    EXPECT_EQ(rec().commands[0], 502u);
    EXPECT_EQ((HWND)rec().commandFrom[0], bar_);
    EXPECT_TRUE(SendMessageW(bar_, TB_ENABLEBUTTON, 501, MAKELONG(FALSE, 0)));
    tapRect(button(4).rect);
    device::runUntilIdle();
    EXPECT_EQ(rec().commands.size(), 1u);
    EXPECT_FALSE(SendMessageW(bar_, TB_ENABLEBUTTON, 9999, MAKELONG(TRUE, 0)));
    // A pen that slides off the button before lifting sends nothing.
    SendMessageW(bar_, TB_ENABLEBUTTON, 501, MAKELONG(TRUE, 0));
    RECT r = button(4).rect;
    device::penDown(r.left + 3, r.top + 5);
    device::penMove(r.left + 3, r.top - 40);
    device::penUp(r.left + 3, r.top - 40);
    device::runUntilIdle();
    EXPECT_EQ(rec().commands.size(), 1u);
}

TEST_F(MenuBarTest, DisabledPictureLooksGreyEnabledOneShowsItsColours) {
    RECT on = button(4).rect, off = button(5).rect;
    COLORREF c = screenPixel((on.left + on.right) / 2, (on.top + on.bottom) / 2);
    EXPECT_EQ(c, RGB(220, 0, 0));
    COLORREF g = screenPixel((off.left + off.right) / 2, (off.top + off.bottom) / 2);
    EXPECT_EQ(GetRValue(g), GetGValue(g));
    EXPECT_EQ(GetGValue(g), GetBValue(g));
    SendMessageW(bar_, TB_ENABLEBUTTON, 502, MAKELONG(TRUE, 0));
    device::runUntilIdle();
    EXPECT_EQ(screenPixel((off.left + off.right) / 2, (off.top + off.bottom) / 2), RGB(0, 0, 220));
}

TEST_F(MenuBarTest, TooltipShowsWhileAPictureIsHeld) {
    const char16_t* tips[] = {u"", u"", u"", u"New Item", u"Find"};
    EXPECT_TRUE(SendMessageW(bar_, TB_SETTOOLTIPS, 5, (LPARAM)tips));
    EXPECT_EQ(button(4).tooltip, u"New Item");
    EXPECT_EQ(button(5).tooltip, u"Find");
    EXPECT_EQ(button(0).tooltip, u"");
    RECT r = button(4).rect;
    device::penDown(r.left + 4, r.top + 6);
    device::runUntilIdle();
    EXPECT_FALSE(shell::menuBarTooltipShown(bar_));
    device::advanceClock(600);
    std::u16string text;
    EXPECT_TRUE(shell::menuBarTooltipShown(bar_, &text));
    EXPECT_EQ(text, u"New Item");
    device::penUp(r.left + 4, r.top + 6);
    device::runUntilIdle();
    EXPECT_FALSE(shell::menuBarTooltipShown(bar_));
    EXPECT_EQ(rec().commands.size(), 1u);
}

TEST_F(MenuBarTest, DumpListsButtonsAndMenus) {
    const char16_t* tips[] = {u"", u"", u"", u"New Item", u"Find"};
    SendMessageW(bar_, TB_SETTOOLTIPS, 5, (LPARAM)tips);
    EXPECT_EQ(device::foregroundMenuBar(), bar_);
    device::MenuBarState state;
    ASSERT_TRUE(device::queryMenuBar(bar_, state));
    ASSERT_EQ(state.buttons.size(), 5u);  // the separator is not a button
    EXPECT_TRUE(state.buttons[0].isMenu);
    EXPECT_EQ(state.buttons[3].tooltip, u"New Item");
    EXPECT_EQ(state.buttons[3].id, 501u);
    EXPECT_FALSE(state.buttons[4].enabled);
    ASSERT_EQ(state.menus.size(), 3u);
    EXPECT_EQ(state.menus[0].first, u"File");
    const auto& file = state.menus[0].second;
    ASSERT_EQ(file.size(), 4u);
    EXPECT_EQ(file[0].text, u"New List...");
    EXPECT_FALSE(file[1].enabled);
    EXPECT_TRUE(file[2].separator);
    const auto& options = state.menus[2].second;
    ASSERT_EQ(options[0].items.size(), 2u);
    EXPECT_TRUE(options[0].items[0].checked);
    EXPECT_FALSE(device::queryMenuBar(main_, state));
}

TEST_F(MenuBarTest, MenuPathsAreChosenByTapping) {
    const char16_t* tips[] = {u"", u"", u"", u"New Item", u"Find"};
    SendMessageW(bar_, TB_SETTOOLTIPS, 5, (LPARAM)tips);
    ASSERT_TRUE(device::chooseMenuPath(u"Options/Sort/None"));
    device::runUntilIdle();
    ASSERT_EQ(rec().commands.size(), 1u);
    EXPECT_EQ(rec().commands[0], 312u);
    ASSERT_TRUE(device::chooseMenuPath(u"New Item"));
    device::runUntilIdle();
    ASSERT_EQ(rec().commands.size(), 2u);
    EXPECT_EQ(rec().commands[1], 501u);

    std::string why;
    EXPECT_FALSE(device::chooseMenuPath(u"File/Delete List", &why));
    EXPECT_NE(why.find("disabled"), std::string::npos);
    EXPECT_FALSE(device::chooseMenuPath(u"File/Nothing", &why));
    EXPECT_FALSE(device::chooseMenuPath(u"Find", &why));  // a disabled picture
    EXPECT_FALSE(device::chooseMenuPath(u"Options/Sort", &why));
    EXPECT_FALSE(device::chooseMenuPath(u"Help/About", &why));
    device::runUntilIdle();
    EXPECT_EQ(rec().commands.size(), 2u);
    EXPECT_FALSE(shell::popupOpen());
}

TEST_F(MenuBarTest, BadRequestsAreRefusedAndTheBarGoesWithItsOwner) {
    EXPECT_EQ(createBar(main_, 20), nullptr);
    SHMENUBARINFO mb{};
    mb.cbSize = sizeof(mb);
    mb.hwndParent = main_;
    mb.nToolBarId = 4711;
    EXPECT_FALSE(SHCreateMenuBar(&mb));
    EXPECT_EQ(mb.hwndMB, nullptr);
    mb.hwndParent = nullptr;
    EXPECT_FALSE(SHCreateMenuBar(nullptr));
    EXPECT_FALSE(SHCreateMenuBar(&mb));
    // A bar whose menu button names a popup the menu lacks is refused.
    static device::MenuBarTemplate broken{202, {{device::MenuBarButton::kMenu, 1, u"X", 5}}};
    device::resourceRegister(device::kResMenuBar, 4712, &broken, 0);
    mb.hwndParent = main_;
    mb.nToolBarId = 4712;
    size_t menus = shell::liveMenuCount();
    EXPECT_FALSE(SHCreateMenuBar(&mb));
    EXPECT_EQ(shell::liveMenuCount(), menus);

    // The program frees the bar on WM_HIBERNATE and makes it again later.
    EXPECT_TRUE(DestroyWindow(bar_));
    EXPECT_EQ(SHFindMenuBar(main_), nullptr);
    EXPECT_EQ(shell::liveMenuCount(), menus - 5);  // the menu, its three popups and "Sort"
    HWND again = createBar(main_);
    ASSERT_NE(again, nullptr);
    DestroyWindow(main_);
    EXPECT_FALSE(IsWindow(again));
    EXPECT_EQ(shell::liveMenuCount(), menus - 5);
}

// A bar as full as the program's (three menus and five pictures) keeps
// every button clear of the input panel's button, where a tap would raise
// the panel instead.
TEST_F(MenuBarTest, ACrowdedBarFitsItsButtonsBeforeTheInputPanelButton) {
    static device::MenuBarTemplate crowded{200, {
        {device::MenuBarButton::kMenu, 40002, u"&File", 0},
        {device::MenuBarButton::kMenu, 40003, u"&Edit", 1},
        {device::MenuBarButton::kMenu, 40004, u"&Options", 2},
        {device::MenuBarButton::kSeparator},
        {device::MenuBarButton::kPicture, 511, nullptr, 0, 0, TBSTATE_ENABLED},
        {device::MenuBarButton::kPicture, 512, nullptr, 0, 1, TBSTATE_ENABLED},
        {device::MenuBarButton::kPicture, 513, nullptr, 0, 0, TBSTATE_ENABLED},
        {device::MenuBarButton::kPicture, 514, nullptr, 0, 1, TBSTATE_ENABLED},
        {device::MenuBarButton::kPicture, 515, nullptr, 0, 0, TBSTATE_ENABLED},
    }};
    device::resourceRegister(device::kResMenuBar, 204, &crowded, 0);
    HWND owner = CreateWindowExW(0, u"shellrec", u"Crowded", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr,
                                 nullptr, nullptr);
    SHMENUBARINFO mb{};
    mb.cbSize = sizeof(mb);
    mb.hwndParent = owner;
    mb.nToolBarId = 204;
    mb.nBmpId = 203;
    mb.cBmpImages = 2;
    ASSERT_TRUE(SHCreateMenuBar(&mb));
    device::runUntilIdle();
    auto buttons = shell::menuBarButtons(mb.hwndMB);
    ASSERT_EQ(buttons.size(), 9u);
    RECT sip = shell::menuBarSipButton(mb.hwndMB);
    for (size_t i = 1; i < buttons.size(); ++i) EXPECT_GE(buttons[i].rect.left, buttons[i - 1].rect.right);
    EXPECT_LE(buttons[8].rect.right, sip.left);
    // Each picture stays wider than its picture, each menu wider than its text.
    for (size_t i = 4; i < buttons.size(); ++i) EXPECT_GT(buttons[i].rect.right - buttons[i].rect.left, 16);
    // The last picture answers a tap on its centre.
    tapRect(buttons[8].rect);
    device::runUntilIdle();
    ASSERT_FALSE(rec().commands.empty());
    EXPECT_EQ(rec().commands.back(), 515u);
}

TEST_F(MenuBarTest, EmptyBarHasOnlyTheInputPanelButton) {
    HWND dlg = CreateWindowExW(0, u"shellrec", u"Dlg", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268, main_, nullptr,
                               nullptr, nullptr);
    SHMENUBARINFO mb{};
    mb.cbSize = sizeof(mb);
    mb.hwndParent = dlg;
    mb.dwFlags = SHCMBF_EMPTYBAR;
    ASSERT_TRUE(SHCreateMenuBar(&mb));
    EXPECT_TRUE(shell::menuBarButtons(mb.hwndMB).empty());
    EXPECT_EQ(SendMessageW(mb.hwndMB, SHCMBM_GETMENU, 0, 0), 0);
    RECT sip = shell::menuBarSipButton(mb.hwndMB);
    EXPECT_EQ(sip.right, 240);
    mb.dwFlags = SHCMBF_EMPTYBAR | SHCMBF_HIDESIPBUTTON;
    ASSERT_TRUE(SHCreateMenuBar(&mb));
    RECT none = shell::menuBarSipButton(mb.hwndMB);
    EXPECT_TRUE(IsRectEmpty(&none));
}

}  // namespace
}  // namespace shelltest

namespace shelltest {
namespace {

TEST_F(MenuBarTest, BarOfADisabledOwnerDoesNotAnswer) {
    EnableWindow(main_, FALSE);
    RECT r = button(4).rect;
    device::penDown(r.left + 4, r.top + 6);
    device::penUp(r.left + 4, r.top + 6);
    RECT f = button(0).rect;
    device::penDown(f.left + 4, f.top + 6);
    device::penUp(f.left + 4, f.top + 6);
    device::runUntilIdle();
    EXPECT_TRUE(rec().commands.empty());
    EXPECT_FALSE(shell::popupOpen());
    EnableWindow(main_, TRUE);
    device::penDown(r.left + 4, r.top + 6);
    device::penUp(r.left + 4, r.top + 6);
    device::runUntilIdle();
    EXPECT_EQ(rec().commands.size(), 1u);
}

}  // namespace
// Keys through an accelerator table: only the exact modifiers make the
// command, and a command the bar shows grayed or disabled takes its key and
// does nothing.
TEST_F(MenuBarTest, AcceleratorKeysBecomeCommandsUnlessTheBarRefusesThem) {
    static const ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'T', 201},          // Cut
        {FVIRTKEY | FCONTROL | FSHIFT, 'T', 101}, // New List...
        {FVIRTKEY, VK_F2, 203},                   // Paste, grayed
        {FVIRTKEY | FALT, VK_UP, 502},            // a disabled picture button
        {FVIRTKEY, VK_F3, 999},                   // on no menu at all
    };
    device::resourceRegister(device::kResAccelerator, 300, keys, sizeof keys);
    HACCEL table = LoadAcceleratorsW(nullptr, MAKEINTRESOURCEW(300));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(LoadAcceleratorsW(nullptr, MAKEINTRESOURCEW(301)), nullptr);
    std::vector<WPARAM> sent;
    // Presses the key with the modifiers held, as the message loop sees it.
    auto press = [&](std::vector<UINT> held, UINT vk) {
        for (UINT m : held) device::keyDown(m);
        device::runUntilIdle();
        MSG msg{main_, WM_KEYDOWN, vk, 1, 0, {0, 0}};
        int r = TranslateAcceleratorW(main_, table, &msg);
        for (UINT m : held) device::keyUp(m);
        device::runUntilIdle();
        return r;
    };
    rec().commands.clear();
    EXPECT_EQ(press({VK_CONTROL}, 'T'), 1);
    EXPECT_EQ(press({VK_CONTROL, VK_SHIFT}, 'T'), 1);
    EXPECT_EQ(press({}, 'T'), 0);                   // no Ctrl: a letter
    EXPECT_EQ(press({VK_CONTROL, VK_MENU}, 'T'), 0);  // more modifiers than the entry
    EXPECT_EQ(press({}, VK_F2), 1);
    EXPECT_EQ(press({VK_MENU}, VK_UP), 1);
    EXPECT_EQ(press({}, VK_F3), 1);
    EXPECT_EQ(rec().commands, (std::vector<UINT>{201, 101, 999}));
    // Once enabled, the grayed command comes through.
    EnableMenuItem((HMENU)SendMessageW(bar_, SHCMBM_GETMENU, 0, 0), 203, MF_BYCOMMAND | MF_ENABLED);
    EXPECT_EQ(press({}, VK_F2), 1);
    EXPECT_EQ(rec().commands.back(), 203u);
}

}  // namespace shelltest
