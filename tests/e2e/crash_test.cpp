// The program killed, or the device's power lost, at a write of a
// command and of the close that follows it (purge, VACUUM, backup): the
// database opens afterwards, is intact, and holds the list as it was before
// the command or as the command left it, never a mix.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "e2e_run.h"

namespace {

namespace fs = std::filesystem;

// A list with a sub-item and two checked items.
std::string setupSteps() {
    return e2e::firstStart("Groceries") +
                           "menu \"New Item\"\ntype \"Milk\"\nkey Enter\n"
                           "menu \"New Sub-Item\"\ntype \"Skim\"\nkey Enter\n"
                           "tree \"Milk\" label tap\n"
                           "menu \"New Item\"\ntype \"Bread\"\nkey Enter\n"
                           "menu \"New Item\"\ntype \"Eggs\"\nkey Enter\n"
                           "tree \"Milk\" check tap\ntree \"Eggs\" check tap\n";
}

// Opens the database as the program does after a crash (a hot journal is
// rolled back) and gives its integrity and the live rows of the list.
std::string reopen(const std::string& file, std::string& rows) {
    sqlite3* db = nullptr;
    rows.clear();
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, "unix") != SQLITE_OK) {
        sqlite3_close(db);
        return "cannot open";
    }
    std::string check;
    auto collect = [](void* out, int n, char** values, char**) {
        std::string& s = *static_cast<std::string*>(out);
        for (int i = 0; i < n; ++i) s += std::string(values[i] ? values[i] : "<null>") + (i + 1 < n ? "|" : "\n");
        return 0;
    };
    sqlite3_exec(db, "PRAGMA integrity_check;", collect, &check, nullptr);
    sqlite3_exec(db,
                 "SELECT longID,longParentID,longOrder,strText,bChecked,bDisplay,intNumChild,bNote,strNoteText,bNodeExpand "
                 "FROM 'Groceries' WHERE longID > 0 ORDER BY longID;",
                 collect, &rows, nullptr);
    sqlite3_close(db);
    return check;
}

// Plays `command` on the set-up list, and again from the same start with
// the power lost at every third of its writes in turn, from write `first`
// (each command starts elsewhere, so that together they meet every kind of
// write; the whole sweep of each would take minutes under the sanitizers).
// With `undo`, Undo follows the command in the same run: the list is then
// as before, as the command left it, or as Undo left it.
void checkPowerLossAtEveryWrite(int first, std::string command, const std::string& extraFile = "",
                                bool undo = false) {
    e2e::Run run;
    // "$ROOT" stands for the device root's folder on the host.
    if (size_t at = command.find("$ROOT"); at != std::string::npos) command.replace(at, 5, run.root());
    ASSERT_EQ(run.script(setupSteps()), 0) << run.err();
    if (!extraFile.empty()) std::ofstream(run.root() + "/My Documents/more.txt") << extraFile;
    const std::string snapshot = run.dir() + "/before";
    fs::copy(run.root(), snapshot, fs::copy_options::recursive);
    const auto restore = [&] {
        fs::remove_all(run.root());
        fs::copy(snapshot, run.root(), fs::copy_options::recursive);
    };
    std::string before, after, undone;
    ASSERT_EQ(reopen(run.database(), before), "ok\n");
    ASSERT_EQ(run.script(command), 0) << run.err();
    ASSERT_EQ(reopen(run.database(), after), "ok\n");
    ASSERT_NE(before, after);
    const std::string steps = undo ? command + "menu \"Edit/Undo\"\n" : command;
    if (undo) {
        restore();
        ASSERT_EQ(run.script(steps), 0) << run.err();
        ASSERT_EQ(reopen(run.database(), undone), "ok\n");
        ASSERT_NE(undone, after);
    }

    int crashes = 0;
    for (int writes = first; writes < 2000; writes += 3) {
        restore();
        int status = run.script("power-off " + std::to_string(writes) + "\n" + steps);
        if (status == 0) break;
        // Killed: the shell it runs in says 128 + SIGKILL.
        ASSERT_TRUE(status == -1 || status == 137) << status << " after " << writes << " writes: " << run.err();
        ++crashes;
        std::string rows;
        EXPECT_EQ(reopen(run.database(), rows), "ok\n") << "after " << writes << " writes";
        EXPECT_TRUE(rows == before || rows == after || (undo && rows == undone)) << "after " << writes << " writes:\n" << rows;
    }
    EXPECT_GT(crashes, 5);
}

TEST(CrashE2E, Paste) {
    checkPowerLossAtEveryWrite(0, "tree \"Milk\" label tap\nmenu \"Edit/Copy\"\ntree \"Bread\" label tap\nmenu \"Edit/Paste\"\n");
}

TEST(CrashE2E, DeleteChecked) { checkPowerLossAtEveryWrite(1, "menu \"Options/Checked/Delete Checked\"\nclick \"OK\"\n"); }

TEST(CrashE2E, ImportIntoTheCurrentList) {
    checkPowerLossAtEveryWrite(2, "menu \"File/Import List...\"\ntree \"\\/My Documents\" button\n"
                      "tree \"\\/My Documents/more.txt\"\ncontrol 1000\ncontrol 1123\nclick \"OK\"\n",
                      "Butter\n\tsalted\n~for the bread\nJam\nTea\tX\n");
}

TEST(CrashE2E, Delete) { checkPowerLossAtEveryWrite(0, "tree \"Bread\" label tap\nkey Delete\nclick \"OK\"\n"); }

TEST(CrashE2E, MoveUp) { checkPowerLossAtEveryWrite(1, "tree \"Eggs\" label tap\nkey Alt+Up\n"); }

TEST(CrashE2E, UndoOfDelete) {
    checkPowerLossAtEveryWrite(0, "tree \"Bread\" label tap\nkey Delete\nclick \"OK\"\n", "", true);
}

TEST(CrashE2E, CollapseAll) { checkPowerLossAtEveryWrite(2, "menu \"Options/Expand/Collapse All\"\n"); }

// A text file dropped from the desktop goes through the import's dialog,
// here into the current list.
TEST(CrashE2E, DroppedFile) {
    checkPowerLossAtEveryWrite(0, "drop 120 150 \"$ROOT/My Documents/more.txt\"\ncontrol 1123\nclick \"OK\"\n",
                               "Butter\n\tsalted\nJam\n");
}

}  // namespace
