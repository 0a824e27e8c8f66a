// Start-up and shutdown of the real program: the first start, a later start,
// a database that cannot be opened, a database named on the command line,
// and the high-resolution screen.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "e2e_run.h"

namespace {

const e2e::Json* child(const e2e::Json& dump, const std::string& cls) {
    return e2e::findWindow(dump["windows"], "class", cls);
}

// A menu item of the menu bar's File, Edit or Options menu.
const e2e::Json* menuItem(const e2e::Json& dump, const std::string& menu, int id) {
    for (const e2e::Json& item : dump["menubar"]["menus"][menu].items)
        if (item["id"].n == id) return &item;
    return nullptr;
}

bool menuEnabled(const e2e::Json& dump, const std::string& menu, int id) {
    const e2e::Json* item = menuItem(dump, menu, id);
    return item && (*item)["enabled"].b;
}

TEST(Startup, FirstStartCreatesTheSettingsAndTheDefaultDatabaseWithTheFirstList) {
    e2e::Run run;
    int status = run.script(e2e::kFirstStart + "dump first.json\n");
    ASSERT_EQ(status, 0) << run.err();
    ASSERT_TRUE(e2e::fileExists(run.settings()));
    ASSERT_TRUE(e2e::fileExists(run.database()));
    EXPECT_EQ(e2e::setting(run.settings(), "currentdbfile"), "\\Program Files\\Quillet Pro\\quillet.qu2");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM ListAttributes;"), "1");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT strListName FROM ListAttributes WHERE bActive=1;"), "Groceries");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT name FROM sqlite_master WHERE type='table' AND name='Groceries';"),
              "Groceries");

    e2e::Json dump = e2e::readJson(run.path("first.json"));
    const e2e::Json* bar = e2e::findWindow(dump["windows"], "class", "static");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ((*bar)["text"].s, "Groceries");
    EXPECT_TRUE((*bar)["visible"].b);
    // The list is empty: the outline and the notes pane stay hidden.
    EXPECT_FALSE((*child(dump, "systreeview32"))["visible"].b);
    EXPECT_FALSE((*child(dump, "splitter"))["visible"].b);
    EXPECT_TRUE(menuEnabled(dump, "File", 40039));   // New List
    EXPECT_TRUE(menuEnabled(dump, "File", 40040));   // Rename List
    EXPECT_FALSE(menuEnabled(dump, "Edit", 40031));  // Undo: nothing to undo
}

TEST(Startup, ALaterStartBringsBackTheListAndTheSettingsWithoutAnyQuestion) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart +
                         "menu \"New Item\"\n"
                         "type \"Milk\"\n"
                         "key Enter\n"
                         "menu \"Item Note\"\n"),
              0)
        << run.err();
    EXPECT_EQ(e2e::setting(run.settings(), "notesebopen"), "1");  // stored at close
    std::string splitter = e2e::setting(run.settings(), "setbartop");

    // No opening steps: a dialog left open would fail the run with 4.
    ASSERT_EQ(run.script("dump later.json\nshot later.png\n"), 0) << run.err();
    e2e::Json dump = e2e::readJson(run.path("later.json"));
    const e2e::Json* name = child(dump, "static");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ((*name)["text"].s, "Groceries");
    const e2e::Json* combo = child(dump, "combobox");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ((*combo)["strings"].size(), 1u);
    EXPECT_EQ((*combo)["strings"][0].s, "Groceries");
    const e2e::Json* tree = child(dump, "systreeview32");
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE((*tree)["visible"].b);
    EXPECT_EQ((*tree)["tree"][0]["text"].s, "Milk");
    // The notes pane is open again, below the splitter where it was left.
    const e2e::Json* notes = child(dump, "edit");
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE((*notes)["visible"].b);
    EXPECT_GT((*notes)["rect"][3].n - (*notes)["rect"][1].n, 20);
    EXPECT_EQ(e2e::setting(run.settings(), "setbartop"), splitter);
    EXPECT_TRUE(menuEnabled(dump, "File", 40057));  // Database Attributes
}

// Quitting and starting again: the items as they were left, a collapsed
// parent still collapsed, the note shown again, and a database that was
// purged of the deleted item and compacted when the program ended.
TEST(Startup, QuitAndStartAgainBringsBackItemsExpansionAndNotesInACompactedFile) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart +
                         "menu \"New Item\"\ntype \"Milk\"\nkey Enter\n"
                         "menu \"New Sub-Item\"\ntype \"Skim\"\nkey Enter\n"
                         "tree \"Milk\" label tap\n"
                         "menu \"New Item\"\ntype \"Bread\"\nkey Enter\n"
                         "menu \"New Item\"\ntype \"Eggs\"\nkey Enter\n"
                         // Item menu: Edit, Delete; then the deletion warning.
                         "tree \"Eggs\" label hold\nkey Down 2\nkey Enter\nclick \"OK\"\n"
                         "tree \"Milk\" button\n"
                         "tree \"Bread\" label tap\nmenu \"Item Note\"\ncontrol 6003\ntype \"Wholemeal\"\n"),
              0)
        << run.err();
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM 'Groceries' WHERE longID < 0;"), "0");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM 'Groceries';"), "3");
    EXPECT_EQ(e2e::queryOne(run.database(), "PRAGMA freelist_count;"), "0");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT bNodeExpand FROM 'Groceries' WHERE strText='Milk';"), "0");

    ASSERT_EQ(run.script("dump later.json\ntree \"Bread\" label tap\ndump note.json\n"), 0) << run.err();
    e2e::Json later = e2e::readJson(run.path("later.json"));
    const e2e::Json* tree = child(later, "systreeview32");
    ASSERT_NE(tree, nullptr);
    const e2e::Json& items = (*tree)["tree"];
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]["text"].s, "Milk");
    EXPECT_FALSE(items[0]["expanded"].b);
    EXPECT_EQ(items[0]["children"][0]["text"].s, "Skim");
    EXPECT_EQ(items[1]["text"].s, "Bread");
    e2e::Json note = e2e::readJson(run.path("note.json"));
    const e2e::Json* pane = e2e::findWindow(note["windows"], "class", "edit");
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ((*pane)["text"].s, "Wholemeal");
}

