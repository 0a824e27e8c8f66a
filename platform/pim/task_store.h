// The task store: the device's tasks, one iCalendar file a task in a folder
// (the layout calendar programs and their sync tools share: a VTODO per
// ".ics" file, named after its UID; platform/pim/task_ics.h). The folder is
// "\Windows\Tasks" in the device root unless the host points the store at
// another (setTaskFolder, the host's --tasks).
//
// Other programs may write the folder too: every .ics file holding a VTODO
// is a task; one that libical cannot read (or that holds no VTODO) is
// skipped, said once a run on the host's standard error, and never
// rewritten or removed. A task is rewritten whole (replaceHostFile: written
// beside and renamed, so an interrupted write leaves the previous file),
// with only what changed changed. A full store fails with ERROR_DISK_FULL.
//
// A task's oid, the device's number for it, is given the first time the
// store sees its UID in this run and stays the same while the program runs
// (1, 2, ... in the order the tasks were made).
//
// The device once kept its tasks in one file, "\Windows\tasks.dat"
// (old_task_file.cpp): moveOldTasks turns its tasks into files of the folder
// once and renames it to "tasks.dat.moved".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "windef.h"

namespace pim {

struct TaskRecord {
    DWORD oid = 0;  // 0: not stored yet
    std::u16string subject;
    std::u16string body;       // lines end in CR LF, as the device's texts do
    bool completed = false;    // STATUS:COMPLETED
    std::string uid;           // empty: not stored yet
};

inline constexpr const char16_t* kDefaultTaskFolder = u"\\Windows\\Tasks";
inline constexpr const char16_t* kOldTaskFile = u"\\Windows\\tasks.dat";

// Points the store at a host folder (made absolute); empty: the default
// folder of the current device root.
void setTaskFolder(const std::string& hostDir);
// The host folder the store uses now.
std::string taskFolder();

// The tasks of the folder in the order of their oids (an absent folder is an
// empty store). False (with the last error set) when the folder is there but
// cannot be read: a file in its place, or no permission.
bool loadTasks(std::vector<TaskRecord>& tasks);
// Writes the task into the store: a new one (no uid) gets a new UID, its
// file and the next oid; one already stored has what changed rewritten (a
// file that went meanwhile is written again). False, with the last error
// set and the task as it was, when the folder or the file cannot be written
// or the task's file can no longer be read.
bool storeTask(TaskRecord& task);
// Removes the task's file. False when it cannot be removed.
bool removeTask(const TaskRecord& task);

// The tasks of an old store file's text, as far as it is whole; false when
// something was left unread.
bool parseTasks(std::string_view text, std::vector<TaskRecord>& tasks);
// Moves the old store file's tasks into the folder, all or none: true when
// there was nothing to move or all were moved and the old file renamed.
bool moveOldTasks();

}  // namespace pim

namespace device {

// What the store holds now, for the automation's dump and the tests.
std::vector<pim::TaskRecord> storedTasks();

}  // namespace device
