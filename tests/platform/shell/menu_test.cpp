// Menus built by calls and from templates: items by position and by command
// id (into submenus), enabling and checking with their previous states,
// removal versus deletion, and refusals of bad handles.
#include "platform/shell/menu_store.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

class MenuTest : public ShellTest {};

std::u16string menuString(HMENU m, UINT item, UINT flags) {
    WCHAR buf[64] = {};
    GetMenuStringW(m, item, buf, 64, flags);
    return buf;
}

TEST_F(MenuTest, ItemsAppendedAndInsertedByPositionAndByCommand) {
    size_t before = shell::liveMenuCount();
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(sub, MF_STRING, 21, u"Twenty-one"));
    ASSERT_TRUE(AppendMenuW(popup, MF_STRING, 10, u"&Ten"));
    ASSERT_TRUE(AppendMenuW(popup, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuW(popup, MF_POPUP, (UINT_PTR)sub, u"&More"));
    ASSERT_TRUE(InsertMenuW(popup, 0, MF_BYPOSITION | MF_STRING, 5, u"Five"));
    ASSERT_TRUE(InsertMenuW(popup, 21, MF_BYCOMMAND | MF_STRING, 20, u"Twenty"));  // lands in the submenu
    ASSERT_TRUE(InsertMenuW(popup, 99, MF_BYPOSITION | MF_STRING, 30, u"Thirty"));  // past the end appends

    EXPECT_EQ(GetMenuItemCount(popup), 5);
    EXPECT_EQ(GetMenuItemID(popup, 0), 5u);
    EXPECT_EQ(GetMenuItemID(popup, 1), 10u);
    EXPECT_EQ(GetMenuItemID(popup, 3), (UINT)-1);  // a submenu has no id
    EXPECT_EQ(GetMenuItemID(popup, 4), 30u);
    EXPECT_EQ(GetMenuItemID(popup, 5), (UINT)-1);
    EXPECT_EQ(GetSubMenu(popup, 3), sub);
    EXPECT_EQ(GetSubMenu(popup, 1), nullptr);
    EXPECT_EQ(GetMenuItemID(sub, 0), 20u);
    EXPECT_EQ(GetMenuState(popup, 3, MF_BYPOSITION), (UINT)(MF_POPUP | (2u << 8)));
    EXPECT_EQ(GetMenuState(popup, 2, MF_BYPOSITION), (UINT)MF_SEPARATOR);
    EXPECT_EQ(menuString(popup, 10, MF_BYCOMMAND), u"&Ten");
    EXPECT_EQ(menuString(popup, 21, MF_BYCOMMAND), u"Twenty-one");

    // RemoveMenu leaves the submenu alive; DeleteMenu destroys it.
    ASSERT_TRUE(RemoveMenu(popup, 3, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(sub));
    ASSERT_TRUE(AppendMenuW(popup, MF_POPUP, (UINT_PTR)sub, u"Again"));
    ASSERT_TRUE(DeleteMenu(popup, 4, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_FALSE(RemoveMenu(popup, 77, MF_BYCOMMAND));

    ASSERT_TRUE(DestroyMenu(popup));
    EXPECT_EQ(shell::liveMenuCount(), before);
}

TEST_F(MenuTest, DestroyingAMenuTakesItsSubmenusAndStaleHandlesAreRefused) {
    size_t before = shell::liveMenuCount();
    HMENU bar = CreateMenu();
    HMENU a = CreatePopupMenu();
    HMENU b = CreatePopupMenu();
    AppendMenuW(b, MF_STRING, 1, u"x");
    AppendMenuW(a, MF_POPUP, (UINT_PTR)b, u"b");
    AppendMenuW(bar, MF_POPUP, (UINT_PTR)a, u"a");
    ASSERT_TRUE(DestroyMenu(bar));
    EXPECT_EQ(shell::liveMenuCount(), before);
    EXPECT_FALSE(IsMenu(b));
    EXPECT_FALSE(DestroyMenu(bar));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_MENU_HANDLE);
    EXPECT_EQ(GetMenuItemCount(a), -1);
    EXPECT_FALSE(AppendMenuW(a, MF_STRING, 1, u"x"));
    EXPECT_EQ(EnableMenuItem(a, 1, MF_GRAYED), (DWORD)-1);
    // A submenu handle that is not a menu, and a menu put into itself, are refused.
    HMENU m = CreatePopupMenu();
    EXPECT_FALSE(AppendMenuW(m, MF_POPUP, (UINT_PTR)b, u"gone"));
    EXPECT_FALSE(AppendMenuW(m, MF_POPUP, (UINT_PTR)m, u"self"));
    EXPECT_EQ(GetMenuItemCount(m), 0);
    DestroyMenu(m);
}

TEST_F(MenuTest, EnableAndCheckReturnThePreviousStateByCommandAndByPosition) {
    HMENU menu = LoadMenuW(nullptr, MAKEINTRESOURCEW(200));
    ASSERT_NE(menu, nullptr);
    HMENU file = GetSubMenu(menu, 0);
    HMENU options = GetSubMenu(menu, 2);
    HMENU sort = GetSubMenu(options, 0);
    ASSERT_NE(sort, nullptr);

    // By command from the top: found inside the popups and the nested submenu.
    EXPECT_EQ(EnableMenuItem(menu, 102, MF_BYCOMMAND | MF_ENABLED), (DWORD)MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 102, MF_BYCOMMAND | MF_GRAYED), (DWORD)MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 312, MF_BYCOMMAND | MF_GRAYED), (DWORD)MF_ENABLED);
    EXPECT_EQ(GetMenuState(sort, 1, MF_BYPOSITION) & MF_GRAYED, (UINT)MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 999, MF_BYCOMMAND | MF_GRAYED), (DWORD)-1);

    // By position: only the given menu's own items.
    EXPECT_EQ(EnableMenuItem(file, 0, MF_BYPOSITION | MF_GRAYED), (DWORD)MF_ENABLED);
    EXPECT_EQ(GetMenuState(menu, 101, MF_BYCOMMAND) & MF_GRAYED, (UINT)MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(file, 9, MF_BYPOSITION | MF_GRAYED), (DWORD)-1);
    // A submenu item can be greyed by position.
    EXPECT_EQ(EnableMenuItem(options, 0, MF_BYPOSITION | MF_GRAYED), (DWORD)MF_ENABLED);
    EXPECT_EQ(GetMenuState(options, 0, MF_BYPOSITION) & 0xFF, (UINT)(MF_POPUP | MF_GRAYED));

    EXPECT_EQ(CheckMenuItem(menu, 311, MF_BYCOMMAND | MF_UNCHECKED), (DWORD)MF_CHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 312, MF_BYCOMMAND | MF_CHECKED), (DWORD)MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(sort, 1, MF_BYPOSITION | MF_CHECKED), (DWORD)MF_CHECKED);
    EXPECT_EQ(GetMenuState(menu, 311, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(CheckMenuItem(menu, 998, MF_BYCOMMAND | MF_CHECKED), (DWORD)-1);
    // Checking leaves the enabled state alone and the other way round.
    EXPECT_EQ(GetMenuState(menu, 312, MF_BYCOMMAND), (UINT)(MF_GRAYED | MF_CHECKED));
    DestroyMenu(menu);
}

TEST_F(MenuTest, LoadMenuBuildsTheTemplateAndRefusesWhatIsNotThere) {
    HMENU menu = LoadMenuW(nullptr, MAKEINTRESOURCEW(202));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(GetMenuItemID(popup, 2), 603u);
    EXPECT_EQ(GetMenuState(popup, 2, MF_BYPOSITION), (UINT)MF_GRAYED);
    EXPECT_EQ(menuString(menu, 0, MF_BYPOSITION), u"Item_Popup");
    // The item menu inserts "Hide" at position 3 before showing it.
    ASSERT_TRUE(InsertMenuW(popup, 3, MF_BYPOSITION | MF_STRING, 40073, u"Hide"));
    EXPECT_EQ(GetMenuItemID(popup, 3), 40073u);
    DestroyMenu(menu);

    EXPECT_EQ(LoadMenuW(nullptr, MAKEINTRESOURCEW(4242)), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(LoadMenuW(nullptr, u"Notes Popup"), nullptr);
    // A resource of the wrong size is not read as a menu.
    static int notAMenu = 5;
    device::resourceRegister(device::kResMenu, 4243, &notAMenu, sizeof(notAMenu));
    EXPECT_EQ(LoadMenuW(nullptr, MAKEINTRESOURCEW(4243)), nullptr);
}

TEST_F(MenuTest, MnemonicsAreStrippedAndFound) {
    EXPECT_EQ(shell::stripMnemonic(u"&File"), u"File");
    EXPECT_EQ(shell::stripMnemonic(u"Save && &Quit"), u"Save & Quit");
    EXPECT_EQ(shell::stripMnemonic(u"trailing&"), u"trailing");
    EXPECT_EQ(shell::mnemonicOf(u"E&xit"), u'x');
    EXPECT_EQ(shell::mnemonicOf(u"&Open"), u'o');
    EXPECT_EQ(shell::mnemonicOf(u"A && B"), 0);
    EXPECT_EQ(shell::mnemonicOf(u"none"), 0);
}

}  // namespace
}  // namespace shelltest
