// The main window in a real (headless) device: one copy at a time, the menu
// bar's life through low memory and activation, the enabled commands of each
// state, the Font Size mark, the notes pane's colours, and Exit.
#include "shell/command_table.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

using MainWindow = ShellDevice;

TEST_F(MainWindow, ASecondCopyIsRefusedAndBringsTheFirstToTheFront) {
    start();
    HWND other = CreateWindowExW(0, u"static", u"Other", WS_VISIBLE | WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 kInstance, nullptr);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);
    WCHAR none[1] = {0};
    EXPECT_EQ(initInstance(kInstance, none, SW_SHOW), nullptr);
    HWND front = GetForegroundWindow();
    WCHAR cls[40] = {};
    GetClassNameW(front, cls, 40);
    std::string name(cls, cls + std::char_traits<char16_t>::length(cls));
    EXPECT_TRUE(front == hwnd_ || GetWindow(front, GW_OWNER) == hwnd_) << name;
    EXPECT_EQ(hwndMain, hwnd_);  // the running copy's state is untouched
    DestroyWindow(other);
}

TEST_F(MainWindow, WithoutADatabaseOnlyTheCommandsThatNeedNoneAreEnabled) {
    start();
    EXPECT_EQ(dbCurrent, nullptr);
    EXPECT_EQ(bNoDatabase, 1);
    EXPECT_EQ(bStarting, 0);
    for (UINT id : {res::kCmdNewList, res::kCmdRenameList, res::kCmdDeleteList, res::kCmdExportList,
                    res::kCmdDatabaseAttributes, res::kCmdImportList, res::kCmdUndo, res::kCmdPaste})
        EXPECT_FALSE(enabled(id)) << id;
    for (UINT id : {res::kCmdNewDatabase, res::kCmdOpenDatabase, res::kCmdBackupFolder, res::kCmdExit,
                    res::kCmdSettings, res::kCmdSortAlphabetic, res::kCmdCheckAll, res::kCmdExpandAll})
        EXPECT_TRUE(enabled(id)) << id;
    for (UINT id : {res::kCmdNewItem, res::kCmdNewSubItem, res::kCmdFind, res::kCmdEditBar, res::kCmdItemNote})
        EXPECT_FALSE(buttonEnabled(id)) << id;
}

TEST_F(MainWindow, TheRememberedDatabaseOpensWithItsActiveListAndItsCommands) {
    makeDatabase({"Chores", "Bills"});
    start();
    ASSERT_NE(dbCurrent, nullptr);
    EXPECT_EQ(bNoDatabase, 0);
    EXPECT_EQ(intListCount, 2);
    EXPECT_STREQ(strCurrentList, "Chores");
    EXPECT_EQ(intListIndex, 1);  // the box is sorted: Bills, Chores
    for (UINT id : {res::kCmdNewList, res::kCmdRenameList, res::kCmdDeleteList, res::kCmdExportList,
                    res::kCmdDatabaseAttributes, res::kCmdImportList, res::kCmdSetPasswordForList})
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_TRUE(buttonEnabled(res::kCmdNewItem));
    EXPECT_FALSE(buttonEnabled(res::kCmdNewSubItem));  // nothing selected
    WCHAR name[40] = {};
    GetWindowTextW(hwndListName, name, 40);
    EXPECT_EQ(std::u16string(name), u"Chores");
    EXPECT_EQ(std::u16string(strCurrentDbFile), kDatabase);
}

TEST_F(MainWindow, ListsWithoutAnActiveOneLeaveTheOutlineEmpty) {
    makeDatabase({});
    sqlite3* db = openListDatabase(kDatabase);
    ASSERT_TRUE(createItemTable(db, "Loose"));
    ASSERT_TRUE(writeListAttributes(db, "Loose", defaultListAttributes()));
    closeDatabaseFile(db);
    start();
    EXPECT_EQ(intListCount, 1);
    EXPECT_EQ(intListIndex, 0);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    pump();
    // Closing wrote no attribute row for the unnamed current list.
    db = openListDatabase(kDatabase);
    ListAttributes attributes{};
    EXPECT_EQ(readListAttributes(db, "", &attributes), 0);
    closeDatabaseFile(db);
}

