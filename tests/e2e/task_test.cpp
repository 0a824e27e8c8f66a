// Create Task driven as a person does it: the item menu's "Create Task...",
// the task editor the device shows, its ok; the tasks are read back from
// the task store's folder (by todoman too) and the dumps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "e2e_run.h"

namespace {

std::vector<std::string> icsFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) names.push_back(e.path().filename().string());
    return names;
}

// todoman's porcelain listing of `folder`, or Null (the test then says it
// skipped that part) when todoman is not installed.
e2e::Json todomanList(e2e::Run& run, const std::string& folder) {
    if (std::system("command -v todoman >/dev/null 2>&1") != 0) {
        std::cout << "[  SKIPPED ] todoman is not installed (scripts/setup.sh installs it)\n";
        return {};
    }
    const std::string config = run.dir() + "/xdg";
    std::filesystem::create_directories(config + "/todoman");
    std::ofstream(config + "/todoman/config.py")
        << "path = \"" << folder << "\"\ndate_format = \"%Y-%m-%d\"\ntime_format = \"%H:%M\"\n";
    const std::string out = run.path("todoman.json");
    std::string command = "XDG_CONFIG_HOME='" + config + "' XDG_CACHE_HOME='" + run.dir() +
                          "/cache' todoman --porcelain list > '" + out + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    e2e::Json listed = e2e::readJson(out);
    EXPECT_EQ(listed.kind, e2e::Json::Array) << e2e::readFile(out);
    return listed;
}

const std::string kQuirky = "Joe's \"cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e\" \xE2\x80\x93 5\xE2\x82\xAC";  // UTF-8

TEST(TaskE2E, TheItemBecomesATaskShownInTheEditorWithItsSubjectOpen) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "task_create.txt"), 0) << run.err();
    e2e::Json during = e2e::readJson(run.path("task_editor.json"));
    const e2e::Json* editor = e2e::findWindow(during["windows"], "text", "Tasks");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ((*editor)["class"].s, "dialog");
    const e2e::Json* summary = e2e::findWindow((*editor)["children"], "text", "Task");
    ASSERT_NE(summary, nullptr);
    EXPECT_FALSE((*summary)["visible"].b);  // the poke switched it to editing
    const e2e::Json* subject = e2e::findWindow((*editor)["children"], "text", kQuirky);
    ASSERT_NE(subject, nullptr);
    EXPECT_TRUE((*subject)["focused"].b);
    EXPECT_EQ((*subject)["sel"][0].n, 25);  // the caret after the last of its 25 letters
    EXPECT_NE(e2e::findWindow((*editor)["children"], "text", "Eggs, cream and 100% sugar"), nullptr);
    // Only the task editor shows the task until its ok closes it.
    ASSERT_EQ(during["tasks"].size(), 1u);
    EXPECT_TRUE(e2e::fileExists(run.path("task_editor.png")));

    e2e::Json after = e2e::readJson(run.path("task_after.json"));
    EXPECT_EQ(e2e::findWindow(after["windows"], "text", "Tasks"), nullptr);
    ASSERT_EQ(after["tasks"].size(), 1u);
    EXPECT_EQ(after["tasks"][0]["subject"].s, kQuirky);
    EXPECT_EQ(after["tasks"][0]["body"].s, "Eggs, cream and 100% sugar");
    // The store's own file: one iCalendar task in the device's task folder,
    // which a calendar program lists.
    std::vector<std::string> files = icsFiles(run.root() + "/Windows/Tasks");
    ASSERT_EQ(files.size(), 1u);
    std::string ics = e2e::readFile(run.root() + "/Windows/Tasks/" + files[0]);
    EXPECT_NE(ics.find("SUMMARY:Joe's \"cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e\" \xE2\x80\x93 5\xE2\x82\xAC\r\n"),
              std::string::npos) << ics;
    EXPECT_NE(ics.find("DESCRIPTION:Eggs\\, cream and 100% sugar\r\n"), std::string::npos) << ics;
    EXPECT_NE(ics.find("UID:" + files[0].substr(0, files[0].size() - 4) + "\r\n"), std::string::npos) << ics;
    e2e::Json listed = todomanList(run, run.root() + "/Windows/Tasks");
    if (listed.kind != e2e::Json::Null) {
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0]["summary"].s, kQuirky);
        EXPECT_EQ(listed[0]["description"].s, "Eggs, cream and 100% sugar");
        EXPECT_FALSE(listed[0]["completed"].b);
    }
    EXPECT_NE(e2e::readFile(run.root() + "/Windows/registry.dat").find("{05058F23-20BE-11D2-8F18-0000F87A4335}"),
              std::string::npos);
    // The items are as they were.
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM 'Groceries';"), "2");
}

// With --tasks the store is any folder (one a sync tool keeps, say).
TEST(TaskE2E, WhatIsTypedInTheEditorIsStoredAndANoteLessItemHasNoBody) {
    e2e::Run run;
    const std::string folder = run.dir() + "/synced tasks";
    ASSERT_EQ(run.script(e2e::kFirstStart + e2e::scriptFile("task_edit.txt"), {"--tasks", folder}), 0) << run.err();
    std::vector<std::string> files = icsFiles(folder);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(e2e::readFile(folder + "/" + files[0]).find("DESCRIPTION"), std::string::npos);
    EXPECT_TRUE(icsFiles(run.root() + "/Windows/Tasks").empty());
    e2e::Json dump = e2e::readJson(run.path("task_edit.json"));
    ASSERT_EQ(dump["tasks"].size(), 1u);
    EXPECT_EQ(dump["tasks"][0]["subject"].s, "Milk today");
    EXPECT_EQ(dump["tasks"][0]["body"].s, "");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT strText FROM 'Groceries' WHERE longID=1;"), "Milk");
}

}  // namespace
