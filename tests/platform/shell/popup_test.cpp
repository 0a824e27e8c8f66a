// Tracking popup menus by injected taps and keys: the choice arrives as
// WM_COMMAND (or is returned with TPM_RETURNCMD), a tap outside chooses
// nothing, greyed items cannot be chosen, submenus open beside their item.
#include "platform/shell/menu_query.h"
#include "platform/shell/popup_menu.h"
#include "platform/system/resource_table.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

class PopupTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        main_ = makeMain();
        menu_ = LoadMenuW(nullptr, MAKEINTRESOURCEW(200));
        ASSERT_NE(menu_, nullptr);
    }
    void TearDown() override {
        DestroyMenu(menu_);
        ShellTest::TearDown();
    }
    HMENU popup(int i) const { return GetSubMenu(menu_, i); }
    static std::function<void()> tap(const char16_t* text) {
        return [text] { EXPECT_TRUE(device::tapOpenPopupItem(text)) << "no item to tap"; };
    }
    static std::function<void()> key(UINT vk) {
        return [vk] {
            device::keyDown(vk);
            device::keyUp(vk);
        };
    }
    HWND main_ = nullptr;
    HMENU menu_ = nullptr;
};

TEST_F(PopupTest, TappedItemArrivesAsCommandAtTheOwner) {
    RECT where{};
    drive({[&] {
               ASSERT_TRUE(shell::popupLevelRect(0, where));
               EXPECT_EQ(device::openPopupItems(0).size(), 3u);
           },
           tap(u"Copy")});
    EXPECT_TRUE(TrackPopupMenuEx(popup(1), TPM_LEFTALIGN | TPM_TOPALIGN, 40, 100, main_, nullptr));
    stopDriving();
    EXPECT_EQ(where.left, 40);
    EXPECT_EQ(where.top, 100);
    EXPECT_FALSE(shell::popupOpen());
    EXPECT_TRUE(rec().commands.empty());  // posted, not sent
    device::runUntilIdle();
    ASSERT_EQ(rec().commands.size(), 1u);
    EXPECT_EQ(rec().commands[0], 202u);
}

TEST_F(PopupTest, ReturnCmdGivesTheChoiceInsteadOfACommand) {
    drive({tap(u"Cut")});
    EXPECT_EQ(TrackPopupMenuEx(popup(1), TPM_RETURNCMD, 10, 60, main_, nullptr), 201);
    stopDriving();
    device::runUntilIdle();
    EXPECT_TRUE(rec().commands.empty());
}

TEST_F(PopupTest, TapOutsideClosesWithoutCommand) {
    drive({[] {
        device::penDown(230, 300);
        device::penUp(230, 300);
    }});
    EXPECT_EQ(TrackPopupMenuEx(popup(0), TPM_RETURNCMD, 10, 60, main_, nullptr), 0);
    stopDriving();
    device::runUntilIdle();
    EXPECT_TRUE(rec().commands.empty());
    // The spent tap does not reach the window under it either.
    EXPECT_FALSE(shell::popupOpen());
}

TEST_F(PopupTest, GreyedItemAndSeparatorCannotBeChosen) {
    RECT grey{}, sep{};
    drive({[&] {
               ASSERT_TRUE(shell::popupItemRect(0, 1, grey));
               ASSERT_TRUE(shell::popupItemRect(0, 2, sep));
               device::penDown(grey.left + 5, grey.top + 3);
               device::penUp(grey.left + 5, grey.top + 3);
               device::penDown(sep.left + 5, sep.top + 2);
               device::penUp(sep.left + 5, sep.top + 2);
           },
           [] { EXPECT_TRUE(shell::popupOpen()); },
           key(VK_ESCAPE)});
    EXPECT_EQ(TrackPopupMenuEx(popup(0), TPM_RETURNCMD, 10, 60, main_, nullptr), 0);
    stopDriving();
    EXPECT_FALSE(device::tapOpenPopupItem(u"Delete List"));  // nothing open any more
}

