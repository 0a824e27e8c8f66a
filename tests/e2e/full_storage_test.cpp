// A device whose store fills up (--storage-limit): the program starts, says
// what could not be stored, and shows only what is stored.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "e2e_run.h"

namespace {

// The bytes the files of the device's store hold now.
uintmax_t storeBytes(const e2e::Run& run) {
    uintmax_t used = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(run.root()))
        if (entry.is_regular_file()) used += entry.file_size();
    return used;
}

// Plays `name` on the device as it is, with no room left in its store.
int playFull(e2e::Run& run, const std::string& name) {
    return run.script(e2e::scriptFile(name), {"--storage-limit", std::to_string(storeBytes(run))});
}

std::string treeText(const e2e::Json& dump, size_t i) {
    const e2e::Json* tree = e2e::findWindow(dump["windows"], "class", "systreeview32");
    return tree ? (*tree)["tree"][i]["text"].s : "";
}

TEST(FullStorageE2E, AFullDeviceStartsShowsItsListsAndReportsTheBackupBeforeTheWindowGoes) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + "menu \"New Item\"\ntype \"Milk\"\nkey Enter\n"), 0) << run.err();
    // The task store's library in place is not written again.
    ASSERT_EQ(playFull(run, "full_start.txt"), 0) << run.err();
    EXPECT_EQ(run.err().find("Create Task will not work"), std::string::npos) << run.err();
    // Without it the start has to write it, cannot, and goes on all the same.
    std::filesystem::remove(run.root() + "/Windows/pimstore.dll");
    const uintmax_t full = storeBytes(run);

    ASSERT_EQ(playFull(run, "full_start.txt"), 0) << run.err();
    EXPECT_NE(run.err().find("Create Task will not work"), std::string::npos) << run.err();
    e2e::Json start = e2e::readJson(run.path("full_start.json"));
    EXPECT_EQ(treeText(start, 0), "Milk");
    const e2e::Json* name = e2e::findWindow(start["windows"], "class", "static");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ((*name)["text"].s, "Groceries");
    // The backup's message came while the main window still showed.
    e2e::Json closing = e2e::readJson(run.path("full_close.json"));
    const e2e::Json* main = e2e::findWindow(closing["windows"], "class", "quillet pro");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE((*main)["visible"].b);
    EXPECT_NE(e2e::findWindow(closing["windows"], "text", "Warning"), nullptr);

    EXPECT_LE(storeBytes(run), full);
    EXPECT_EQ(e2e::queryOne(run.database(), "PRAGMA integrity_check;"), "ok");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT strText FROM 'Groceries';"), "Milk");
}

// The first window of a dump's window tree with control id `id`.
const e2e::Json* windowWithId(const e2e::Json& windows, int id) {
    for (const e2e::Json& w : windows.items) {
        if (w["id"].n == id) return &w;
        if (const e2e::Json* found = windowWithId(w["children"], id)) return found;
    }
    return nullptr;
}

// "caption: text" of the message dialog open in a dump ("" when none).
std::string openMessage(const e2e::Json& dump) {
    const e2e::Json* dialog = e2e::findWindow(dump["windows"], "class", "#32770");
    const e2e::Json* text = dialog ? windowWithId((*dialog)["children"], 1017) : nullptr;
    return text ? (*dialog)["text"].s + ": " + (*text)["text"].s : "";
}

TEST(FullStorageE2E, ItemWritesThatFailAreReportedOnceAndTheOutlineShowsWhatIsStored) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + "menu \"New Item\"\ntype \"Milk\"\nkey Enter\n"), 0) << run.err();
    ASSERT_EQ(playFull(run, "full_items.txt"), 0) << run.err();
    const std::string full = "Error: The list could not be saved because the storage is full.";

    EXPECT_EQ(openMessage(e2e::readJson(run.path("full_new.json"))), full);
    e2e::Json afterNew = e2e::readJson(run.path("full_after_new.json"));
    EXPECT_EQ(treeText(afterNew, 0), "Milk");
    EXPECT_EQ(treeText(afterNew, 1), "");

    EXPECT_EQ(openMessage(e2e::readJson(run.path("full_pane.json"))),
              "Error: Your change could not be saved because the storage is full.");
    e2e::Json note = e2e::readJson(run.path("full_note.json"));
    EXPECT_EQ(openMessage(note), "");
    const e2e::Json* pane = windowWithId(note["windows"], 6003);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ((*pane)["text"].s, "Semi-skimmed");

    EXPECT_NE(openMessage(e2e::readJson(run.path("full_delete.json"))).find("deleted because the storage is full"),
              std::string::npos);
    EXPECT_EQ(treeText(e2e::readJson(run.path("full_after_delete.json")), 0), "Milk");

    EXPECT_EQ(openMessage(e2e::readJson(run.path("full_check_all.json"))),
              "Error: Your change could not be saved because the storage is full.");
    e2e::Json afterCheck = e2e::readJson(run.path("full_after_check_all.json"));
    const e2e::Json* tree = e2e::findWindow(afterCheck["windows"], "class", "systreeview32");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ((*tree)["tree"][0]["state_image"].n, 1);  // unchecked, as stored

    EXPECT_EQ(e2e::queryOne(run.database(), "PRAGMA integrity_check;"), "ok");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT group_concat(longID || ':' || strText || ':' || bNote || ':' || bChecked) FROM "
                                            "'Groceries';"),
              "1:Milk:0:0");
}

