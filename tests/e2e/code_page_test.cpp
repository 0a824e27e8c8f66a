// The device's code page as a person meets it: letters of any script typed
// into items, notes and a list password come back after a restart when the
// device is set to UTF-8 (and older Windows-1252 texts still read right); a
// regional page keeps its own letters; the default keeps Windows-1252.
#include <gtest/gtest.h>

#include <string>

#include "e2e_run.h"

namespace {

std::string treeTexts(const e2e::Json& dump) {
    std::string out;
    if (const e2e::Json* tree = e2e::findWindow(dump["windows"], "class", "systreeview32"))
        for (const e2e::Json& item : (*tree)["tree"].items) out += (out.empty() ? "" : ",") + item["text"].s;
    return out;
}

std::string noteText(const e2e::Json& dump) {
    const e2e::Json* notes = e2e::findWindow(dump["windows"], "class", "edit");
    return notes && (*notes)["id"].n == 6003 ? (*notes)["text"].s : "<no notes pane>";
}

std::string texts(e2e::Run& run) {
    std::string out;
    for (const auto& row : e2e::query(run.database(), "SELECT strText FROM 'Groceries' ORDER BY longID;"))
        out += (out.empty() ? "" : ",") + row[0];
    return out;
}

TEST(CodePageE2E, Utf8KeepsEveryLetterThroughRestartsAndTheCipherAndReadsOlderTexts) {
    e2e::Run run;
    // An older device wrote "crème" in Windows-1252.
    ASSERT_EQ(run.script(e2e::kFirstStart + "menu \"New Item\"\ntype \"Joe's crème\"\nkey Enter\n"), 0) << run.err();
    ASSERT_EQ(run.script(e2e::scriptFile("code_page_add.txt"), {"--code-page", "utf-8"}), 0) << run.err();
    EXPECT_EQ(texts(run), "Joe's cr\xE8me,Молоко свежее,Cake 🎂");

    // The device keeps the setting without the option.
    ASSERT_EQ(run.script(e2e::scriptFile("code_page_protect.txt")), 0) << run.err();
    e2e::Json restart = e2e::readJson(run.path("code_page_restart.json"));
    EXPECT_EQ(treeTexts(restart), "Joe's crème,Молоко свежее,Cake 🎂");
    EXPECT_EQ(noteText(restart), "Заметка 😀");
    for (const auto& row : e2e::query(run.database(), "SELECT strText FROM 'Groceries';"))
        EXPECT_EQ(row[0].find_first_not_of("0123456789abcdef"), std::string::npos) << row[0];

    ASSERT_EQ(run.script(e2e::scriptFile("code_page_unlock.txt")), 0) << run.err();
    e2e::Json unlocked = e2e::readJson(run.path("code_page_unlocked.json"));
    EXPECT_EQ(treeTexts(unlocked), "Joe's crème,Молоко свежее,Cake 🎂");
    EXPECT_EQ(noteText(unlocked), "Заметка 😀");
}

TEST(CodePageE2E, AListProtectedUnderWindows1252OpensWithItsPasswordUnderUtf8) {
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + "menu \"New Item\"\ntype \"Joe's crème\"\nkey Enter\n"
                         "menu \"Options/Set Password/For List...\"\ntype \"crème\"\nkey Tab\ntype \"crème\"\n"
                         "key Enter\n"),
              0)
        << run.err();
    ASSERT_EQ(run.script("type \"crème\"\nkey Enter\ndump open.json\n", {"--code-page", "utf-8"}), 0) << run.err();
    EXPECT_EQ(treeTexts(e2e::readJson(run.path("open.json"))), "Joe's crème");
}

TEST(CodePageE2E, EachPageKeepsItsLettersInItemsAndListNamesAndTheDefaultStaysWindows1252) {
    const std::string add = "menu \"New Item\"\ntype \"Молоко\"\nkey Enter\nmenu \"New Item\"\ntype \"crème\"\nkey Enter\n";
    const std::string show = "dump shown.json\n";
    e2e::Run cyrillic;
    ASSERT_EQ(cyrillic.script(e2e::kFirstStart + add, {"--code-page", "1251"}), 0) << cyrillic.err();
    ASSERT_EQ(cyrillic.script(show), 0) << cyrillic.err();
    EXPECT_EQ(treeTexts(e2e::readJson(cyrillic.path("shown.json"))), "Молоко,cr?me");
    EXPECT_EQ(texts(cyrillic), "\xCC\xEE\xEB\xEE\xEA\xEE,cr?me");

    // A list name of 32 Cyrillic letters takes 64 bytes in UTF-8: all kept.
    e2e::Run utf8;
    const std::string name = "Покупки на неделю для всей семьи";
    ASSERT_EQ(utf8.script(e2e::firstStart(name) + add, {"--code-page", "utf-8"}), 0) << utf8.err();
    ASSERT_EQ(utf8.script(show), 0) << utf8.err();
    e2e::Json shown = e2e::readJson(utf8.path("shown.json"));
    EXPECT_EQ(treeTexts(shown), "Молоко,crème");
    const e2e::Json* listName = e2e::findWindow(shown["windows"], "class", "static");
    ASSERT_NE(listName, nullptr);
    EXPECT_EQ((*listName)["text"].s, name);

    e2e::Run western;
    ASSERT_EQ(western.script(e2e::kFirstStart + add), 0) << western.err();
    ASSERT_EQ(western.script(show), 0) << western.err();
    EXPECT_EQ(treeTexts(e2e::readJson(western.path("shown.json"))), "??????,crème");
    EXPECT_EQ(texts(western), "??????,cr\xE8me");
}

}  // namespace
