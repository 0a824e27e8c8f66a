// The Options menu's bulk commands and Edit > Undo driven as a person does it
// through the menu bar; the database, the settings and the dumps are read
// back afterwards.
#include <gtest/gtest.h>

#include <string>

#include "e2e_run.h"

namespace {

std::string one(e2e::Run& run, const std::string& sql) { return e2e::queryOne(run.database(), sql); }

// The outline of a dump as text: one line per item, two blanks per level,
// "[x]" for a checked item and "+" for an expanded one; "(hidden)" when the
// outline is not shown.
void outlineLines(const e2e::Json& items, int depth, std::string* out) {
    for (const e2e::Json& it : items.items) {
        *out += std::string(size_t(depth) * 2, ' ') + (it["state_image"].n == 2 ? "[x] " : "[ ] ") + it["text"].s +
                (it["expanded"].b ? " +" : "") + "\n";
        outlineLines(it["children"], depth + 1, out);
    }
}

std::string outline(e2e::Run& run, const std::string& dumpName) {
    e2e::Json dump = e2e::readJson(run.path(dumpName));
    const e2e::Json* tree = e2e::findWindow(dump["windows"], "class", "systreeview32");
    if (!tree) return "(no outline)";
    if (!(*tree)["visible"].b) return "(hidden)";
    std::string out;
    outlineLines((*tree)["tree"], 0, &out);
    return out;
}

// The menu item `id` among `items` and their submenus.
const e2e::Json* menuItem(const e2e::Json& items, int id) {
    for (const e2e::Json& it : items.items) {
        if (int(it["id"].n) == id) return &it;
        if (const e2e::Json* inner = menuItem(it["items"], id)) return inner;
    }
    return nullptr;
}

// The state of the menu item `id` of menu `menu` in a dump: "checked",
// "grayed" or "enabled", with its text; "(none)" when it is not there.
std::string menuState(e2e::Run& run, const std::string& dumpName, const std::string& menu, int id) {
    e2e::Json dump = e2e::readJson(run.path(dumpName));
    const e2e::Json* item = menuItem(dump["menubar"]["menus"][menu], id);
    if (!item) return "(none)";
    return (*item)["text"].s + ((*item)["checked"].b ? " checked" : (*item)["enabled"].b ? " enabled" : " grayed");
}

bool marked(e2e::Run& run, const std::string& dumpName, int id) {
    const std::string state = menuState(run, dumpName, "Options", id);
    return state.size() > 8 && state.compare(state.size() - 8, 8, " checked") == 0;
}

TEST(BulkE2E, SortAlphabeticThenBothThenCheckedIsStoredAndOrdersTheOutline) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "bulk_sort.txt"), 0) << run.err();
    // Case-sensitive: upper-case letters sort before lower-case ones.
    EXPECT_EQ(outline(run, "bulk_sort_alpha.json"),
              "[ ] Milk +\n  [ ] Butter\n  [ ] skim\n[ ] Zucchini\n[x] apples\n[ ] pears\n");
    EXPECT_EQ(outline(run, "bulk_sort_both.json"),
              "[ ] Milk +\n  [ ] Butter\n  [ ] skim\n[ ] Zucchini\n[ ] pears\n[x] apples\n");
    EXPECT_TRUE(marked(run, "bulk_sort_both.json", 40055));
    EXPECT_TRUE(marked(run, "bulk_sort_both.json", 40056));
    // Checked after Both: only the alphabetic order is left.
    EXPECT_EQ(outline(run, "bulk_sort.json"), outline(run, "bulk_sort_alpha.json"));
    EXPECT_TRUE(marked(run, "bulk_sort.json", 40055));
    EXPECT_FALSE(marked(run, "bulk_sort.json", 40056));
    EXPECT_EQ(one(run, "SELECT bAlphaSort||bCheckSort FROM ListAttributes WHERE strListName='Groceries';"), "10");
    // Sorting moves nothing: the stored order is the order of entry.
    EXPECT_EQ(one(run, "SELECT group_concat(strText) FROM (SELECT strText FROM 'Groceries' WHERE longParentID=0 "
                       "ORDER BY longOrder);"),
              "pears,Milk,apples,Zucchini");
}