TEST_F(PopupTest, SubmenuOpensBesideItsItemAndItsItemIsChosen) {
    RECT first{}, second{}, item{};
    drive({[&] {
               ASSERT_TRUE(shell::popupItemRect(0, 0, item));
               device::penDown(item.left + 5, item.top + 5);  // "Sort" opens on the pen down
           },
           [&] {
               ASSERT_EQ(shell::popupLevelCount(), 2);
               shell::popupLevelRect(0, first);
               shell::popupLevelRect(1, second);
               device::penUp(item.left + 5, item.top + 5);  // the lift on the submenu item keeps it open
           },
           [&] { EXPECT_EQ(shell::popupLevelCount(), 2); },
           tap(u"None")});
    EXPECT_TRUE(TrackPopupMenuEx(popup(2), 0, 10, 60, main_, nullptr));
    stopDriving();
    EXPECT_GE(second.left, first.right - 4);
    EXPECT_EQ(second.top, item.top - 1);
    device::runUntilIdle();
    ASSERT_EQ(rec().commands.size(), 1u);
    EXPECT_EQ(rec().commands[0], 312u);
}

// A submenu a little too wide for the room right of its parent stays on that
// side, pushed back over the parent's arrows, not over its texts.
TEST_F(PopupTest, ASubmenuALittleTooWideForTheRightStaysThere) {
    static device::MenuTemplate options{{
        {0, u"Options", MF_POPUP, {
            {0, u"Sort", MF_POPUP, {{501, u"Alphabetic"}}},
            {0, u"Checked", MF_POPUP, {
                {502, u"Check All"},
                {503, u"Uncheck All"},
                {504, u"Delete Checked"},
            }},
            {505, u"Settings..."},
        }},
    }};
    device::resourceRegister(device::kResMenu, 206, &options, 0);
    HMENU menu = LoadMenuW(nullptr, MAKEINTRESOURCEW(206));
    ASSERT_NE(menu, nullptr);
    RECT parent{}, submenu{}, item{};
    drive({[&] {
               ASSERT_TRUE(shell::popupItemRect(0, 1, item));
               device::penDown(item.left + 5, item.top + 5);
               device::penUp(item.left + 5, item.top + 5);
           },
           [&] {
               ASSERT_EQ(shell::popupLevelCount(), 2);
               shell::popupLevelRect(0, parent);
               shell::popupLevelRect(1, submenu);
           },
           tap(u"Check All")});
    // The parent's right edge leaves less room than the submenu needs.
    EXPECT_EQ(TrackPopupMenuEx(GetSubMenu(menu, 0), TPM_RETURNCMD | TPM_BOTTOMALIGN, 55, 290, main_, nullptr), 502);
    stopDriving();
    DestroyMenu(menu);
    ASSERT_GT(parent.right + (submenu.right - submenu.left), 240);
    EXPECT_EQ(submenu.right, 240);
    EXPECT_GE(submenu.left, (parent.left + parent.right) / 2);
}

// A submenu too wide for either side of its parent is pushed over it, under
// the pen that opened it: the lift of that tap chooses nothing there; a tap
// of its own does.
TEST_F(PopupTest, ASubmenuOpenedUnderThePenIgnoresTheLiftOfTheTapThatOpenedIt) {
    static device::MenuTemplate wide{{
        {0, u"Options", MF_POPUP, {
            {0, u"Checked", MF_POPUP, {
                {401, u"Check every single item"},
                {402, u"Uncheck every single item"},
            }},
            {403, u"Settings"},
        }},
    }};
    device::resourceRegister(device::kResMenu, 205, &wide, 0);
    HMENU menu = LoadMenuW(nullptr, MAKEINTRESOURCEW(205));
    ASSERT_NE(menu, nullptr);
    RECT item{}, submenu{};
    POINT at{};
    drive({[&] {
               ASSERT_TRUE(shell::popupItemRect(0, 0, item));
               at = POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
               device::penDown(at.x, at.y);
           },
           [&] {
               ASSERT_EQ(shell::popupLevelCount(), 2);
               shell::popupLevelRect(1, submenu);
               device::penUp(at.x, at.y);
           },
           [&] { EXPECT_EQ(shell::popupLevelCount(), 2); },
           tap(u"Uncheck every single item")});
    EXPECT_EQ(TrackPopupMenuEx(GetSubMenu(menu, 0), TPM_RETURNCMD, 60, 60, main_, nullptr), 402);
    stopDriving();
    DestroyMenu(menu);
    // The geometry this is about: the submenu covers the point of the tap.
    EXPECT_TRUE(PtInRect(&submenu, at)) << submenu.left << ".." << submenu.right << " at " << at.x;
}

