// Moving items as a person does it: the edit bar's buttons tapped and held,
// items dragged onto each other in the outline, and the taps on the bare
// main window that unlock a protected list or start the first list. The
// database is read back afterwards.
#include <gtest/gtest.h>

#include <string>

#include "e2e_run.h"

namespace {

std::string one(e2e::Run& run, const std::string& sql) { return e2e::queryOne(run.database(), sql); }

// "text:order" of the live children of `parent` in the Groceries list.
std::string children(e2e::Run& run, long parent) {
    std::string out;
    for (const auto& row : e2e::query(run.database(), "SELECT strText, longOrder FROM 'Groceries' WHERE longParentID=" +
                                                          std::to_string(parent) +
                                                          " AND longID > 0 ORDER BY longOrder;")) {
        if (!out.empty()) out += ",";
        out += row[0] + ":" + row[1];
    }
    return out;
}

// The outline's items in a dump, "text(children)" at every level.
std::string outline(const e2e::Json& items) {
    std::string out;
    for (const e2e::Json& item : items.items) {
        if (!out.empty()) out += ",";
        out += item["text"].s;
        if (item["children"].size() > 0) out += "(" + outline(item["children"]) + ")";
    }
    return out;
}
std::string outlineOf(const e2e::Json& dump) {
    const e2e::Json* tree = e2e::findWindow(dump["windows"], "class", "systreeview32");
    return tree ? outline((*tree)["tree"]) : "<no outline>";
}

TEST(MoveE2E, TheEditBarMovesCopiesAndDeletesTheSelectedItem) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "move_editbar.txt"), 0) << run.err();
    e2e::Json right = e2e::readJson(run.path("move_editbar_right.json"));
    EXPECT_EQ(outlineOf(right), "Milk(Eggs),Bread");
    // Eggs went up, in and out again; a copy of Bread was pasted after
    // Milk; Eggs was deleted (and purged when the program ended).
    EXPECT_EQ(children(run, 0), "Milk:1,Bread:2,Bread:3");
    EXPECT_EQ(one(run, "SELECT COUNT(*) FROM 'Groceries' WHERE strText='Eggs';"), "0");
    EXPECT_EQ(one(run, "SELECT intNumChild FROM 'Groceries' WHERE strText='Milk';"), "0");
    EXPECT_EQ(one(run, "SELECT COUNT(*) FROM 'Groceries' WHERE longParentID<>0;"), "0");
    EXPECT_EQ(e2e::setting(run.settings(), "editbarvisible"), "1");
}

TEST(MoveE2E, DraggedItemsLandBeforeAfterOrInsideTheItemUnderThePen) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "move_drag.txt"), 0) << run.err();
    e2e::Json child = e2e::readJson(run.path("move_drag_child.json"));
    EXPECT_EQ(outlineOf(child), "Milk(Butter),Bread,Eggs");
    e2e::Json last = e2e::readJson(run.path("move_drag.json"));
    EXPECT_EQ(outlineOf(last), "Eggs,Milk,Bread,Butter");
    EXPECT_EQ(children(run, 0), "Eggs:1,Milk:2,Bread:3,Butter:4");
    // Milk had Butter for a while and lost it again.
    EXPECT_EQ(one(run, "SELECT intNumChild FROM 'Groceries' WHERE strText='Milk';"), "0");
    EXPECT_EQ(one(run, "SELECT bNodeExpand FROM 'Groceries' WHERE strText='Milk';"), "1");
    EXPECT_EQ(one(run, "SELECT SUM(bChecked) FROM 'Groceries';"), "0");
}

TEST(MoveE2E, AHeldButtonShowsItsTipAndDoesNotRun) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "move_tip.txt"), 0) << run.err();
    EXPECT_EQ(children(run, 0), "Milk:1,Bread:2");
    EXPECT_TRUE(e2e::fileExists(run.path("move_tip.png")));
    // While the tip shows, the outline keeps the focus, so Bread stays
    // highlighted.
    e2e::Json open = e2e::readJson(run.path("move_tip_open.json"));
    const e2e::Json* tip = e2e::findWindow(open["windows"], "class", "#32770");
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE((*tip)["focused"].b);
    const e2e::Json* tree = e2e::findWindow(open["windows"], "class", "systreeview32");
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE((*tree)["focused"].b);
    e2e::Json dump = e2e::readJson(run.path("move_tip.json"));
    // Only the program's own window is left: the tip closed with the pen.
    EXPECT_EQ(e2e::findWindow(dump["windows"], "class", "#32770"), nullptr);
}

TEST(MoveE2E, TappingTheLockedListAsksForItsPasswordUntilItIsGiven) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + e2e::scriptFile("lists_password.txt")), 0) << run.err();
    ASSERT_EQ(run.script(e2e::scriptFile("move_unlock.txt")), 0) << run.err();
    e2e::Json asked = e2e::readJson(run.path("move_unlock_asked.json"));
    EXPECT_NE(e2e::findWindow(asked["windows"], "text", "Get List Password"), nullptr);
    e2e::Json open = e2e::readJson(run.path("move_unlock_open.json"));
    EXPECT_EQ(outlineOf(open), "Milk,Joe's crème");
    EXPECT_EQ(one(run, "SELECT bPassword FROM ListAttributes WHERE strListName='Groceries';"), "1");
}

TEST(MoveE2E, TappingTheEmptyWindowWithoutListsStartsNewList) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "move_new_list.txt"), 0) << run.err();
    EXPECT_EQ(one(run, "SELECT group_concat(strListName) FROM ListAttributes;"), "Hardware");
    EXPECT_EQ(one(run, "SELECT COUNT(*) FROM sqlite_master WHERE name='Hardware';"), "1");
}

}  // namespace