TEST_F(MainWindow, LowMemoryInTheBackgroundFreesTheMenuBarAndActivationBringsItBack) {
    start();
    SendMessageW(hwnd_, WM_HIBERNATE, 0, 0);
    EXPECT_NE(hwndMenuBar, nullptr);  // in front: kept
    HWND other = CreateWindowExW(0, u"static", u"Other", WS_VISIBLE | WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 kInstance, nullptr);
    SetForegroundWindow(other);
    SendMessageW(hwnd_, WM_HIBERNATE, 0, 0);
    EXPECT_EQ(hwndMenuBar, nullptr);
    SendMessageW(hwnd_, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(hwndMenuBar, nullptr);
    SetForegroundWindow(hwnd_);
    pump();
    EXPECT_NE(hwndMenuBar, nullptr);
    EXPECT_TRUE(IsWindow(hwndMenuBar));
    DestroyWindow(other);
}

TEST_F(MainWindow, CommandsWithoutAnEntryAreIgnored) {
    start();
    EXPECT_EQ(findCommandHandler(res::kCmdHiliteHidden), nullptr);
    EXPECT_EQ(SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(res::kCmdHiliteHidden, 0), 0), 0);
    EXPECT_EQ(SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(12345, 0), 0), 0);
    EXPECT_TRUE(IsWindow(hwnd_));
    EXPECT_NE(findCommandHandler(res::kCmdExit), nullptr);
    EXPECT_EQ(findCommandHandler(res::kCmdSetPasswordAlt), findCommandHandler(res::kCmdSetPasswordForList));
    for (unsigned id : {res::kCmdNewDatabase, res::kCmdOpenDatabase, res::kCmdDatabaseAttributes,
                        res::kCmdBackupFolder, res::kCmdImportList, res::kCmdExportList})
        EXPECT_NE(findCommandHandler(int(id)), nullptr) << id;
}

TEST_F(MainWindow, TheNotesPaneGetsTheListsNoteColours) {
    start();
    HDC dc = GetDC(hwndNotes);
    EXPECT_EQ((HBRUSH)SendMessageW(hwnd_, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)hwndNotes), hbrNoteBackground);
    EXPECT_EQ(GetTextColor(dc), attrCurrentList.crNoteText);
    ReleaseDC(hwndNotes, dc);
}

TEST_F(MainWindow, TheFontSizeSettingChecksItsItemOnly) {
    ASSERT_EQ(setSettingInt(SETTING_FONTSIZETV, 12), 0);
    start();
    for (UINT id = res::kCmdFontSize8; id <= res::kCmdFontSize16; ++id)
        EXPECT_EQ(checked(id), id == res::kCmdFontSize8 + 4) << id;
}

TEST_F(MainWindow, AFontSizeOutsideTheMenuChecksNothing) {
    ASSERT_EQ(setSettingInt(SETTING_FONTSIZETV, 20), 0);
    start();
    for (UINT id = res::kCmdFontSize8; id <= res::kCmdFontSize16; ++id) EXPECT_FALSE(checked(id)) << id;
}

TEST_F(MainWindow, ExitClosesSavesTheNotesStateAndReleasesEverything) {
    makeDatabase({"Chores"});
    start();
    bNotesOpen = 1;
    SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(res::kCmdExit, 0), 0);
    EXPECT_FALSE(IsWindow(hwnd_));
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(dbCurrent, nullptr);
    EXPECT_EQ(hwndMenuBar, nullptr);
    for (HFONT f : {hfontTree, hfontTreeBold, hfontTreeStrike, hfontTreeBoldStrike, hfontNotes, hfontListName})
        EXPECT_EQ(f, nullptr);
    EXPECT_EQ(hbrBackground, nullptr);
    EXPECT_EQ(hbrFindBar, nullptr);
    int open = 0;
    EXPECT_EQ(getSettingInt(SETTING_NOTESEBOPEN, &open), 1);
    EXPECT_EQ(open, 1);
}

}  // namespace
}  // namespace shelltest

namespace shelltest {
namespace {

TEST_F(ShellDevice, AProtectedListWhosePasswordIsNotGivenStaysLocked) {
    makeDatabase({"Secret"});
    sqlite3* db = openListDatabase(kDatabase);
    ListAttributes attributes = defaultListAttributes();
    attributes.bPassword = 1;
    std::copy_n(u"0123456789abcdef", 17, attributes.strPassword);
    ASSERT_TRUE(writeListAttributes(db, "Secret", attributes));
    closeDatabaseFile(db);
    // Headless without input, the password question ends unanswered.
    start();
    EXPECT_EQ(bListLocked, 1);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    HMENU menu = (HMENU)SendMessageW(hwndMenuBar, SHCMBM_GETMENU, 0, 0);
    auto enabled = [&](UINT id) { return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)); };
    EXPECT_TRUE(enabled(res::kCmdNewList));
    EXPECT_TRUE(enabled(res::kCmdDeleteList));
    EXPECT_FALSE(enabled(res::kCmdRenameList));
    EXPECT_FALSE(enabled(res::kCmdExportList));
    EXPECT_FALSE(SendMessageW(hwndMenuBar, TB_ISBUTTONENABLED, res::kCmdNewItem, 0));
    for (int s : intEditBarState) EXPECT_EQ(s, 1);
}

}  // namespace
}  // namespace shelltest
