// Find driven through the find bar as a person does it: each "Next" selects
// the next item whose label or note holds the text, and the dumps show the
// selection, the notes pane and the bar.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "e2e_run.h"

namespace {

// The selected item's text in a dump's outline ("" when none).
std::string selected(const e2e::Json& dump) {
    const e2e::Json* tree = e2e::findWindow(dump["windows"], "class", "systreeview32");
    if (!tree) return "<no outline>";
    std::function<std::string(const e2e::Json&)> walk = [&](const e2e::Json& items) -> std::string {
        for (const e2e::Json& item : items.items) {
            if (item["selected"].b) return item["text"].s;
            std::string inner = walk(item["children"]);
            if (!inner.empty()) return inner;
        }
        return "";
    };
    return walk((*tree)["tree"]);
}

TEST(FindE2E, NextWalksLabelsAndNotesAndWraps) {
    const char* source = std::getenv("QP_SOURCE_DIR");
    std::string steps = e2e::readFile(std::string(source ? source : ".") + "/tests/e2e/scripts/find_walk.txt");
    ASSERT_FALSE(steps.empty());
    e2e::Run run;
    ASSERT_EQ(run.script(e2e::kFirstStart + steps), 0) << run.err();
    const char* expected[] = {"Milk", "Skim milk", "Bread", "Milk"};
    for (int i = 0; i < 4; ++i) {
        e2e::Json dump = e2e::readJson(run.path("find_" + std::to_string(i + 1) + ".json"));
        EXPECT_EQ(selected(dump), expected[i]) << "press " << i + 1;
    }
    e2e::Json note = e2e::readJson(run.path("find_3.json"));
    const e2e::Json* pane = e2e::findWindow(note["windows"], "class", "edit");
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ((*pane)["text"].s, "Two loaves and some MILK for the cat");
    const e2e::Json* bar = e2e::findWindow(note["windows"], "class", "finditem");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE((*bar)["visible"].b);
    e2e::Json hidden = e2e::readJson(run.path("find_hidden.json"));
    bar = e2e::findWindow(hidden["windows"], "class", "finditem");
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE((*bar)["visible"].b);
    EXPECT_FALSE((*bar)["enabled"].b);
}

}  // namespace
