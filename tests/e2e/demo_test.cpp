// The README's demonstration script runs as written and leaves the list it
// shows: the items in their places, the check mark carried up to nothing
// (Milk keeps an unchecked child), the note, and its screenshots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "e2e_run.h"

namespace {

TEST(Demo, TheReadmeScriptRunsAndLeavesTheListItShows) {
    const char* source = std::getenv("QP_SOURCE_DIR");
    std::string steps = e2e::readFile(std::string(source ? source : ".") + "/docs/demo.txt");
    ASSERT_FALSE(steps.empty());
    e2e::Run run;
    ASSERT_EQ(run.script(steps), 0) << run.err();
    auto rows = e2e::query(run.database(),
                           "SELECT strText, longParentID, bChecked, bNote FROM 'Groceries' WHERE longID > 0 "
                           "ORDER BY longParentID, longOrder;");
    std::string got;
    for (const auto& r : rows) got += r[0] + "|" + r[1] + "|" + r[2] + "|" + r[3] + "\n";
    EXPECT_EQ(got,
              "Milk|0|0|0\nBread|0|0|1\nEggs (free range)|0|0|0\n"
              "Semi-skimmed|1|1|0\nOat milk|1|0|0\n");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT strNoteText FROM 'Groceries' WHERE strText='Bread';"),
              "The seeded loaf from the baker's");
    for (const char* file : {"groceries.png", "item-menu.png", "groceries.json"})
        EXPECT_TRUE(e2e::fileExists(run.path(file))) << file;
}

}  // namespace
