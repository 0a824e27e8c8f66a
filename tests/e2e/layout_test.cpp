// The panes of the main window end to end: the input panel, dragging the
// splitter, the notes toggle, the list-name bar without lists, and the Exit
// warning about backups.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "e2e_run.h"

namespace {

// A list with one item and the notes pane open.
const std::string kOneItemWithNotes = e2e::kFirstStart +
                                      "menu \"New Item\"\n"
                                      "type \"Milk\"\n"
                                      "key Enter\n"
                                      "menu \"Item Note\"\n";

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int height() const { return bottom - top; }
};

Rect rectOf(const e2e::Json& dump, const std::string& cls) {
    const e2e::Json* w = e2e::findWindow(dump["windows"], "class", cls);
    if (!w) return {};
    const e2e::Json& r = (*w)["rect"];
    return {(int)r[0].n, (int)r[1].n, (int)r[2].n, (int)r[3].n};
}

bool visible(const e2e::Json& dump, const std::string& cls) {
    const e2e::Json* w = e2e::findWindow(dump["windows"], "class", cls);
    return w && (*w)["visible"].b;
}

void setSettings(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

TEST(Layout, TheInputPanelShrinksTheOutlineWhileTheNotesPaneKeepsItsHeight) {
    e2e::Run run;
    // The menu bar's keyboard button (right end) raises and lowers the panel.
    ASSERT_EQ(run.script(kOneItemWithNotes +
                         "dump down.json\n"
                         "tap 225 307\n"
                         "dump up.json\n"
                         "shot up.png\n"
                         "tap 225 307\n"
                         "dump again.json\n"),
              0)
        << run.err();
    e2e::Json down = e2e::readJson(run.path("down.json"));
    e2e::Json up = e2e::readJson(run.path("up.json"));
    e2e::Json again = e2e::readJson(run.path("again.json"));
    ASSERT_FALSE(down["sip"]["up"].b);
    ASSERT_TRUE(up["sip"]["up"].b);
    Rect notesDown = rectOf(down, "edit"), notesUp = rectOf(up, "edit");
    Rect treeDown = rectOf(down, "systreeview32"), treeUp = rectOf(up, "systreeview32");
    Rect mainUp = rectOf(up, "quillet pro");
    EXPECT_GT(notesDown.height(), 20);
    EXPECT_EQ(notesUp.height(), notesDown.height());
    EXPECT_EQ(notesUp.bottom, mainUp.bottom);  // the pane sits right above the panel
    EXPECT_LT(treeUp.height(), treeDown.height());
    EXPECT_EQ(treeUp.top, treeDown.top);
    // Lowering the panel gives the outline its rows back.
    EXPECT_EQ(rectOf(again, "systreeview32").height(), treeDown.height());
    EXPECT_EQ(rectOf(again, "edit").height(), notesDown.height());
}

TEST(Layout, TheSplitterStopsBelowTwoRowsClosesAtTheBottomAndTheToggleRestoresTheHeight) {
    e2e::Run run;
    ASSERT_EQ(run.script(kOneItemWithNotes + "dump open.json\n"), 0) << run.err();
    e2e::Json open = e2e::readJson(run.path("open.json"));
    Rect splitter = rectOf(open, "splitter");
    Rect tree = rectOf(open, "systreeview32");
    ASSERT_TRUE(visible(open, "splitter"));
    int grip = splitter.top + 2;

    std::string script = "drag 120 " + std::to_string(grip) + " 120 20\n" +
                         "dump top.json\n"
                         "shot top.png\n";
    ASSERT_EQ(run.script(script), 0) << run.err();
    e2e::Json top = e2e::readJson(run.path("top.json"));
    Rect topSplitter = rectOf(top, "splitter");
    // Stopped with room for two rows of the outline's bold font (over 10 pixels each).
    EXPECT_GT(topSplitter.top - tree.top, 20);
    EXPECT_LT(topSplitter.top - tree.top, 60);
    EXPECT_EQ(rectOf(top, "systreeview32").bottom, topSplitter.top);
    int openHeight = rectOf(top, "edit").height();
    EXPECT_EQ(e2e::setting(run.settings(), "noteebheightprevious"), std::to_string(openHeight));

    grip = topSplitter.top + 2;
    script = "drag 120 " + std::to_string(grip) + " 120 319\n" +
             "dump closed.json\n"
             "menu \"Item Note\"\n"
             "dump reopened.json\n";
    ASSERT_EQ(run.script(script), 0) << run.err();
    e2e::Json closed = e2e::readJson(run.path("closed.json"));
    EXPECT_EQ(rectOf(closed, "edit").height(), 0);
    EXPECT_EQ(rectOf(closed, "splitter").bottom, rectOf(closed, "quillet pro").bottom);
    EXPECT_EQ(rectOf(e2e::readJson(run.path("reopened.json")), "edit").height(), openHeight);
    EXPECT_EQ(e2e::setting(run.settings(), "notesebopen"), "1");
}

TEST(Layout, TappingTheListNameBarOfADatabaseWithoutListsAsksForANewList) {
    e2e::Run run;
    // The first start's list name question is cancelled: the database has no list.
    ASSERT_EQ(run.script("click \"Ok\"\nclick \"OK\"\nclick \"Cancel\"\ndump empty.json\n"), 0) << run.err();
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM ListAttributes;"), "0");
    ASSERT_EQ(run.script("tap 120 35\n"
                         "dump asked.json\n"
                         "type \"Chores\"\n"
                         "key Enter\n"),
              0)
        << run.err();
    e2e::Json asked = e2e::readJson(run.path("asked.json"));
    // The name dialog (template 145) with its name field, 1119.
    const e2e::Json* dialog = e2e::findWindow(asked["windows"], "class", "#32770");
    ASSERT_NE(dialog, nullptr);
    const e2e::Json* field = e2e::findWindow((*dialog)["children"], "class", "edit");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ((*field)["id"].n, 1119);
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT strListName FROM ListAttributes;"), "Chores");
}

TEST(Layout, TappingTheListNameBarDropsTheListDown) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + "tap 120 35\ndump dropped.json\nkey Escape\n"), 0) << run.err();
    e2e::Json dropped = e2e::readJson(run.path("dropped.json"));
    const e2e::Json* combo = e2e::findWindow(dropped["windows"], "class", "combobox");
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE((*combo)["visible"].b);
    EXPECT_TRUE((*combo)["dropped"].b);
}

TEST(Layout, ExitWarnsOnceWhenTheDatabaseLiesInTheBackupFolder) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart), 0) << run.err();
    // Exit without the warning: the backup folder is elsewhere.
    ASSERT_EQ(run.script("menu \"File/Exit\"\n"), 0) << run.err();
    setSettings(run.settings(),
                "DELETE FROM AppSettings WHERE strKey='backupfolder' OR strKey='backupdatabase';"
                "INSERT INTO AppSettings VALUES('backupfolder','\\Program Files\\Quillet Pro');"
                "INSERT INTO AppSettings VALUES('backupdatabase','1');");
    // Now the warning comes up; left open it would fail the run with 4.
    EXPECT_EQ(run.script("menu \"File/Exit\"\n"), 4);
    EXPECT_NE(run.err().find("so a backup cannot be made."), std::string::npos) << run.err();
    ASSERT_EQ(run.script("menu \"File/Exit\"\nclick \"OK\"\n"), 0) << run.err();
}

}  // namespace
