// The main window in a real (headless) device: one copy at a time, the menu
// bar's life through low memory and activation, the enabled commands of each
// state, the Font Size mark, the notes pane's colours, and Exit.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "aygshell.h"
#include "platform/host/host_main.h"
#include "platform/window/headless_host.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/command_table.h"
#include "shell/startup.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"

namespace {

const WCHAR* kDatabase = u"\\Program Files\\Quillet Pro\\quillet.qu2";
HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00010000));

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qp_shell_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        std::filesystem::create_directories(root_ + "/card");
        device::HostOptions options;
        options.rootDir = root_;
        options.cardDir = root_ + "/card";
        options.headless = true;
        std::string error;
        ASSERT_TRUE(device::hostPrepareDevice(options, error)) << error;
        device::useHeadlessHost();
        registerProgramResources();
        static bool registered = registerWindowClasses(kInstance) == 0;
        ASSERT_TRUE(registered);
        // A settings file: this is not the first run, so no dialog comes up.
        ASSERT_EQ(setSettingInt(SETTING_WARNINGMESSAGE, 1), 0);
    }
    void TearDown() override {
        if (hwnd_ && IsWindow(hwnd_)) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        pump();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    // A database with the given lists, the first one active, remembered in
    // the settings.
    void makeDatabase(std::initializer_list<const char*> lists) {
        sqlite3* db = openListDatabase(kDatabase);
        ASSERT_NE(db, nullptr);
        bool first = true;
        for (const char* name : lists) {
            ASSERT_TRUE(createItemTable(db, name));
            ASSERT_TRUE(writeListAttributes(db, name, defaultListAttributes()));
            if (first) {
                ASSERT_TRUE(setActiveList(db, name));
            }
            first = false;
        }
        closeDatabaseFile(db);
        ASSERT_EQ(setSettingText(SETTING_CURRENTDBFILE, kDatabase), 0);
    }

    void start() {
        WCHAR none[1] = {0};
        hwnd_ = initInstance(kInstance, none, SW_SHOW);
        ASSERT_NE(hwnd_, nullptr);
        pump();
    }

    HMENU menu() const { return (HMENU)SendMessageW(hwndMenuBar, SHCMBM_GETMENU, 0, 0); }
    bool enabled(UINT id) const { return !(GetMenuState(menu(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)); }
    bool checked(UINT id) const { return (GetMenuState(menu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    bool buttonEnabled(UINT id) const { return SendMessageW(hwndMenuBar, TB_ISBUTTONENABLED, id, 0) != 0; }

    std::string root_;
    HWND hwnd_ = nullptr;
};

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
