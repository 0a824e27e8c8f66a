// Item editing and the item clipboard driven as a person does it: the menu
// bar's New Item and New Sub-Item, the item menu (tap and hold) and the Edit
// menu; the list's rows are read back from the database afterwards.
#include <gtest/gtest.h>

#include <string>

#include "e2e_run.h"

namespace {

std::string one(e2e::Run& run, const std::string& sql) { return e2e::queryOne(run.database(), sql); }

// "text:order" of the live children of `parent` in the Groceries list.
std::string children(e2e::Run& run, long parent) {
    std::string out;
    for (const auto& row : e2e::query(run.database(),
                                      "SELECT strText, longOrder FROM 'Groceries' WHERE longParentID=" +
                                          std::to_string(parent) + " AND longID > 0 ORDER BY longOrder;")) {
        if (!out.empty()) out += ",";
        out += row[0] + ":" + row[1];
    }
    return out;
}

TEST(ItemsE2E, NewItemsAndSubItemsAreStoredInOrderWithTheirTextsIntact) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "items_new.txt"), 0) << run.err();
    const std::string longLabel =
        "0123456789abcdefghij0123456789abcdefghij0123456789abcdefghij0123456789abcdefghij0123456789abcdefghi";
    // The 99 characters the label editor takes, and the Windows-1252 bytes
    // of the accented letters, the dash and the euro sign.
    const std::string quirky = "Joe's \"cr\xE8me br\xFBl\xE9" "e\" \x96 5\x80";
    EXPECT_EQ(children(run, 0), "Milk:1,Bread:2," + longLabel + ":3," + quirky + ":4");
    EXPECT_EQ(one(run, "SELECT longID FROM 'Groceries' WHERE strText='Skim';"), "3");
    EXPECT_EQ(children(run, 1), "Skim:1");
    EXPECT_EQ(one(run, "SELECT intNumChild FROM 'Groceries' WHERE longID=1;"), "1");
    EXPECT_EQ(one(run, "SELECT COUNT(*) FROM 'Groceries' WHERE bDisplay=1 AND bChecked=0;"), "5");
    EXPECT_TRUE(e2e::fileExists(run.path("items_new.png")));
}

TEST(ItemsE2E, LabelsWithQuotesShowWhatIsStoredAndTheItemMenuTakesTheMenuStep) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "items_quotes.txt"), 0) << run.err();
    // Each quote is stored doubled in 99 places: 49 quotes; 98 letters and
    // no room left for the last quote.
    const std::string quotes(49, '\''), letters(98, 'x');
    EXPECT_EQ(children(run, 0), quotes + ":1," + letters + ":2");
    e2e::Json dump = e2e::readJson(run.path("items_quotes.json"));
    const e2e::Json* tree = e2e::findWindow(dump["windows"], "class", "systreeview32");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ((*tree)["tree"][0]["text"].s, quotes);
    EXPECT_EQ((*tree)["tree"][1]["text"].s, letters);
}

TEST(ItemsE2E, EditFromTheItemMenuStoresTheNewLabel) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "items_edit.txt"), 0) << run.err();
    EXPECT_EQ(one(run, "SELECT strText FROM 'Groceries' WHERE longID=1;"), "Milk & honey");
    EXPECT_EQ(one(run, "SELECT COUNT(*) FROM 'Groceries';"), "1");
}

TEST(ItemsE2E, DeleteAsksFirstAndTheParentLosesItsOnlyChild) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "items_delete.txt"), 0) << run.err();
    // The parked row is purged when the program ends.
    EXPECT_EQ(children(run, 0), "Milk:1,Bread:2");
    EXPECT_EQ(one(run, "SELECT COUNT(*) FROM 'Groceries';"), "2");
    EXPECT_EQ(one(run, "SELECT intNumChild FROM 'Groceries' WHERE strText='Milk';"), "0");
    e2e::Json dump = e2e::readJson(run.path("items_delete.json"));
    EXPECT_NE(dump.kind, e2e::Json::Null);
}

TEST(ItemsE2E, DuplicateCopiesTheItemWithItsSubtreeRightAfterIt) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "items_duplicate.txt"), 0) << run.err();
    EXPECT_EQ(children(run, 0), "Milk:1,Milk:2,Bread:3");
    EXPECT_EQ(one(run, "SELECT COUNT(*) FROM 'Groceries' WHERE strText='Skim';"), "2");
    EXPECT_EQ(one(run, "SELECT COUNT(DISTINCT longParentID) FROM 'Groceries' WHERE strText='Skim';"), "2");
}

TEST(ItemsE2E, CutPasteMovesTheSubtreeAndCopyPasteAddsACopy) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "items_clipboard.txt"), 0) << run.err();
    // Milk kept its identifier and its child when it was moved after Eggs.
    EXPECT_EQ(one(run, "SELECT longID FROM 'Groceries' WHERE strText='Milk';"), "1");
    EXPECT_EQ(children(run, 1), "Skim:1");
    const std::string top = children(run, 0);
    EXPECT_EQ(top, "Bread:2,Bread:3,Eggs:4,Milk:5") << top;
    EXPECT_EQ(one(run, "SELECT COUNT(*) FROM 'Groceries';"), "5");
}

TEST(ItemsE2E, HideStoresTheDisplayFlagAndFiltersTheItemOut) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "items_hide.txt"), 0) << run.err();
    EXPECT_EQ(one(run, "SELECT bDisplay FROM 'Groceries' WHERE strText='Milk';"), "0");
    EXPECT_EQ(one(run, "SELECT bDisplay FROM 'Groceries' WHERE strText='Bread';"), "1");
    e2e::Json dump = e2e::readJson(run.path("items_hide.json"));
    const e2e::Json* outline = e2e::findWindow(dump["windows"], "class", "systreeview32");
    ASSERT_NE(outline, nullptr);
    const e2e::Json& items = (*outline)["tree"];
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]["text"].s, "Bread");
}

}  // namespace
