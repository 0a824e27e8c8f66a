// The menus as LoadMenuW builds them: texts, command ids, states and the
// submenu places the program addresses by position; and the menu bar's
// buttons, which must open the right popups and start disabled.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/system/resource_table.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "windows.h"

namespace {

struct Entry {
    UINT id;           // 0 for a separator
    const char16_t* text;
    bool grayed;
};

class MenuResources : public ::testing::Test {
protected:
    void SetUp() override { registerProgramResources(); }
    void TearDown() override {
        for (HMENU m : loaded_) DestroyMenu(m);
    }
    HMENU load(int id) {
        HMENU m = LoadMenuW(nullptr, MAKEINTRESOURCEW(id));
        if (m) loaded_.push_back(m);
        return m;
    }
    std::vector<HMENU> loaded_;
};

std::u16string textAt(HMENU m, int pos) {
    WCHAR buf[80] = {};
    GetMenuStringW(m, (UINT)pos, buf, 80, MF_BYPOSITION);
    return buf;
}

void expectItems(HMENU m, const std::vector<Entry>& want) {
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(GetMenuItemCount(m), (int)want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        UINT state = GetMenuState(m, (UINT)i, MF_BYPOSITION);
        if (want[i].id == 0) {
            EXPECT_TRUE(state & MF_SEPARATOR);
            continue;
        }
        EXPECT_EQ(GetMenuItemID(m, (int)i), want[i].id);
        EXPECT_EQ(textAt(m, (int)i), std::u16string(want[i].text));
        EXPECT_EQ((state & MF_GRAYED) != 0, want[i].grayed);
        EXPECT_FALSE(state & MF_CHECKED);
    }
}

TEST_F(MenuResources, MainMenuHasFileEditOptionsInBarOrder) {
    HMENU m = load(res::kMenuMain);
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(GetMenuItemCount(m), 3);
    EXPECT_EQ(textAt(m, 0), u"File");
    EXPECT_EQ(textAt(m, 1), u"Edit");
    EXPECT_EQ(textAt(m, 2), u"Options");

    expectItems(GetSubMenu(m, 0), {{40017, u"New Database...", false},
                                   {40001, u"Open Database...", false},
                                   {40057, u"Database Attributes...", true},
                                   {40016, u"Backup Folder...", false},
                                   {0, nullptr, false},
                                   {40039, u"New List...", true},
                                   {40040, u"Rename List", true},
                                   {40041, u"Delete List", true},
                                   {0, nullptr, false},
                                   {40043, u"Import List...", true},
                                   {40042, u"Export List...", true},
                                   {0, nullptr, false},
                                   {40009, u"Exit", false}});
    expectItems(GetSubMenu(m, 1), {{40031, u"Undo", true},
                                   {0, nullptr, false},
                                   {40028, u"Cut", true},
                                   {40023, u"Copy", true},
                                   {40024, u"Paste", true},
                                   {0, nullptr, false},
                                   {40044, u"Insert Time/Date", true}});
}

TEST_F(MenuResources, OptionsSubmenusSitWhereTheProgramLooksForThem) {
    HMENU m = load(res::kMenuMain);
    ASSERT_NE(m, nullptr);
    HMENU options = GetSubMenu(m, 2);
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(GetMenuItemCount(options), 9);
    const char16_t* names[] = {u"Sort", u"Font Size", u"Checked", u"Hidden", u"Expand", u"Set Password"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(textAt(options, i), names[i]);
        EXPECT_NE(GetSubMenu(options, i), nullptr) << i;
    }
    EXPECT_EQ(textAt(options, res::kOptionsPosHidden), u"Hidden");
    EXPECT_TRUE(GetMenuState(options, 6, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(options, 7), 40008u);
    EXPECT_EQ(textAt(options, 7), u"Settings...");
    EXPECT_EQ(GetMenuItemID(options, 8), 40007u);
    EXPECT_EQ(textAt(options, 8), u"About...");

    expectItems(GetSubMenu(options, 0), {{40055, u"Alphabetic", false},
                                         {40056, u"Checked", false},
                                         {40082, u"Both", false},
                                         {40083, u"None", false}});
    expectItems(GetSubMenu(options, 1), {{40045, u" 8 Point", false},
                                         {40046, u" 9 Point", false},
                                         {40047, u"10 Point", false},
                                         {40048, u"11 Point", false},
                                         {40049, u"12 Point", false},
                                         {40050, u"13 Point", false},
                                         {40051, u"14 Point", false},
                                         {40052, u"15 Point", false},
                                         {40053, u"16 Font", false}});
    expectItems(GetSubMenu(options, 2), {{40058, u"Check All", false},
                                         {40059, u"Uncheck All", false},
                                         {40060, u"Delete Checked", false}});
    HMENU hidden = GetSubMenu(options, 3);
    expectItems(hidden, {{40061, u"Set All Show", false},
                         {40062, u"Set All Hide", false},
                         {40063, u"Hilite Hidden", false},
                         {40064, u"Hide Checked", false},
                         {40067, u"Hide On", false}});
    expectItems(GetSubMenu(options, 4), {{40065, u"Expand All", false}, {40066, u"Collapse All", false}});
    expectItems(GetSubMenu(options, 5), {{40085, u"For List...", true}});

    // The renaming of "Hide On" takes it out and appends it again: it must
    // come back last, where the next renaming expects it.
    ASSERT_TRUE(DeleteMenu(options, 40067, MF_BYCOMMAND));
    ASSERT_TRUE(AppendMenuW(hidden, MF_STRING, 40067, u"Hide Off"));
    EXPECT_EQ(GetMenuItemID(hidden, GetMenuItemCount(hidden) - 1), 40067u);
    EXPECT_EQ(GetMenuItemCount(hidden), 5);
}

TEST_F(MenuResources, ItemPopupTakesHideShowAtPositionThree) {
    HMENU m = load(res::kMenuItemPopup);
    ASSERT_NE(m, nullptr);
    ASSERT_EQ(GetMenuItemCount(m), 1);
    EXPECT_EQ(textAt(m, 0), u"Item_Popup");
    HMENU popup = GetSubMenu(m, 0);
    expectItems(popup, {{40071, u"Edit", false},
                        {40072, u"Delete", false},
                        {0, nullptr, false},
                        {40074, u"Create Task...", false},
                        {0, nullptr, false},
                        {40075, u"Cut", true},
                        {40076, u"Copy", true},
                        {40077, u"Paste", true},
                        {0, nullptr, false},
                        {40078, u"New Subitem", false},
                        {40080, u"Duplicate", true},
                        {0, nullptr, false},
                        {40079, u"Delete Note", true},
                        {40084, u"Add Note", false}});
    ASSERT_TRUE(InsertMenuW(popup, res::kItemPopupPosHide, MF_BYPOSITION | MF_STRING, 40073, u"Hide"));
    EXPECT_EQ(GetMenuItemID(popup, 1), 40072u);
    EXPECT_EQ(GetMenuItemID(popup, 3), 40073u);
    EXPECT_EQ(GetMenuItemID(popup, 4), 40074u);
}

TEST_F(MenuResources, NotesPopupInItsOrderWithEditingItemsGrayed) {
    HMENU m = load(res::kMenuNotesPopup);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(textAt(m, 0), u"Notes Popup");
    expectItems(GetSubMenu(m, 0), {{40031, u"Undo", true},
                                   {0, nullptr, false},
                                   {40028, u"Cut", true},
                                   {40023, u"Copy", true},
                                   {40024, u"Paste", true},
                                   {40035, u"Clear", true},
                                   {0, nullptr, false},
                                   {40034, u"Select All", false},
                                   {0, nullptr, false},
                                   {40044, u"Insert Time/Date", false}});
}

TEST_F(MenuResources, EveryCommandIdAppearsOnceInTheMainMenu) {
    HMENU m = load(res::kMenuMain);
    ASSERT_NE(m, nullptr);
    std::vector<UINT> ids;
    std::vector<HMENU> todo{m};
    while (!todo.empty()) {
        HMENU cur = todo.back();
        todo.pop_back();
        for (int i = 0; i < GetMenuItemCount(cur); ++i) {
            if (HMENU sub = GetSubMenu(cur, i)) todo.push_back(sub);
            else if (!(GetMenuState(cur, (UINT)i, MF_BYPOSITION) & MF_SEPARATOR)) ids.push_back(GetMenuItemID(cur, i));
        }
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    // The menu bar's button ids must not be taken for commands either.
    for (UINT b : {res::kButtonFile, res::kButtonEdit, res::kButtonOptions})
        EXPECT_FALSE(std::binary_search(ids.begin(), ids.end(), b)) << b;
}

TEST_F(MenuResources, MenuBarOpensThePopupsAndStartsWithPicturesDisabled) {
    const device::Resource* r = device::resourceFind(device::kResMenuBar, res::kMenuBarMain);
    ASSERT_NE(r, nullptr);
    const auto& bar = *static_cast<const device::MenuBarTemplate*>(r->data);
    EXPECT_EQ(bar.menuId, res::kMenuMain);
    ASSERT_EQ(bar.buttons.size(), 9u);
    const char16_t* names[] = {u"File", u"Edit", u"Options"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bar.buttons[i].kind, device::MenuBarButton::kMenu);
        EXPECT_EQ(std::u16string(bar.buttons[i].text), names[i]);
        EXPECT_EQ(bar.buttons[i].popup, i);
    }
    EXPECT_EQ(bar.buttons[2].id, 40004u);
    EXPECT_EQ(bar.buttons[3].kind, device::MenuBarButton::kSeparator);
    const UINT pictures[] = {40013, 40014, 40015, 40029, 40030};
    for (int i = 0; i < 5; ++i) {
        const device::MenuBarButton& b = bar.buttons[4 + i];
        EXPECT_EQ(b.kind, device::MenuBarButton::kPicture);
        EXPECT_EQ(b.id, pictures[i]);
        EXPECT_EQ(b.image, i);
        EXPECT_EQ(b.state, 0) << "picture " << i << " must start disabled";
    }
}

}  // namespace
