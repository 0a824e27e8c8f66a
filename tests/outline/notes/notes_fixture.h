// The notes tests' world: a main window with a real outline (6002), splitter
// and notes pane (6003, subclassed by the program) on the headless device,
// a list database in memory, and a recorder of the message dialogs shown.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "storage/storage_test_util.h"
#include "support/device_files.h"
#include "windows.h"

namespace notestest {

// The message dialogs shown, as "caption|text|style".
std::vector<std::string>& dialogsShown();

// Steps the headless device plays while it waits (a gesture, a popup menu).
struct Steps {
    std::vector<std::function<void()>> list;
    size_t next = 0;
    bool operator()();
};

class NotesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Stores an item of the current list with a note (8-bit text, quotes
    // already doubled) and loads the list into the outline.
    void row(long id, long parent, long order, const std::string& text, const std::string& note = "");
    void load();
    void select(long id);
    // Types into the pane as a person does (the pane gets the focus first).
    void type(const std::u16string& text);
    std::u16string paneText();
    // bNote and strNoteText of an item, as stored ("1|Milk").
    std::string stored(long id);
    std::string q(const std::string& sql) { return storage_test::scalar(db, sql); }
    // Holds the pen on the pane at (x, y) until the popup opens, then runs
    // `inMenu` while it is open.
    void holdOnPane(int x, int y, std::function<void()> inMenu);

    storage_test::MemoryListDb db;
    testsupport::TempDeviceRoot files;  // the device, where the settings file goes
};

}  // namespace notestest
