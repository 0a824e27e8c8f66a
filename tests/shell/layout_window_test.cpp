// The panes in a running main window: the edit bar toggle, the notes toggle
// with and without items and beside a shown find bar, and a setting change
// while searching.
#include "shell/layout.h"
#include "shell/shell_state.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

class Layout : public ShellDevice {
protected:
    RECT rectIn(HWND child) {
        RECT rc{};
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, hwndMain, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    int clientHeight() {
        RECT rc{};
        GetClientRect(hwndMain, &rc);
        return rc.bottom;
    }
    void command(UINT id) { SendMessageW(hwndMain, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // As the outline shows it once a list has items.
    void showPanes() {
        for (HWND w : {hwndMainTV, hwndNotes, hwndSplitter}) ShowWindow(w, SW_SHOW);
    }
};

TEST_F(Layout, TheEditBarToggleMovesTheOutlineAndIsRemembered) {
    start();
    ASSERT_EQ(bEditBarVisible, 0);
    int hiddenTop = intTreeTop;
    EXPECT_EQ(hiddenTop, intListBarBottom + 1);
    command(res::kCmdEditBar);
    EXPECT_EQ(bEditBarVisible, 1);
    EXPECT_EQ(intTreeTop, intListBarBottom + intListBarHeight);
    EXPECT_EQ(rectIn(hwndMainTV).top, intTreeTop);
    EXPECT_EQ(rectIn(hwndMainTV).bottom, intSplitterTop);
    int stored = 0;
    EXPECT_EQ(getSettingInt(SETTING_EDITBARVISIBLE, &stored), 1);
    EXPECT_EQ(stored, 1);
    command(res::kCmdEditBar);
    EXPECT_EQ(intTreeTop, hiddenTop);
    EXPECT_EQ(rectIn(hwndMainTV).top, hiddenTop);
    getSettingInt(SETTING_EDITBARVISIBLE, &stored);
    EXPECT_EQ(stored, 0);
}

TEST_F(Layout, TheNotesToggleDoesNothingWhileNoItemsAreShown) {
    start();
    int top = intSplitterTop;
    command(res::kCmdItemNote);
    EXPECT_EQ(bNotesOpen, 0);
    EXPECT_EQ(intSplitterTop, top);
}

TEST_F(Layout, TheNotesPaneOpensAboveAShownFindBarAndClosesOntoIt) {
    ASSERT_EQ(setSettingInt(SETTING_NOTEEBHEIGHTPREVIOUS, 60), 0);
    start();
    showPanes();
    ShowWindow(hwndFind, SW_SHOW);
    command(res::kCmdItemNote);
    ASSERT_EQ(bNotesOpen, 1);
    int h = clientHeight();
    RECT find = rectIn(hwndFind), notes = rectIn(hwndNotes);
    int findHeight = find.bottom - find.top;
    EXPECT_EQ(find.bottom, h);
    // The bar is three spacing units higher than its search field.
    RECT field{};
    GetWindowRect(GetDlgItem(hwndFind, 1127), &field);
    EXPECT_EQ(findHeight, 3 * intUnit + (field.bottom - field.top));
    EXPECT_EQ(notes.top, intSplitterTop + intSplitterHeight);
    // The pane reaches under the find bar's border: only its client area is left free.
    RECT findClient{};
    GetClientRect(hwndFind, &findClient);
    EXPECT_EQ(notes.bottom, h - findClient.bottom);
    EXPECT_EQ(notes.bottom - notes.top, 60 + findHeight - findClient.bottom);
    EXPECT_EQ(intSplitterTop, h - intSplitterHeight - 60 - findHeight);

    command(res::kCmdItemNote);
    EXPECT_EQ(bNotesOpen, 0);
    EXPECT_EQ(intSplitterTop, h - intSplitterHeight - findHeight);
    EXPECT_EQ(rectIn(hwndFind).bottom, h);
    int stored = 0;
    getSettingInt(SETTING_SETBARTOP, &stored);
    EXPECT_EQ(stored, intSplitterTop);
}

TEST_F(Layout, ASettingChangeKeepsTheNotesAndTheFindBarAtTheBottom) {
    ASSERT_EQ(setSettingInt(SETTING_NOTEEBHEIGHTPREVIOUS, 50), 0);
    ASSERT_EQ(setSettingInt(SETTING_NOTESEBOPEN, 1), 0);
    start();
    showPanes();
    ShowWindow(hwndFind, SW_SHOW);
    SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    int h = clientHeight();
    RECT find = rectIn(hwndFind);
    EXPECT_EQ(intSplitterTop, h - intSplitterHeight - 50 - (find.bottom - find.top));
    EXPECT_EQ(rectIn(hwndSplitter).top, intSplitterTop);
    EXPECT_EQ(rectIn(hwndMainTV).bottom, intSplitterTop);
    EXPECT_EQ(rectIn(hwndFind).bottom, h);
}

TEST_F(Layout, TheListNameBarIgnoresBeingDisabled) {
    start();
    EXPECT_EQ(SendMessageW(hwndListName, WM_ENABLE, FALSE, 0), 0);
    EXPECT_TRUE(IsWindowEnabled(hwndListName));
}

}  // namespace
}  // namespace shelltest
