// Shared pieces of the item command tests: a main window with a real outline
// (tree view 6002), notes pane and splitter on the headless device, a list
// database in memory, a recorder for the message dialog, and helpers that
// store rows, load them into the outline and find nodes by longID.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/app_state.h"
#include "storage/storage_test_util.h"
#include "windows.h"

namespace itemtest {

// The message dialogs shown ("caption|text|style") and the button chosen.
struct Dialogs {
    std::vector<std::string> shown;
    int answer = 1;
};
Dialogs& dialogs();

class ItemCommandTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Stores a row of the current list (plain text, quotes already doubled).
    void row(long id, long parent, long order, const std::string& text, int numChild = 0, int checked = 0,
             int display = 1, int expand = 0);
    // Loads the current list into the outline, as a list switch does.
    void load();
    HTREEITEM node(long id);
    void select(long id);
    LONG selectedId();
    std::string q(const std::string& sql) { return storage_test::scalar(db, sql); }
    std::string col(const std::string& sql) { return storage_test::column(db, sql); }
    // "text:order" of the live children of `parent`, by order.
    std::string children(long parent);
    // The node texts under `item` (null: the top level), in outline order.
    std::string nodeTexts(HTREEITEM item);
    std::u16string textOf(HTREEITEM item);
    HWND editor() { return (HWND)SendMessageW(hwndMainTV, TVM_GETEDITCONTROL, 0, 0); }
    std::u16string windowText(HWND window);
    // Ends a running label edit without a say from the outline's own code.
    void cancelEdit();

    storage_test::MemoryListDb db;
};

}  // namespace itemtest
