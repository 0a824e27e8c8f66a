// The list tests' device: a headless screen with the program's resources, a
// main window with the list combo box (6000), the list-name bar (6001), the
// outline, splitter and notes pane, a list database in memory as the open
// database, a recorder in place of the message dialog, and steps played
// while a modal dialog waits for input.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "state/app_state.h"
#include "storage/list_attributes.h"
#include "storage/storage_test_util.h"
#include "windows.h"

namespace liststest {

// Messages shown ("caption|text|style", in UTF-8) and the answers given:
// `answers` in turn, then `answer`.
struct Messages {
    std::vector<std::string> shown;
    std::vector<int> answers;
    int answer = 1;
};
Messages& messages();

// Steps played one by one whenever a modal loop waits; none left, the loop
// is told to give up.
struct Steps {
    std::vector<std::function<void()>> list;
    size_t next = 0;
    bool operator()();
};

class ListsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes a list: its table, its attribute row (default attributes unless
    // given) and, when `rows` is not empty, items "text" with notes
    // "note of text" as root items 1, 2, ...
    void addList(const std::string& name, const std::vector<std::string>& rows = {},
                 const ListAttributes* attributes = nullptr);
    // Makes `name` current (state, active mark, box, bar) as start-up does.
    void makeCurrent(const std::string& name);
    // Plays `steps` while the next modal loops wait.
    void play(Steps& steps);

    std::string q(const std::string& sql) { return storage_test::scalar(db, sql); }
    std::string col(const std::string& sql) { return storage_test::column(db, sql); }
    // Runs a statement that must succeed.
    void exec(const std::string& sql);
    // The entries of the list combo box, joined with ",".
    std::string boxEntries();
    // The window's text in UTF-8.
    static std::string text(HWND hwnd);

    storage_test::MemoryListDb db;
};

// The dialog now in front.
HWND activeDialog();
// Types `text` (UTF-8) into control `id` of `dialog`.
void setField(HWND dialog, int id, const std::string& text);
// Presses button `id` of `dialog` as the pen would.
void click(HWND dialog, int id);
// UTF-8 and wide text.
std::u16string wide(const std::string& utf8);
std::string utf8(const std::u16string& text);

}  // namespace liststest
