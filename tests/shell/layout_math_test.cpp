// The arithmetic of the panes: where the splitter may go, where it goes after
// the input panel or the notes toggle, and how much of a list name fits.
#include <gtest/gtest.h>

#include "shell/layout.h"
#include "state/app_state.h"

namespace {

class LayoutMath : public ::testing::Test {
protected:
    void SetUp() override {
        intSplitterHeight = 6;
        intListBarBottom = 20;
        intListBarHeight = 18;
        intTreeTop = treeTopFor(0);
    }
};

TEST_F(LayoutMath, TheOutlineStartsBelowTheEditBarWhenItIsShown) {
    EXPECT_EQ(treeTopFor(0), 21);
    EXPECT_EQ(treeTopFor(1), 38);
}

TEST_F(LayoutMath, ASettingChangeKeepsTheNotesAndFindBarHeights) {
    // 268 high window, notes 50, find bar 40: the outline takes what is left.
    EXPECT_EQ(splitterTopAfterSettingChange(268, 50, 0, 16), 268 - 6 - 50);
    EXPECT_EQ(splitterTopAfterSettingChange(268, 50, 40, 16), 268 - 6 - 50 - 40);
    // The input panel shrinks the window: the notes pane keeps its 50.
    EXPECT_EQ(splitterTopAfterSettingChange(180, 50, 0, 16), 180 - 6 - 50);
    // Too little room: the outline keeps two bold rows.
    EXPECT_EQ(splitterTopAfterSettingChange(80, 50, 0, 16), 21 + 32);
}

TEST_F(LayoutMath, DraggingStopsTwoBoldRowsBelowTheTopAndAtTheBottom) {
    EXPECT_EQ(splitterTopWhileDragging(0, 268, 0, 16), 21 + 32);
    EXPECT_EQ(splitterTopWhileDragging(-40, 268, 0, 16), 21 + 32);
    EXPECT_EQ(splitterTopWhileDragging(150, 268, 0, 16), 150);
    EXPECT_EQ(splitterTopWhileDragging(500, 268, 0, 16), 262);
    EXPECT_EQ(splitterTopWhileDragging(500, 268, 40, 16), 222);  // stays above the find bar
    // A window too small for both limits: the outline's rows win.
    EXPECT_EQ(splitterTopWhileDragging(30, 40, 0, 16), 53);
}

TEST_F(LayoutMath, TogglingTheNotesPaneOpensToTheRememberedHeightAboveTheFindBar) {
    EXPECT_EQ(splitterTopForNotes(1, 268, 53, 0, 13), 268 - 6 - 53);
    EXPECT_EQ(splitterTopForNotes(0, 268, 0, 0, 13), 262);
    EXPECT_EQ(splitterTopForNotes(1, 268, 53, 40, 13), 268 - 6 - 53 - 40);
    EXPECT_EQ(splitterTopForNotes(0, 268, 0, 40, 13), 222);
    EXPECT_EQ(splitterTopForNotes(1, 268, 1000, 0, 13), 21 + 26);
}

TEST(ListNameFit, ShortNamesAreShownWhole) {
    int widths[] = {7, 14, 21};
    FittedName f = fitListName(widths, 3, 21);
    EXPECT_EQ(f.count, 3);
    EXPECT_FALSE(f.ellipsis);
    f = fitListName(widths, 0, 10);
    EXPECT_EQ(f.count, 0);
}

TEST(ListNameFit, LongNamesAreCutWithThreeDotsWhenThreeCharactersFit) {
    int widths[] = {7, 14, 21, 28, 35, 42};
    FittedName f = fitListName(widths, 6, 30);
    EXPECT_EQ(f.count, 4);
    EXPECT_TRUE(f.ellipsis);
    f = fitListName(widths, 6, 15);  // two fit: no room for the dots
    EXPECT_EQ(f.count, 2);
    EXPECT_FALSE(f.ellipsis);
    f = fitListName(widths, 6, 0);
    EXPECT_EQ(f.count, 0);
    EXPECT_FALSE(f.ellipsis);
}

}  // namespace
