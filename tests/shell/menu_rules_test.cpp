// The rule that enables commands: what each state of the database, list,
// selection, clipboard and undo allows.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource_ids.h"
#include "shell/menu_rules.h"

namespace {

using namespace res;

bool has(const std::vector<UINT>& ids, UINT id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

MenuInputs listWithSelection() {
    MenuInputs in;
    in.database = 1;
    in.listCount = 2;
    in.selected = 1;
    in.hasParent = 1;
    in.hasPrevious = 1;
    in.hasNext = 1;
    return in;
}

TEST(MenuRules, WithoutADatabaseNothingThatNeedsOneIsEnabled) {
    MenuInputs in;
    in.listCount = 3;  // stale values do not matter without a database
    in.selected = 1;
    in.clipboard = 5;
    in.undo = 5;
    MenuDecision d = decideMenus(in);
    EXPECT_TRUE(d.items.empty());
    EXPECT_TRUE(d.buttons.empty());
    for (int s : d.editBar) EXPECT_EQ(s, 1);
    // Commands that work without a database are not managed by the rule at all.
    for (UINT id : {kCmdNewDatabase, kCmdOpenDatabase, kCmdBackupFolder, kCmdExit, kCmdSettings, kCmdSortAlphabetic})
        EXPECT_FALSE(has({std::begin(kManagedMenuItems), std::end(kManagedMenuItems)}, id)) << id;
}

TEST(MenuRules, ADatabaseWithoutListsOffersNewAndImportOnly) {
    MenuInputs in;
    in.database = 1;
    MenuDecision d = decideMenus(in);
    EXPECT_TRUE(has(d.items, kCmdNewList));
    EXPECT_TRUE(has(d.items, kCmdImportList));
    EXPECT_TRUE(has(d.items, kCmdDatabaseAttributes));
    for (UINT id : {kCmdRenameList, kCmdDeleteList, kCmdExportList, kCmdSetPasswordForList})
        EXPECT_FALSE(has(d.items, id)) << id;
    EXPECT_TRUE(d.buttons.empty());
}

TEST(MenuRules, ALockedListCanOnlyBeLeftOrDeleted) {
    MenuInputs in = listWithSelection();
    in.locked = 1;
    in.clipboard = 4;
    in.undo = 4;
    MenuDecision d = decideMenus(in);
    std::vector<UINT> items = d.items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<UINT>{kCmdNewList, kCmdDeleteList}));
    EXPECT_TRUE(d.buttons.empty());
    for (int s : d.editBar) EXPECT_EQ(s, 1);
}

TEST(MenuRules, ASelectedItemEnablesItsCommandsAndTheMovesItsPlaceAllows) {
    MenuDecision d = decideMenus(listWithSelection());
    EXPECT_TRUE(has(d.items, kCmdCut));
    EXPECT_TRUE(has(d.items, kCmdCopy));
    EXPECT_FALSE(has(d.items, kCmdPaste));
    EXPECT_FALSE(has(d.items, kCmdUndo));
    for (UINT id : {kCmdNewItem, kCmdNewSubItem, kCmdFind, kCmdEditBar, kCmdItemNote}) EXPECT_TRUE(has(d.buttons, id));
    EXPECT_EQ(std::vector<int>(d.editBar, d.editBar + EDIT_BAR_BUTTONS), (std::vector<int>{2, 2, 1, 2, 2, 2, 2, 2, 2}));

    // The first root item: no parent, no previous sibling.
    MenuInputs first = listWithSelection();
    first.hasParent = 0;
    first.hasPrevious = 0;
    d = decideMenus(first);
    EXPECT_EQ(d.editBar[EDIT_BAR_MOVE_LEFT], 1);
    EXPECT_EQ(d.editBar[EDIT_BAR_MOVE_UP], 1);
    EXPECT_EQ(d.editBar[EDIT_BAR_MOVE_RIGHT], 1);
    EXPECT_EQ(d.editBar[EDIT_BAR_MOVE_DOWN], 2);
}

TEST(MenuRules, AlphabeticSortingKeepsEveryMoveButtonDisabled) {
    MenuInputs in = listWithSelection();
    in.alphaSort = 1;
    MenuDecision d = decideMenus(in);
    for (int b : {EDIT_BAR_MOVE_DOWN, EDIT_BAR_MOVE_UP, EDIT_BAR_MOVE_LEFT, EDIT_BAR_MOVE_RIGHT})
        EXPECT_EQ(d.editBar[b], 1) << b;
    EXPECT_EQ(d.editBar[EDIT_BAR_CUT], 2);
}

TEST(MenuRules, NoSelectionLeavesItemCommandsOffButPasteAndUndoFollowTheirState) {
    MenuInputs in;
    in.database = 1;
    in.listCount = 1;
    in.clipboard = -7;  // a cut item
    in.undo = 3;
    MenuDecision d = decideMenus(in);
    EXPECT_FALSE(has(d.items, kCmdCut));
    EXPECT_FALSE(has(d.buttons, kCmdNewSubItem));
    EXPECT_TRUE(has(d.buttons, kCmdNewItem));
    EXPECT_TRUE(has(d.items, kCmdPaste));
    EXPECT_TRUE(has(d.items, kCmdUndo));
    EXPECT_EQ(d.editBar[EDIT_BAR_PASTE], 2);
    EXPECT_EQ(d.editBar[EDIT_BAR_CUT], 1);
}

TEST(MenuRules, EverythingEnabledIsAmongTheManagedSetsOrImport) {
    MenuInputs in = listWithSelection();
    in.clipboard = 1;
    in.undo = 1;
    MenuDecision d = decideMenus(in);
    std::vector<UINT> managed(std::begin(kManagedMenuItems), std::end(kManagedMenuItems));
    for (UINT id : d.items) EXPECT_TRUE(has(managed, id) || id == kCmdImportList) << id;
    // Insert Time/Date is only switched off here; the notes pane enables it.
    EXPECT_FALSE(has(d.items, kCmdInsertTimeDate));
}

}  // namespace