TEST_F(PopupTest, KeysMoveOpenChooseAndClose) {
    // Down to "Settings...", Up back to "Sort", Right opens it, Down to
    // "None", Enter chooses.
    drive({key(VK_DOWN), key(VK_DOWN), key(VK_UP), key(VK_RIGHT),
           [] { EXPECT_EQ(shell::popupSelected(1), 0); },
           key(VK_DOWN), key(VK_RETURN)});
    EXPECT_EQ(TrackPopupMenuEx(popup(2), TPM_RETURNCMD, 10, 60, main_, nullptr), 312);
    stopDriving();

    // Escape closes the submenu first, then the popup; nothing is chosen and
    // the keys never reach the owner.
    drive({key(VK_DOWN), key(VK_RIGHT), key(VK_ESCAPE), [] { EXPECT_EQ(shell::popupLevelCount(), 1); },
           key(VK_ESCAPE)});
    EXPECT_EQ(TrackPopupMenuEx(popup(2), TPM_RETURNCMD, 10, 60, main_, nullptr), 0);
    stopDriving();
    EXPECT_TRUE(rec().keys.empty());
    EXPECT_TRUE(rec().chars.empty());
}

TEST_F(PopupTest, MnemonicChoosesAndGreyedStaysUnchosen) {
    drive({[] { device::typeChar(u'x'); }});
    EXPECT_EQ(TrackPopupMenuEx(popup(0), TPM_RETURNCMD, 10, 60, main_, nullptr), 103);
    stopDriving();
    drive({[] { device::typeChar(u'd'); }, key(VK_RETURN), key(VK_ESCAPE)});
    EXPECT_EQ(TrackPopupMenuEx(popup(0), TPM_RETURNCMD, 10, 60, main_, nullptr), 0);
    stopDriving();
}

TEST_F(PopupTest, PopupStaysOnScreenAndAlignsToTheGivenCorner) {
    RECT r{};
    drive({[&] { shell::popupLevelRect(0, r); }, key(VK_ESCAPE)});
    TrackPopupMenuEx(popup(0), TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 100, 200, main_, nullptr);
    stopDriving();
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 200);
    drive({[&] { shell::popupLevelRect(0, r); }, key(VK_ESCAPE)});
    TrackPopupMenuEx(popup(0), 0, 235, 315, main_, nullptr);
    stopDriving();
    EXPECT_LE(r.right, 240);
    EXPECT_LE(r.bottom, 320);
    EXPECT_GE(r.left, 0);
}

TEST_F(PopupTest, BadArgumentsAreRefusedAndAHoldsLiftIsIgnored) {
    EXPECT_FALSE(TrackPopupMenuEx(nullptr, 0, 0, 0, main_, nullptr));
    EXPECT_FALSE(TrackPopupMenuEx(popup(0), 0, 0, 0, (HWND)(uintptr_t)0x7777, nullptr));
    // A menu opened under a pen that is still down (tap-and-hold): its lift
    // over an item does not choose it.
    drive({[] { device::penUp(20, 70); }, [] { EXPECT_TRUE(shell::popupOpen()); }, key(VK_ESCAPE)});
    EXPECT_EQ(TrackPopupMenuEx(popup(1), TPM_RETURNCMD, 10, 60, main_, nullptr), 0);
    stopDriving();
}

TEST_F(PopupTest, DestroyingTheOwnerEndsTheMenu) {
    drive({[&] { DestroyWindow(main_); }});
    EXPECT_EQ(TrackPopupMenuEx(popup(1), TPM_RETURNCMD, 10, 60, main_, nullptr), 0);
    stopDriving();
    EXPECT_FALSE(shell::popupOpen());
}

}  // namespace
}  // namespace shelltest
