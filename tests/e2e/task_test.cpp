// Create Task driven as a person does it: the item menu's "Create Task...",
// the task editor the device shows, its ok; the tasks are read back from
// the task store's file and the dumps.
#include <gtest/gtest.h>

#include <string>

#include "e2e_run.h"

namespace {

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
    // The store's own file, in UTF-8, and the class registered for good.
    std::string store = e2e::readFile(run.root() + "/Windows/tasks.dat");
    EXPECT_EQ(store, "quillet-tasks 1\ntask\t1\tJoe's%20\"cr\xC3\xA8me%20br\xC3\xBBl\xC3\xA9" "e\"%20\xE2\x80\x93%205\xE2\x82\xAC\t"
                     "Eggs,%20cream%20and%20100%25%20sugar\n");
    EXPECT_NE(e2e::readFile(run.root() + "/Windows/registry.dat").find("{05058F23-20BE-11D2-8F18-0000F87A4335}"),
              std::string::npos);
    // The items are as they were.
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT COUNT(*) FROM 'Groceries';"), "2");
}

TEST(TaskE2E, WhatIsTypedInTheEditorIsStoredAndANoteLessItemHasNoBody) {
    e2e::Run run;
    ASSERT_EQ(e2e::play(run, "task_edit.txt"), 0) << run.err();
    e2e::Json dump = e2e::readJson(run.path("task_edit.json"));
    ASSERT_EQ(dump["tasks"].size(), 1u);
    EXPECT_EQ(dump["tasks"][0]["subject"].s, "Milk today");
    EXPECT_EQ(dump["tasks"][0]["body"].s, "");
    EXPECT_EQ(e2e::queryOne(run.database(), "SELECT strText FROM 'Groceries' WHERE longID=1;"), "Milk");
}

}  // namespace
