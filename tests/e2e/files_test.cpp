// Database files, backups, and list export and import driven as a person
// does it, through the program's own chooser. The databases, the settings,
// the backup copies and the exported text are read back afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "e2e_run.h"

namespace {

std::string column(const std::string& file, const std::string& sql) {
    std::string out;
    for (const auto& row : e2e::query(file, sql)) out += (out.empty() ? "" : ",") + (row.empty() ? "" : row[0]);
    return out;
}

// The list combo box (6000) of a dump: its entries joined with ",".
std::string listBox(const e2e::Json& dump) {
    std::function<const e2e::Json*(const e2e::Json&)> find = [&](const e2e::Json& windows) -> const e2e::Json* {
        for (const e2e::Json& w : windows.items) {
            if (w["id"].n == 6000) return &w;
            if (const e2e::Json* inner = find(w["children"])) return inner;
        }
        return nullptr;
    };
    const e2e::Json* box = find(dump["windows"]);
    if (!box) return "<no box>";
    std::string out;
    for (const e2e::Json& s : (*box)["strings"].items) out += (out.empty() ? "" : ",") + s.s;
    return out;
}

TEST(Files, NewAndOpenDatabaseThroughTheChooser) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "files_new_open.txt"), 0) << run.err();
    std::string fresh = run.root() + "/My Documents/quillet1.qu2";
    ASSERT_TRUE(e2e::fileExists(fresh));
    EXPECT_EQ(e2e::queryOne(fresh, "SELECT SchemaVersion FROM VersionData;"), "1");
    EXPECT_EQ(column(fresh, "SELECT strListName FROM ListAttributes;"), "Hardware");
    EXPECT_EQ(column(fresh, "SELECT strText FROM 'Hardware';"), "Saw");
    EXPECT_EQ(column(run.database(), "SELECT strText FROM 'Groceries';"), "Milk");
    EXPECT_EQ(e2e::setting(run.settings(), "currentdbfile"), "\\Program Files\\Quillet Pro\\quillet.qu2");

    // The new database starts without lists; the opened one comes back with
    // its active list.
    e2e::Json created = e2e::readJson(run.path("files_new.json"));
    EXPECT_EQ(listBox(created), "");
    e2e::Json opened = e2e::readJson(run.path("files_open.json"));
    EXPECT_EQ(listBox(opened), "Groceries");

    // The default database was backed up into the documents folder when it
    // was left and at the end; the new one lies there and gets no copy.
    std::string backup = run.root() + "/My Documents/quillet-backup.qu2";
    EXPECT_EQ(column(backup, "SELECT strText FROM 'Groceries';"), "Milk");
    EXPECT_FALSE(e2e::fileExists(run.root() + "/My Documents/quillet1-backup.qu2"));

    // A later start opens the database that was open last.
    ASSERT_EQ(run.script("dump later.json\n"), 0) << run.err();
    EXPECT_EQ(listBox(e2e::readJson(run.path("later.json"))), "Groceries");
}

TEST(Files, ExportedListImportsBackWithQuotesAccentsChecksAndNotes) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "files_roundtrip.txt"), 0) << run.err();
    // The file is text in UTF-8 with the platform's line ends.
    EXPECT_EQ(e2e::readFile(run.root() + "/My Documents/export_list.txt"),
              "!Groceries\r\n"
              "Milk 'fresh' & Caf\xC3\xA9 \xE2\x82\xAC" "3\tX\r\n"
              "Bread \"rye\"\r\n"
              "~Baker's own\r\r\n"
              "~before noon\r\n"
              "\tSliced\r\n");
    // Both lists hold the same items; stored texts are Windows-1252.
    const std::string shape =
        "SELECT group_concat(strText || '|' || bChecked || '|' || bNote || '|' || strNoteText || '|' || "
        "(longParentID > 0), ';') FROM (SELECT * FROM '%s' WHERE longID > 0 ORDER BY longID);";
    auto rowsOf = [&](const std::string& list) {
        std::string sql = shape;
        sql.replace(sql.find("%s"), 2, list);
        return e2e::queryOne(run.database(), sql);
    };
    EXPECT_EQ(rowsOf("Groceries 1"),
              "Milk 'fresh' & Caf\xE9 \x80" "3|1|0||0;Bread \"rye\"|0|1|Baker's own\r\nbefore noon|0;Sliced|0|0||1");
    EXPECT_EQ(rowsOf("Groceries 1"), rowsOf("Groceries"));
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT strListName FROM ListAttributes WHERE bActive=1;"), "Groceries 1");
    e2e::Json dump = e2e::readJson(run.path("files_imported.json"));
    EXPECT_EQ(listBox(dump), "Groceries,Groceries 1");

    // The chooser starts where the last import and export went.
    ASSERT_EQ(run.script("menu \"File/Import List...\"\ndump import_again.json\ncontrol 1016\n"
                         "menu \"File/Export List...\"\ndump export_again.json\ncontrol 1016\n"),
              0)
        << run.err();
    std::string again = e2e::readFile(run.path("import_again.json"));
    EXPECT_NE(again.find("export_list.txt"), std::string::npos);
}

TEST(Files, TheBackupGoesToTheChosenFolderWhenTheProgramEnds) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "files_backup.txt"), 0) << run.err();
    EXPECT_EQ(e2e::setting(run.settings(), "backupfolder"), "\\Storage Card");
    std::string backup = run.card() + "/quillet-backup.qu2";
    ASSERT_TRUE(e2e::fileExists(backup));
    EXPECT_EQ(column(backup, "SELECT strText FROM 'Groceries';"), "Milk");
    EXPECT_EQ(e2e::queryOne(backup, "PRAGMA integrity_check;"), "ok");
    EXPECT_FALSE(e2e::fileExists(run.root() + "/My Documents/quillet-backup.qu2"));
}

}  // namespace