TEST(FullStorageE2E, AnExportThatDoesNotFitIsRemovedAndAnImportStopsAtItsFirstItem) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + "menu \"New Item\"\ntype \"Milk\"\nkey Enter\n"), 0) << run.err();
    std::ofstream(run.root() + "/My Documents/more.txt") << "Eggs\n\tfree range\nButter\n";
    ASSERT_EQ(playFull(run, "full_exchange.txt"), 0) << run.err();

    EXPECT_EQ(openMessage(e2e::readJson(run.path("full_export.json"))),
              "Warning Message: The list could not be exported because the storage is full.");
    EXPECT_FALSE(e2e::fileExists(run.root() + "/My Documents/export_list.txt"));

    EXPECT_EQ(openMessage(e2e::readJson(run.path("full_import.json"))),
              "Error: The list could not be saved because the storage is full.");
    e2e::Json after = e2e::readJson(run.path("full_after_import.json"));
    EXPECT_EQ(treeText(after, 0), "Milk");
    EXPECT_EQ(treeText(after, 1), "");
    EXPECT_EQ(e2e::queryOne(run.database(), "PRAGMA integrity_check;"), "ok");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT group_concat(strText) FROM 'Groceries';"), "Milk");
}

// Writes refused halfway through a command, as a store that fills between
// two statements refuses them (triggers stand in for it): a new item whose
// label is refused goes with its row, a node whose folding is refused opens
// again, and the list's record refused at the close is told while the
// window shows.
TEST(FullStorageE2E, WritesRefusedHalfwayLeaveNothingShownThatIsNotStored) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + "menu \"New Item\"\ntype \"Milk\"\nkey Enter\n"
                                            "menu \"New Sub-Item\"\ntype \"Skim\"\nkey Enter\n"),
              0)
        << run.err();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(run.database().c_str(), &db), SQLITE_OK);
    int n = 0;
    for (const char* refuse : {"UPDATE OF strText ON 'Groceries'", "UPDATE OF bNodeExpand ON 'Groceries'",
                               "UPDATE ON ListAttributes"}) {
        const std::string trigger = "CREATE TRIGGER refuse" + std::to_string(++n) + " BEFORE " + refuse +
                                    " BEGIN SELECT RAISE(ABORT, 'no room'); END;";
        EXPECT_EQ(sqlite3_exec(db, trigger.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    }
    sqlite3_close(db);
    ASSERT_EQ(run.script("menu \"New Item\"\ntype \"Bread\"\nkey Enter\ndump label.json\nclick \"OK\"\n"
                         "dump after_label.json\n"
                         "tree \"Milk\" button\ndump fold.json\nclick \"OK\"\ndump after_fold.json\n"
                         "menu \"File/Exit\"\ndump close.json\nclick \"OK\"\n"),
              0)
        << run.err();
    const std::string refused = "Error: The list could not be saved: no room.";
    EXPECT_EQ(openMessage(e2e::readJson(run.path("label.json"))), refused);
    e2e::Json afterLabel = e2e::readJson(run.path("after_label.json"));
    EXPECT_EQ(treeText(afterLabel, 0), "Milk");
    EXPECT_EQ(treeText(afterLabel, 1), "");
    EXPECT_EQ(openMessage(e2e::readJson(run.path("fold.json"))), refused);
    const e2e::Json afterFold = e2e::readJson(run.path("after_fold.json"));
    const e2e::Json* tree = e2e::findWindow(afterFold["windows"], "class", "systreeview32");
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE((*tree)["tree"][0]["expanded"].b);
    e2e::Json closing = e2e::readJson(run.path("close.json"));
    EXPECT_EQ(openMessage(closing), refused);
    const e2e::Json* main = e2e::findWindow(closing["windows"], "class", "quillet pro");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE((*main)["visible"].b);
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT group_concat(strText || bNodeExpand) FROM 'Groceries';"),
              "Milk1,Skim0");
}

// A setting that cannot be stored (a trigger refuses it) is told once, not
// at every later setting, and the program goes on.
TEST(FullStorageE2E, ASettingThatCannotBeStoredIsToldOnce) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + "menu \"New Item\"\ntype \"Milk\"\nkey Enter\n"), 0) << run.err();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(run.settings().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db,
                           "CREATE TRIGGER refuse BEFORE UPDATE ON AppSettings BEGIN SELECT RAISE(ABORT, 'no'); END;"
                           "CREATE TRIGGER refuseNew BEFORE INSERT ON AppSettings BEGIN SELECT RAISE(ABORT, 'no'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    ASSERT_EQ(run.script("menu \"Item Note\"\ndump told.json\nclick \"OK\"\nmenu \"Item Note\"\ndump again.json\n"
                         "menu \"File/Exit\"\n"),
              0)
        << run.err();
    EXPECT_EQ(openMessage(e2e::readJson(run.path("told.json"))), "Error: Your change could not be saved.");
    EXPECT_EQ(openMessage(e2e::readJson(run.path("again.json"))), "");
}

}  // namespace
