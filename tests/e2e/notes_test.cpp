// Notes driven as a person does it: typing into the pane, the item menu's
// Add Note and Delete Note, the pane's own tap-and-hold menu, and the Edit
// menu's time stamp in the form the settings ask for. The notes are read
// back from the database and the pane from the dumps.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <regex>
#include <string>

#include "e2e_run.h"

namespace {

// "bNote|strNoteText" of an item of the Groceries list.
std::string note(e2e::Run& run, long id) {
    auto rows = e2e::query(run.database(),
                           "SELECT bNote, strNoteText FROM 'Groceries' WHERE longID=" + std::to_string(id) + ";");
    return rows.empty() ? "<none>" : rows[0][0] + "|" + rows[0][1];
}

// The notes pane (control 6003) in a dump.
const e2e::Json* pane(const e2e::Json& dump) {
    std::function<const e2e::Json*(const e2e::Json&)> find = [&](const e2e::Json& windows) -> const e2e::Json* {
        for (const e2e::Json& w : windows.items) {
            if (w["id"].n == 6003) return &w;
            if (const e2e::Json* inner = find(w["children"])) return inner;
        }
        return nullptr;
    };
    return find(dump["windows"]);
}


}  // namespace

TEST(NotesE2E, TypedNotesAreSavedTrimmedAndShownAgainAsStored) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "notes_write.txt"), 0) << run.err();
    EXPECT_EQ(note(run, 1), "1|Mum's semi-skimmed, 2 litres");
    EXPECT_EQ(note(run, 2), "0|");
    e2e::Json dump = e2e::readJson(run.path("notes_write.json"));
    const e2e::Json* notes = pane(dump);
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ((*notes)["text"].s, "Mum's semi-skimmed, 2 litres");
    EXPECT_TRUE((*notes)["visible"].b);
}

TEST(NotesE2E, AddNoteOpensThePaneAndDeleteNoteClearsTheNoteAndThePane) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "notes_delete.txt"), 0) << run.err();
    EXPECT_EQ(note(run, 1), "0|");
    EXPECT_EQ(e2e::setting(run.settings(), "notesebopen"), "1");
    e2e::Json notesDump = e2e::readJson(run.path("notes_delete.json"));
    const e2e::Json* notes = pane(notesDump);
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ((*notes)["text"].s, "");
}

TEST(NotesE2E, ThePanesMenuSelectsClearsAndStampsTheNote) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "notes_popup.txt"), 0) << run.err();
    e2e::Json clearedDump = e2e::readJson(run.path("notes_cleared.json"));
    const e2e::Json* cleared = pane(clearedDump);
    ASSERT_NE(cleared, nullptr);
    EXPECT_EQ((*cleared)["text"].s, "");
    // The default form: the time, a blank, the date.
    std::string stored = note(run, 1);
    EXPECT_TRUE(std::regex_match(stored, std::regex("1\\|[0-9]{1,2}:[0-9]{2} [AP]M [0-9]{1,2}/[0-9]{1,2}/[0-9]{4}")))
        << stored;
    e2e::Json stampedDump = e2e::readJson(run.path("notes_popup.json"));
    const e2e::Json* stamped = pane(stampedDump);
    ASSERT_NE(stamped, nullptr);
    EXPECT_EQ("1|" + (*stamped)["text"].s, stored);
}

TEST(NotesE2E, InsertTimeDateFollowsTheTimestampSettingOnALaterStart) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "notes_write.txt"), 0) << run.err();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(run.settings().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "INSERT INTO AppSettings VALUES('timestamp','1');", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    ASSERT_EQ(e2e::play(run, "notes_stamp.txt", false), 0) << run.err();
    // Date first, then the time, after the note that was there.
    std::string stored = note(run, 1);
    EXPECT_TRUE(std::regex_match(
        stored, std::regex("1\\|Mum's semi-skimmed, 2 litres [0-9]{1,2}/[0-9]{1,2}/[0-9]{4} [0-9]{1,2}:[0-9]{2} [AP]M")))
        << stored;
    EXPECT_EQ(note(run, 2), "0|");
}
