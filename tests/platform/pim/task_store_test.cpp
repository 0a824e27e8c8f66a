// The store's file: what goes in comes back, texts of every kind survive,
// and a damaged file gives what was whole without bringing anything down.
#include "pim_fixture.h"

#include <filesystem>

using pim::TaskRecord;

namespace pimtest {
namespace {

const char16_t kQuotes[] = u"Joe's \"cr\u00E8me br\u00FBl\u00E9e\" \u2013 5\u20AC";  // Windows-1252 letters
const char16_t kWide[] = u"\u65E5\u672C\u8A9E \U0001F95B \u0416";                   // beyond the code page

std::vector<TaskRecord> sample() {
    return {{1, kQuotes, u"100% butter\tand\r\nsugar\n"}, {2, kWide, u""}, {7, u"", u" blanks  "}};
}

bool same(const std::vector<TaskRecord>& a, const std::vector<TaskRecord>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].oid != b[i].oid || a[i].subject != b[i].subject || a[i].body != b[i].body) return false;
    return true;
}

using TaskStore = PimTest;

TEST_F(TaskStore, TextsOfEveryKindComeBackAsTheyWentIn) {
    std::string text = pim::serializeTasks(sample());
    std::vector<TaskRecord> back;
    EXPECT_TRUE(pim::parseTasks(text, back));
    EXPECT_TRUE(same(back, sample()));
    // One line per task: tabs and line ends inside texts are escaped, and
    // the texts are UTF-8.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_NE(text.find("5\xE2\x82\xAC"), std::string::npos);
}

TEST_F(TaskStore, NewTasksGetTheNextNumberAndStoredOnesAreReplaced) {
    TaskRecord milk{0, u"Milk", u"2 litres"};
    TaskRecord bread{0, kQuotes, u""};
    ASSERT_TRUE(pim::storeTask(milk));
    ASSERT_TRUE(pim::storeTask(bread));
    EXPECT_EQ(milk.oid, 1u);
    EXPECT_EQ(bread.oid, 2u);
    milk.subject = kWide;
    ASSERT_TRUE(pim::storeTask(milk));
    std::vector<TaskRecord> tasks = device::storedTasks();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].subject, kWide);
    EXPECT_EQ(tasks[0].body, u"2 litres");
    EXPECT_EQ(tasks[1].subject, kQuotes);
    // A record that went from the file comes back as a new task.
    std::filesystem::remove(host("Windows/tasks.dat"));
    ASSERT_TRUE(pim::storeTask(bread));
    EXPECT_EQ(bread.oid, 1u);
    EXPECT_FALSE(std::filesystem::exists(host("Windows/tasks.dat.tmp")));
}

TEST_F(TaskStore, ADamagedFileIsReadAsFarAsItIsWholeAndKeptBeforeTheNextWrite) {
    std::string good = pim::serializeTasks(sample());
    struct Case {
        std::string text;
        size_t whole;
    } cases[] = {
        {good.substr(0, good.size() - 3), 2},                           // the last line cut short
        {good.substr(0, good.find("task\t2")) + "task\t2\tx\n" + good.substr(good.find("task\t7")), 1},  // a bad line
        {good + "task\t1\tagain\t%\n", 3},                              // a number used twice
        {"testprog-tasks 1\ntask\t3\t%zz\t%\n", 0},                      // a broken escape
        {"testprog-tasks 1\ntask\t3\t\xC3\x28\t%\n", 0},                 // not UTF-8
        {"testprog-tasks 1\ntask\t0\ta\tb\n", 0},                        // no such number
        {"testprog-tasks 2\n" + good.substr(good.find('\n') + 1), 0},    // another format
        {std::string("\0\xFF\x01garbage", 10), 0},
    };
    for (const Case& c : cases) {
        std::vector<TaskRecord> tasks;
        EXPECT_FALSE(pim::parseTasks(c.text, tasks)) << c.text;
        EXPECT_EQ(tasks.size(), c.whole) << c.text;
    }
    writeHost("Windows/tasks.dat", cases[0].text);
    std::vector<TaskRecord> tasks;
    ASSERT_TRUE(pim::loadTasks(tasks));
    EXPECT_EQ(tasks.size(), 2u);
    EXPECT_EQ(readHost("Windows/tasks.dat.damaged"), cases[0].text);
    TaskRecord added{0, u"After the damage", u""};
    ASSERT_TRUE(pim::storeTask(added));
    EXPECT_EQ(added.oid, 3u);
    std::vector<TaskRecord> now;
    EXPECT_TRUE(pim::parseTasks(readHost("Windows/tasks.dat"), now));
    EXPECT_EQ(now.size(), 3u);
}

TEST_F(TaskStore, AStoreThatCannotBeReadRefusesWrites) {
    std::filesystem::create_directories(host("Windows/tasks.dat"));
    std::vector<TaskRecord> tasks;
    EXPECT_FALSE(pim::loadTasks(tasks));
    TaskRecord t{0, u"Milk", u""};
    EXPECT_FALSE(pim::storeTask(t));
    EXPECT_EQ(t.oid, 0u);
    EXPECT_TRUE(device::storedTasks().empty());
}

}  // namespace
}  // namespace pimtest
