// Lists and list passwords driven as a person does it: the File menu's New,
// Rename and Delete List, the list-name bar's drop-down, and Options > Set
// Password > For List... with the unlock asked at the next start. The
// database is read back afterwards: tables, ListAttributes rows and the
// enciphered texts.
#include <gtest/gtest.h>

#include <string>

#include "e2e_run.h"

namespace {

std::string one(e2e::Run& run, const std::string& sql) { return e2e::queryOne(run.database(), sql); }

// Every row's first column, joined with ",".
std::string column(e2e::Run& run, const std::string& sql) {
    std::string out;
    for (const auto& row : e2e::query(run.database(), sql)) {
        if (!out.empty()) out += ",";
        out += row.empty() ? "" : row[0];
    }
    return out;
}

std::string listTables(e2e::Run& run) {
    return column(run, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT IN "
                       "('VersionData','ListAttributes') ORDER BY name;");
}

// The window with this control id, depth first.
const e2e::Json* byId(const e2e::Json& window, int id) {
    if (window["id"].kind == e2e::Json::Number && int(window["id"].n) == id) return &window;
    for (const e2e::Json& c : window["children"].items)
        if (const e2e::Json* found = byId(c, id)) return found;
    return nullptr;
}
const e2e::Json* control(const e2e::Json& dump, int id) {
    for (const e2e::Json& w : dump["windows"].items)
        if (const e2e::Json* found = byId(w, id)) return found;
    return nullptr;
}

std::string strings(const e2e::Json* combo) {
    std::string out;
    if (!combo) return "<no box>";
    for (const e2e::Json& s : (*combo)["strings"].items) out += (out.empty() ? "" : ",") + s.s;
    return out;
}

std::string treeTexts(const e2e::Json* tree) {
    std::string out;
    if (!tree) return "<no outline>";
    for (const e2e::Json& item : (*tree)["tree"].items) out += (out.empty() ? "" : ",") + item["text"].s;
    return out;
}

TEST(ListsE2E, NewRenameAndDeleteKeepTablesRowsAndTheBoxInStep) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + e2e::scriptFile("lists_manage.txt")), 0) << run.err();

    e2e::Json renamed = e2e::readJson(run.path("lists_manage_renamed.json"));
    EXPECT_EQ(strings(control(renamed, 6000)), "Groceries,Tools & Café");
    ASSERT_NE(control(renamed, 6001), nullptr);
    EXPECT_EQ((*control(renamed, 6001))["text"].s, "Tools & Café");

    // The renamed list was deleted; Groceries is current again with its item.
    e2e::Json deleted = e2e::readJson(run.path("lists_manage_deleted.json"));
    EXPECT_EQ(strings(control(deleted, 6000)), "Groceries");
    EXPECT_EQ((*control(deleted, 6001))["text"].s, "Groceries");
    EXPECT_EQ(treeTexts(control(deleted, 6002)), "Milk");

    EXPECT_EQ(listTables(run), "Groceries");
    EXPECT_EQ(column(run, "SELECT strListName FROM ListAttributes ORDER BY strListName;"), "Groceries");
    EXPECT_EQ(one(run, "SELECT strListName FROM ListAttributes WHERE bActive=1;"), "Groceries");
    EXPECT_EQ(one(run, "SELECT strText FROM 'Groceries';"), "Milk");
}

TEST(ListsE2E, SwitchingThroughTheListBarLoadsTheChosenList) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + e2e::scriptFile("lists_switch.txt")), 0) << run.err();
    e2e::Json dump = e2e::readJson(run.path("lists_switch.json"));
    EXPECT_EQ((*control(dump, 6001))["text"].s, "Groceries");
    EXPECT_EQ(treeTexts(control(dump, 6002)), "Milk");
    EXPECT_FALSE((*control(dump, 6000))["visible"].b);
    EXPECT_EQ(listTables(run), "Groceries,Work");
    EXPECT_EQ(column(run, "SELECT strText FROM 'Work' ORDER BY longOrder;"), "Report,Memo");
    EXPECT_EQ(one(run, "SELECT strListName FROM ListAttributes WHERE bActive=1;"), "Groceries");
    e2e::Json escaped = e2e::readJson(run.path("lists_escape.json"));
    EXPECT_FALSE((*control(escaped, 6000))["dropped"].b);
    EXPECT_TRUE((*control(escaped, 6002))["focused"].b);
}

TEST(ListsE2E, APasswordEnciphersTheListAndIsAskedForAtTheNextStart) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + e2e::scriptFile("lists_password.txt")), 0) << run.err();
    EXPECT_EQ(one(run, "SELECT bPassword FROM ListAttributes WHERE strListName='Groceries';"), "1");
    std::string verifier = one(run, "SELECT strPassword FROM ListAttributes WHERE strListName='Groceries';");
    EXPECT_EQ(verifier.size(), 32u);
    EXPECT_EQ(verifier.find_first_not_of("0123456789abcdef"), std::string::npos);
    // No text is stored readable: each is lower-case hex of whole blocks.
    for (const auto& row : e2e::query(run.database(), "SELECT strText FROM 'Groceries';")) {
        ASSERT_FALSE(row.empty());
        EXPECT_EQ(row[0].size() % 16, 0u) << row[0];
        EXPECT_EQ(row[0].find_first_not_of("0123456789abcdef"), std::string::npos) << row[0];
    }
    EXPECT_EQ(one(run, "SELECT COUNT(*) FROM 'Groceries';"), "2");
    e2e::Json change = e2e::readJson(run.path("lists_password_change.json"));
    const e2e::Json* panel = e2e::findWindow(change["windows"], "class", "sipwndclass");
    const e2e::Json* cancel = e2e::findWindow(change["windows"], "text", "Cancel");
    ASSERT_TRUE(panel && cancel);
    EXPECT_TRUE((*panel)["visible"].b);
    EXPECT_LE((*cancel)["rect"][3].n, (*panel)["rect"][1].n);

    // Next start: a wrong password is refused, the right one opens the list;
    // then the password is removed and the texts are plain again.
    ASSERT_EQ(run.script(e2e::scriptFile("lists_unlock.txt")), 0) << run.err();
    e2e::Json dump = e2e::readJson(run.path("lists_unlock.json"));
    EXPECT_EQ(treeTexts(control(dump, 6002)), "Milk,Joe's crème");
    EXPECT_EQ(one(run, "SELECT bPassword || '/' || strPassword FROM ListAttributes WHERE strListName='Groceries';"),
              "0/");
    EXPECT_EQ(column(run, "SELECT strText FROM 'Groceries' ORDER BY longID;"), "Milk,Joe's cr\xE8me");
}

TEST(ListsE2E, ACancelledPasswordLeavesTheListLockedAndUntouched) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + e2e::scriptFile("lists_password.txt")), 0) << run.err();
    const std::string before = column(run, "SELECT strText FROM 'Groceries' ORDER BY longID;");
    ASSERT_EQ(run.script(e2e::scriptFile("lists_locked.txt")), 0) << run.err();
    e2e::Json dump = e2e::readJson(run.path("lists_locked.json"));
    const e2e::Json* tree = control(dump, 6002);
    ASSERT_NE(tree, nullptr);
    EXPECT_FALSE((*tree)["visible"].b);
    EXPECT_EQ((*tree)["tree"].size(), 0u);
    EXPECT_EQ(column(run, "SELECT strText FROM 'Groceries' ORDER BY longID;"), before);
    EXPECT_EQ(one(run, "SELECT bPassword FROM ListAttributes WHERE strListName='Groceries';"), "1");
}

}  // namespace