TEST(Startup, ADatabaseThatCannotBeOpenedLeavesTheProgramRunningWithoutOne) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart), 0) << run.err();
    {
        std::ofstream damaged(run.database(), std::ios::binary | std::ios::trunc);
        damaged << "this is not a database, only text that looks nothing like one\n";
    }
    std::string before = e2e::readFile(run.database());
    ASSERT_EQ(run.script("dump none.json\nshot none.png\nmenu \"File/Exit\"\n"), 0) << run.err();
    e2e::Json dump = e2e::readJson(run.path("none.json"));
    EXPECT_FALSE(menuEnabled(dump, "File", 40039));  // New List needs a database
    EXPECT_FALSE(menuEnabled(dump, "File", 40057));
    EXPECT_TRUE(menuEnabled(dump, "File", 40001));   // Open Database stays
    const e2e::Json* combo = child(dump, "combobox");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ((*combo)["strings"].size(), 0u);
    // The damaged file is left exactly as it was, and is still remembered.
    EXPECT_EQ(e2e::readFile(run.database()), before);
    EXPECT_EQ(e2e::setting(run.settings(), "currentdbfile"), "\\Program Files\\Quillet Pro\\quillet.qu2");
}

TEST(Startup, AForgottenDatabaseIsNotRecreatedAfterTheFirstRun) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart), 0) << run.err();
    std::filesystem::remove(run.database());
    // The settings file exists, so this is no first run: no notice, no new file.
    ASSERT_EQ(run.script("dump gone.json\n"), 0) << run.err();
    EXPECT_FALSE(e2e::fileExists(run.database()));
    e2e::Json dump = e2e::readJson(run.path("gone.json"));
    EXPECT_FALSE(menuEnabled(dump, "File", 40039));
}

TEST(Startup, ADatabaseOnTheCommandLineReplacesTheRememberedOne) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart), 0) << run.err();
    std::string other = run.card() + "/other.qu2";
    std::filesystem::copy_file(run.database(), other);
    ASSERT_EQ(run.script("dump other.json\n", {other}), 0) << run.err();
    EXPECT_EQ(e2e::setting(run.settings(), "currentdbfile"), "\\Storage Card\\other.qu2");
    e2e::Json dump = e2e::readJson(run.path("other.json"));
    const e2e::Json* name = e2e::findWindow(dump["windows"], "class", "static");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ((*name)["text"].s, "Groceries");
}

TEST(Startup, AProtectedListAsksForItsPasswordAndStaysLockedWhenItIsNotGiven) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + "menu \"New Item\"\ntype \"Milk\"\nkey Enter\n"), 0) << run.err();
    // Mark the list protected behind the program's back (any verifier will do:
    // the question is cancelled).
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(run.database().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, "UPDATE ListAttributes SET bPassword=1, strPassword='00112233aabbccdd';", nullptr,
                               nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    // The question comes first; a run that does not answer it ends with it open.
    EXPECT_EQ(run.script("dump asked.json\n"), 4);
    ASSERT_EQ(run.script("click \"Cancel\"\ndump locked.json\nshot locked.png\n"), 0) << run.err();
    e2e::Json dump = e2e::readJson(run.path("locked.json"));
    EXPECT_FALSE((*child(dump, "systreeview32"))["visible"].b);
    EXPECT_TRUE(menuEnabled(dump, "File", 40039));   // New List
    EXPECT_TRUE(menuEnabled(dump, "File", 40041));   // Delete List
    EXPECT_FALSE(menuEnabled(dump, "File", 40040));  // Rename List
    EXPECT_FALSE(menuEnabled(dump, "File", 40042));  // Export List
    // The item is still there, untouched.
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM 'Groceries';"), "1");
}

TEST(Startup, TheHighResolutionScreenDoublesTheBands) {
    e2e::Run low, high;
    ASSERT_EQ(low.script(e2e::kFirstStart + "dump low.json\n"), 0) << low.err();
    ASSERT_EQ(high.script(e2e::kFirstStart + "dump high.json\nshot high.png\n", {"--hires"}), 0) << high.err();
    e2e::Json l = e2e::readJson(low.path("low.json"));
    e2e::Json h = e2e::readJson(high.path("high.json"));
    EXPECT_EQ(h["screen"]["width"].n, 480);
    EXPECT_EQ(h["screen"]["height"].n, 640);
    const e2e::Json* lowBar = child(l, "static");
    const e2e::Json* highBar = child(h, "static");
    ASSERT_NE(lowBar, nullptr);
    ASSERT_NE(highBar, nullptr);
    // x = 3 x intUnit + the small padlock's width: 6 + 12 and 12 + 25.
    EXPECT_EQ((*lowBar)["rect"][0].n, 18);
    EXPECT_EQ((*highBar)["rect"][0].n, 37);
    double lowHeight = (*lowBar)["rect"][3].n - (*lowBar)["rect"][1].n;
    double highHeight = (*highBar)["rect"][3].n - (*highBar)["rect"][1].n;
    EXPECT_GT(highHeight, 1.5 * lowHeight);
}

}  // namespace
