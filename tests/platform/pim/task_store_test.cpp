// The store's folder: what goes in comes back, texts of every kind survive,
// other programs' files keep what we do not understand, a damaged file is
// skipped and left alone, and the old store file moves over once.
#include "pim_fixture.h"

#include <filesystem>

#include "platform/system/storage_limit.h"
#include "winbase.h"
#include "winerror.h"

using pim::TaskRecord;

namespace pimtest {
namespace {

// Windows-1252 letters and what iCalendar escapes; letters beyond the code page.
const char16_t kQuotes[] = u"Joe's \"cr\u00E8me br\u00FBl\u00E9e\" \u2013 5\u20AC; a,b\\c";
const char16_t kWide[] = u"\u65E5\u672C\u8A9E \U0001F95B \u0416";

TaskRecord unsaved(std::u16string subject, std::u16string body) {
    TaskRecord t;
    t.subject = std::move(subject);
    t.body = std::move(body);
    return t;
}

std::vector<std::string> icsFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Written by another program: a property, a parameter and a component we
// do not use, folded lines, and a task that is done.
const char kForeign[] =
    "BEGIN:VCALENDAR\r\n"
    "VERSION:2.0\r\n"
    "PRODID:-//Someone Else//Their Tasks//EN\r\n"
    "BEGIN:VTODO\r\n"
    "UID:their-task-1@example.org\r\n"
    "DTSTAMP:20250101T120000Z\r\n"
    "SUMMARY;LANGUAGE=en:Water the plants\r\n"
    "DESCRIPTION:The fern first\\, then the pal\r\n"
    " ms\r\n"
    "STATUS:COMPLETED\r\n"
    "PRIORITY:1\r\n"
    "CATEGORIES:Home,Garden\r\n"
    "X-THEIR-COLOUR:green\r\n"
    "BEGIN:VALARM\r\n"
    "ACTION:DISPLAY\r\n"
    "DESCRIPTION:Plants\r\n"
    "TRIGGER:-PT15M\r\n"
    "END:VALARM\r\n"
    "END:VTODO\r\n"
    "END:VCALENDAR\r\n";

using TaskStore = PimTest;

TEST_F(TaskStore, TasksComeBackAsTheyWentInEachAFileNamedAfterItsUid) {
    TaskRecord milk = unsaved(kQuotes, u"100% butter\tand\r\nsugar\r\n");
    TaskRecord bread = unsaved(kWide, u"");
    ASSERT_TRUE(pim::storeTask(milk));
    ASSERT_TRUE(pim::storeTask(bread));
    EXPECT_EQ(milk.oid, 1u);
    EXPECT_EQ(bread.oid, 2u);
    EXPECT_NE(milk.uid, bread.uid);
    const std::string folder = host("Windows/Tasks");
    EXPECT_EQ(pim::taskFolder(), folder);
    EXPECT_EQ(icsFiles(folder), (std::vector<std::string>{std::min(milk.uid, bread.uid) + ".ics",
                                                          std::max(milk.uid, bread.uid) + ".ics"}));
    std::string text = readHost("Windows/Tasks/" + milk.uid + ".ics");
    for (const char* line : {"BEGIN:VCALENDAR\r\n", "VERSION:2.0\r\n", "PRODID:", "BEGIN:VTODO\r\n", "CREATED:20",
                             "DTSTAMP:20", "LAST-MODIFIED:20", "STATUS:NEEDS-ACTION\r\n",
                             "DESCRIPTION:100% butter\tand\\nsugar\\n\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_NE(text.find("UID:" + milk.uid + "\r\n"), std::string::npos);
    EXPECT_EQ(readHost("Windows/Tasks/" + bread.uid + ".ics").find("DESCRIPTION"), std::string::npos);

    milk.subject = kWide;
    milk.completed = true;
    ASSERT_TRUE(pim::storeTask(milk));
    EXPECT_EQ(milk.oid, 1u);
    std::vector<TaskRecord> tasks = device::storedTasks();
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].oid, 1u);
    EXPECT_EQ(tasks[0].subject, kWide);
    EXPECT_EQ(tasks[0].body, u"100% butter\tand\r\nsugar\r\n");
    EXPECT_TRUE(tasks[0].completed);
    EXPECT_EQ(tasks[1].subject, kWide);
    EXPECT_EQ(tasks[1].body, u"");
    // A task whose file went meanwhile comes back under its UID and number.
    std::filesystem::remove(folder + "/" + bread.uid + ".ics");
    ASSERT_TRUE(pim::storeTask(bread));
    EXPECT_EQ(bread.oid, 2u);
    EXPECT_EQ(device::storedTasks().size(), 2u);
    EXPECT_EQ(icsFiles(folder).size(), 2u);  // no temporary file left
}

TEST_F(TaskStore, AnotherProgramsTaskKeepsAllWeDoNotUseAndADamagedFileIsLeftAlone) {
    writeHost("Windows/Tasks/theirs.ics", kForeign);
    const std::string broken = "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:cut\r\nSUMMARY:Cut sh";
    const std::string noTask =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:e\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    writeHost("Windows/Tasks/broken.ics", broken);
    writeHost("Windows/Tasks/event.ics", noTask);
    testing::internal::CaptureStderr();
    std::vector<TaskRecord> tasks;
    ASSERT_TRUE(pim::loadTasks(tasks));
    ASSERT_TRUE(pim::loadTasks(tasks));
    std::string said = testing::internal::GetCapturedStderr();
    // Each damaged file is said once a run.
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
    EXPECT_NE(said.find("broken.ics"), std::string::npos);
    EXPECT_NE(said.find("event.ics"), std::string::npos);
    ASSERT_EQ(tasks.size(), 1u);
    TaskRecord theirs = tasks[0];
    EXPECT_EQ(theirs.uid, "their-task-1@example.org");
    EXPECT_EQ(theirs.subject, u"Water the plants");
    EXPECT_EQ(theirs.body, u"The fern first, then the palms");
    EXPECT_TRUE(theirs.completed);

    // Storing what did not change writes nothing; a changed subject changes
    // that alone (with the times of the change).
    ASSERT_TRUE(pim::storeTask(theirs));
    EXPECT_EQ(readHost("Windows/Tasks/theirs.ics"), kForeign);
    theirs.subject = u"Water the plants; all of them";
    ASSERT_TRUE(pim::storeTask(theirs));
    std::string text = readHost("Windows/Tasks/theirs.ics");
    for (const char* kept : {"PRODID:-//Someone Else//Their Tasks//EN",
                             "SUMMARY;LANGUAGE=en:Water the plants\\; all of them",
                             "DESCRIPTION:The fern first\\, then the palms", "STATUS:COMPLETED", "PRIORITY:1",
                             "CATEGORIES:Home", "CATEGORIES:Garden",  // libical writes one a line
                             "X-THEIR-COLOUR:green", "BEGIN:VALARM", "TRIGGER:-PT15M",
                             "LAST-MODIFIED:20"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
    EXPECT_EQ(text.find("DTSTAMP:20250101T120000Z"), std::string::npos);
    EXPECT_EQ(icsFiles(host("Windows/Tasks")), (std::vector<std::string>{"broken.ics", "event.ics", "theirs.ics"}));
    EXPECT_EQ(readHost("Windows/Tasks/broken.ics"), broken);
    EXPECT_EQ(readHost("Windows/Tasks/event.ics"), noTask);
    EXPECT_EQ(device::storedTasks()[0].oid, theirs.oid);
}

TEST_F(TaskStore, TheOldFileMovesOverOnceAndStaysWhenTheMoveFails) {
    const std::string old =
        "testprog-tasks 1\ntask\t1\tMilk\t2%20litres%0D%0Afull%20fat\ntask\t4\tBread\t%\ntask\t5\tcut";
    writeHost("Windows/tasks.dat", old);
    // A full store moves nothing and keeps the old file.
    device::fsSetStorageLimit(device::fsStorageUsed() + 10);
    EXPECT_FALSE(pim::moveOldTasks());
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DISK_FULL);
    EXPECT_TRUE(device::storedTasks().empty());
    EXPECT_EQ(readHost("Windows/tasks.dat"), old);
    device::fsSetStorageLimit(0);
    ASSERT_TRUE(pim::moveOldTasks());
    std::vector<TaskRecord> tasks = device::storedTasks();
    ASSERT_EQ(tasks.size(), 2u);  // what was whole of it
    EXPECT_EQ(tasks[0].subject, u"Milk");
    EXPECT_EQ(tasks[0].body, u"2 litres\r\nfull fat");
    EXPECT_EQ(tasks[1].subject, u"Bread");
    EXPECT_FALSE(std::filesystem::exists(host("Windows/tasks.dat")));
    EXPECT_EQ(readHost("Windows/tasks.dat.moved"), old);
    EXPECT_EQ(readHost("Windows/tasks.dat.damaged"), old);
    ASSERT_TRUE(pim::moveOldTasks());  // nothing more to move
    EXPECT_EQ(device::storedTasks().size(), 2u);
}

TEST_F(TaskStore, AFolderThatCannotBeReadRefusesWritesAndAnyFolderCanBeTheStore) {
    writeHost("Windows/Tasks", "a file in the folder's place");
    std::vector<TaskRecord> tasks;
    EXPECT_FALSE(pim::loadTasks(tasks));
    TaskRecord t = unsaved(u"Milk", u"");
    EXPECT_FALSE(pim::storeTask(t));
    EXPECT_EQ(t.oid, 0u);
    EXPECT_TRUE(t.uid.empty());
    EXPECT_TRUE(device::storedTasks().empty());
    pim::setTaskFolder(base + "/synced/");
    EXPECT_EQ(pim::taskFolder(), base + "/synced");
    ASSERT_TRUE(pim::storeTask(t));
    EXPECT_TRUE(std::filesystem::exists(base + "/synced/" + t.uid + ".ics"));
}

}  // namespace
}  // namespace pimtest
