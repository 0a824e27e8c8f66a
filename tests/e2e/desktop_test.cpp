// The program on a desktop: its keys, and a device screen that changes its
// size (the window resized) with the outline following it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "e2e_run.h"

namespace {

std::string rows(e2e::Run& run, const std::string& where) {
    std::string out;
    for (const auto& row : e2e::query(run.database(), "SELECT longParentID, strText, bChecked FROM 'Groceries' WHERE " +
                                                          where + " ORDER BY longParentID, longOrder;")) {
        if (!out.empty()) out += ",";
        out += row[0] + ":" + row[1] + (row[2] == "1" ? "+" : "");
    }
    return out;
}

const e2e::Json* windowOf(const e2e::Json& dump, const std::string& cls) {
    return e2e::findWindow(dump["windows"], "class", cls);
}

TEST(DesktopE2E, KeysReachTheCommandsOfTheMenus) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "desktop_keys.txt"), 0) << run.err();
    // Milk holds the edited Eggs and their duplicate, each with Brown; Bread
    // was checked with Enter and copied after Milk; the deleted item came
    // back with its id; no letter became an item.
    EXPECT_EQ(rows(run, "longID > 0 AND longParentID = 0"), "0:Milk,0:Bread+,0:Bread+");
    EXPECT_EQ(rows(run, "longParentID = 1"), "1:Large eggs,1:Large eggs");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM 'Groceries' WHERE strText='Brown';"), "2");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM 'Groceries' WHERE longID < 0;"), "0");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM 'Groceries';"), "7");
    // F3 found Brown.
    e2e::Json dump = e2e::readJson(run.path("desktop_keys.json"));
    const e2e::Json* outline = windowOf(dump, "systreeview32");
    ASSERT_NE(outline, nullptr);
    EXPECT_TRUE((*outline)["tree"][0]["children"][0]["children"][0]["selected"].b);
}

TEST(DesktopE2E, TheOutlineFollowsALandscapeAndATallScreen) {
    e2e::Run run;
    std::string items;
    for (int i = 1; i <= 25; ++i) items += "menu \"New Item\"\ntype \"Item " + std::to_string(i) + "\"\nkey Enter\n";
    ASSERT_EQ(run.script(e2e::kFirstStart + items +
                         "dump portrait.json\n"
                         "screen 320 240\n"
                         "dump landscape.json\n"
                         "shot landscape.png\n"
                         "screen 240 480\n"
                         "dump tall.json\n"
                         "shot tall.png\n"),
              0)
        << run.err();
    auto rect = [&](const char* file, const char* cls, int i) {
        e2e::Json dump = e2e::readJson(run.path(file));
        const e2e::Json* w = windowOf(dump, cls);
        return w ? (int)(*w)["rect"][i].n : -1;
    };
    // rect: left, top, right, bottom on the screen.
    EXPECT_EQ(rect("landscape.json", "systreeview32", 2), 320);
    EXPECT_EQ(rect("landscape.json", "quillet pro", 3), 240 - 26);
    EXPECT_EQ(rect("tall.json", "systreeview32", 2), 240);
    EXPECT_EQ(rect("tall.json", "quillet pro", 3), 480 - 26);
    EXPECT_GT(rect("tall.json", "systreeview32", 3), rect("portrait.json", "systreeview32", 3) + 150);
    // A screen smaller than the device's smallest is refused by name.
    EXPECT_EQ(run.script("screen 200 320\n"), 3);
    EXPECT_NE(run.err().find("at least 240 x 240"), std::string::npos) << run.err();
}

// Files from the desktop: a text file on the card becomes a new list
// through the import's own dialog (from a copy in the documents folder), a
// file outside the device is refused with a message, and a database on the
// card is opened.
TEST(DesktopE2E, DroppedFilesAreImportedRefusedOrOpened) {
    e2e::Run run;
    std::filesystem::create_directories(run.card());
    std::ofstream(run.card() + "/shopping.txt") << "!Shopping\nMilk\tX\n\tSkim\nBread\n";
    std::ofstream(run.path("outside.txt")) << "Milk\n";
    ASSERT_EQ(run.script(e2e::kFirstStart + "drop 120 150 \"" + run.card() + "/shopping.txt\"\n"
                         "click \"OK\"\n"
                         "drop 120 150 \"" + run.path("outside.txt") + "\"\n"
                         "dump refused.json\n"
                         "click \"OK\"\n"),
              0)
        << run.err();
    EXPECT_TRUE(e2e::fileExists(run.root() + "/My Documents/shopping1.txt"));
    EXPECT_EQ(e2e::queryOne(run.database(),
                            "SELECT group_concat(strText || bChecked || longParentID, ',') FROM 'Shopping';"),
              "Milk10,Skim01,Bread00");
    e2e::Json refused = e2e::readJson(run.path("refused.json"));
    EXPECT_NE(e2e::findWindow(refused["windows"], "text", "Warning Message"), nullptr);
    std::filesystem::copy_file(run.database(), run.card() + "/other.qu2");
    ASSERT_EQ(run.script("drop 120 150 \"" + run.card() + "/other.qu2\"\n"), 0) << run.err();
    EXPECT_EQ(e2e::setting(run.settings(), "currentdbfile"), "\\Storage Card\\other.qu2");
}

}  // namespace
