// Find on a real outline: one match per press of "Next" in labels and then
// in notes, ignoring letter case, wrapping to the first item; new searches
// and continued ones; the messages; what the outline does not hold; and a
// node that a reload replaced.
#include "common/message_dialog.h"
#include "outline/find.h"
#include "outline/notes.h"
#include "outline/tree/outline_fixture.h"

namespace outline_test {
namespace {

struct Shown {
    std::u16string text, caption;
    int style = -1;
};
std::vector<Shown>& shown() {
    static std::vector<Shown> s;
    return s;
}
int recordDialog(HWND, LPCWSTR text, LPCWSTR caption, int style) {
    shown().push_back({text, caption, style});
    return 1;
}

class Find : public OutlineTest {
protected:
    void SetUp() override {
        OutlineTest::SetUp();
        ShowWindow(hwndMainTV, SW_SHOW);
        ShowWindow(hwndNotes, SW_SHOW);
        bNotesOpen = 1;  // the pane is open, so no match has to open it
        shown().clear();
        previous = setMessageDialogHandler(recordDialog);
        resetFind();
    }
    void TearDown() override {
        setMessageDialogHandler(previous);
        resetFind();
        bNotesOpen = 0;
        OutlineTest::TearDown();
    }
    // Presses "Next" with `text`; the selected item's label afterwards.
    std::string next(const char16_t* text) {
        findNext(text);
        device::runUntilIdle();
        HTREEITEM selected = treeSelection(hwndMainTV);
        return selected ? textOf(selected) : "<none>";
    }
    static std::u16string pane() {
        WCHAR text[1000] = {};
        GetWindowTextW(hwndNotes, text, 1000);
        return text;
    }
    MessageDialogHandler previous = nullptr;
};

TEST(FindText, MatchesIgnoringCaseFromAGivenPlace) {
    EXPECT_EQ(findTextIgnoringCase(u"Skim MILK and milk", u"milk", 0), 5);
    EXPECT_EQ(findTextIgnoringCase(u"Skim MILK and milk", u"milk", 6), 14);
    EXPECT_EQ(findTextIgnoringCase(u"Skim MILK and milk", u"milk", 15), -1);
    EXPECT_EQ(findTextIgnoringCase(u"mil", u"milk", 0), -1);  // shorter than the search text
    EXPECT_EQ(findTextIgnoringCase(u"Cr\u00C8ME", u"cr\u00E8me", 0), 0);
    EXPECT_EQ(findTextIgnoringCase(u"milk", u"", 0), -1);
}

TEST_F(Find, LabelsThenNotesOneMatchPerPressWrappingToTheFirstItem) {
    addRow(1, 0, 1, "Milk", 0, 1, 0, 1, 1, "milk twice: more MILK");
    addRow(2, 1, 1, "Skim milk");  // under a collapsed parent
    addRow(3, 0, 2, "Eggs", 0, 0, 0, 1, 1, "no match here");
    load();
    // The label first: the item is selected, its note shown, nothing marked.
    EXPECT_EQ(next(u"MILK"), "Milk");
    EXPECT_EQ(pane(), u"milk twice: more MILK");
    EXPECT_EQ(noteHighlightIndex(), -1);
    // Then the same item's note, from its very first character, one match
    // per press.
    EXPECT_EQ(next(u"MILK"), "Milk");
    EXPECT_EQ(noteHighlightIndex(), 0);
    EXPECT_EQ(next(u"MILK"), "Milk");
    EXPECT_EQ(noteHighlightIndex(), 17);
    // Then the next item in the walk, inside a collapsed parent, which opens.
    EXPECT_EQ(next(u"MILK"), "Skim milk");
    EXPECT_EQ(noteHighlightIndex(), -1);
    EXPECT_TRUE(isItemVisible(hwndMainTV, byId(2)));
    // Past the last item the search starts again at the first.
    EXPECT_EQ(next(u"MILK"), "Milk");
    EXPECT_TRUE(shown().empty());
}

TEST_F(Find, TheMessagesOfAnEmptyTextAnEmptyOutlineAndNoMatch) {
    EXPECT_EQ(next(u"   "), "<none>");
    load();  // an empty list
    EXPECT_EQ(next(u"milk"), "<none>");
    addRow(1, 0, 1, "Bread", 0, 0, 0, 1, 1, "seeded");
    load();
    next(u" xyz ");
    ASSERT_EQ(shown().size(), 3u);
    EXPECT_EQ(shown()[0].text, u"No search string entered!");
    EXPECT_EQ(shown()[1].text, u"String not found!");
    EXPECT_EQ(shown()[2].text, u"Could not fine substring 'xyz' in list!");
    for (const Shown& s : shown()) {
        EXPECT_EQ(s.caption, u"Find Error");
        EXPECT_EQ(s.style, 48);
    }
    // The search text is trimmed, and a failed search searches the whole
    // outline again on the next press.
    EXPECT_EQ(next(u" seed "), "Bread");
}

TEST_F(Find, AnotherWordStartsAgainButTheWordsOwnBeginningGoesOn) {
    addRow(1, 0, 1, "Apple pie");
    addRow(2, 0, 2, "Apple juice");
    addRow(3, 0, 3, "Pear");
    load();
    EXPECT_EQ(next(u"apple"), "Apple pie");
    EXPECT_EQ(next(u"APP"), "Apple juice");  // a shortened text continues
    EXPECT_EQ(next(u"pear"), "Pear");
    EXPECT_EQ(next(u"apple"), "Apple pie");  // a different text starts at the first item
    // Another list starts again at its own first item.
    setList("Orchard");
    addRow(1, 0, 1, "Apple tree");
    addRow(2, 0, 2, "Apple crate");
    load();
    EXPECT_EQ(next(u"apple"), "Apple tree");
}

TEST_F(Find, ItemsLeftOutOfTheOutlineAreNotSearched) {
    addRow(1, 0, 1, "Hidden milk", 0, 0, 0, 0);
    addRow(2, 0, 2, "Checked milk", 1);
    addRow(3, 0, 3, "Milk");
    attrCurrentList.bShowHiddenItems = 1;
    attrCurrentList.bHideChecked = 1;
    load();
    EXPECT_EQ(next(u"milk"), "Milk");
    EXPECT_EQ(next(u"milk"), "Milk");
    EXPECT_TRUE(shown().empty());
}

TEST_F(Find, AReloadedOutlineIsSearchedOnFromTheSameItem) {
    addRow(1, 0, 1, "Milk");
    addRow(2, 0, 2, "More milk");
    addRow(3, 0, 3, "Oat milk");
    load();
    EXPECT_EQ(next(u"milk"), "Milk");
    EXPECT_EQ(next(u"milk"), "More milk");
    load();  // every node is new now
    EXPECT_EQ(next(u"milk"), "Oat milk");
    // The item of the last match went away: the search starts again.
    ASSERT_EQ(sqlite3_exec(dbCurrent, "DELETE FROM 'Groceries' WHERE longID=3;", nullptr, nullptr, nullptr), SQLITE_OK);
    load();
    EXPECT_EQ(next(u"milk"), "Milk");
}

TEST_F(Find, TheHighlightShowsExactlyTheMatchAndGoesWhenTheBarIsHidden) {
    addRow(1, 0, 1, "Shopping", 0, 0, 0, 1, 1, "ask for the dairy's cream and the DAIRY milk");
    load();
    hwndFind = CreateWindowExW(0, u"static", u"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hwndMain, nullptr, nullptr,
                               nullptr);
    EXPECT_EQ(next(u"Dairy"), "Shopping");
    EXPECT_EQ(noteHighlightIndex(), 12);
    EXPECT_EQ(next(u"dairy"), "Shopping");
    EXPECT_EQ(noteHighlightIndex(), 34);
    onToggleFind(hwndMain, 40029, nullptr, 0);
    EXPECT_FALSE(IsWindowVisible(hwndFind));
    EXPECT_EQ(noteHighlightIndex(), -1);
    EXPECT_EQ(GetFocus(), hwndMainTV);
    DestroyWindow(hwndFind);
    hwndFind = nullptr;
}

}  // namespace
}  // namespace outline_test