TEST(BulkE2E, CheckAllUncheckAllAndDeleteCheckedAfterItsWarning) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "bulk_checked.txt"), 0) << run.err();
    EXPECT_EQ(outline(run, "bulk_check_all.json"), "[x] Milk +\n  [x] Skim\n[x] Bread\n[x] Eggs\n");
    // Milk went with its unchecked child; the cancelled first try kept all.
    EXPECT_EQ(outline(run, "bulk_checked.json"), "[ ] Bread\n");
    EXPECT_EQ(one(run, "SELECT group_concat(strText) FROM 'Groceries';"), "Bread");
    EXPECT_EQ(one(run, "SELECT bChecked||intNumChild FROM 'Groceries';"), "00");
}

TEST(BulkE2E, HiddenItemsFilteredShownInTheirColourAllHiddenAndAllShownAgain) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "bulk_hidden.txt"), 0) << run.err();
    EXPECT_EQ(outline(run, "bulk_hidden_filtered.json"), "[ ] Milk\n[ ] Eggs\n");
    EXPECT_EQ(outline(run, "bulk_hidden_off.json"), "[ ] Milk\n[ ] Bread\n[ ] Eggs\n");
    EXPECT_EQ(menuState(run, "bulk_hidden_off.json", "Options", 40067), "Hide On enabled");
    EXPECT_EQ(outline(run, "bulk_hidden_empty.json"), "(hidden)");
    EXPECT_EQ(menuState(run, "bulk_hidden_empty.json", "Options", 40067), "Hide Off enabled");
    EXPECT_EQ(outline(run, "bulk_hidden_shown.json"), "[ ] Milk\n[ ] Bread\n[ ] Eggs\n");
    EXPECT_EQ(one(run, "SELECT group_concat(DISTINCT bDisplay) FROM 'Groceries';"), "1");
    // Filtering was on at the end and is stored when the program ends.
    EXPECT_EQ(one(run, "SELECT bShowHiddenItems FROM ListAttributes WHERE strListName='Groceries';"), "1");
}

TEST(BulkE2E, CollapseAllAndTheFontSizeHoldAfterARestart) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "bulk_expand_font.txt"), 0) << run.err();
    EXPECT_EQ(one(run, "SELECT group_concat(DISTINCT bNodeExpand) FROM 'Groceries';"), "0");
    EXPECT_EQ(e2e::setting(run.settings(), "fontsizeTV"), "16");
    ASSERT_EQ(run.script("dump restarted.json\n"), 0) << run.err();
    EXPECT_EQ(outline(run, "restarted.json"), "[ ] Milk\n  [ ] Skim\n[ ] Bread\n  [ ] Rye\n");
    for (int id = 40045; id <= 40053; ++id) EXPECT_EQ(marked(run, "restarted.json", id), id == 40053) << id;
}

TEST(BulkE2E, UndoBringsADeletedParentBackAndIsGrayedAfterAListSwitch) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "bulk_undo.txt"), 0) << run.err();
    EXPECT_EQ(outline(run, "bulk_undo_deleted.json"), "[ ] Bread\n");
    EXPECT_EQ(menuState(run, "bulk_undo_deleted.json", "Edit", 40031), "Undo enabled");
    EXPECT_EQ(outline(run, "bulk_undo.json"), "[ ] Bread\n[ ] Milk +\n  [ ] Skim\n");
    EXPECT_EQ(menuState(run, "bulk_undo.json", "Edit", 40031), "Undo grayed");
    // Bread was deleted, then the list was left and entered again.
    EXPECT_EQ(outline(run, "bulk_undo_switched.json"), "[ ] Milk +\n  [ ] Skim\n");
    EXPECT_EQ(menuState(run, "bulk_undo_switched.json", "Edit", 40031), "Undo grayed");
    EXPECT_EQ(one(run, "SELECT group_concat(strText||':'||longParentID||':'||longOrder) FROM 'Groceries';"),
              "Milk:0:1,Skim:1:1");
}

}  // namespace
