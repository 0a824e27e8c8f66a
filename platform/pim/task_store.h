// The task store: the device's tasks, kept in one file of the device root,
// "\Windows\tasks.dat", in the field form of platform/system/text_fields.h:
//
//   <program>-tasks 1
//   task <oid> <subject> <body>
//
// one task a line in the order they were made, <oid> the task's number
// (1, 2, ... never reused while the task is there). The file is replaced
// whole on every change (replaceDeviceFile), so an interrupted write leaves
// the previous tasks. A damaged file is read as far as it is whole: from
// the first line that is cut short or does not parse, nothing more is read,
// and the file is kept beside as "tasks.dat.damaged" before the next write
// replaces it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "windef.h"

namespace pim {

struct TaskRecord {
    DWORD oid = 0;  // 0: not stored yet
    std::u16string subject;
    std::u16string body;
};

inline constexpr const char16_t* kTaskStoreFile = u"\\Windows\\tasks.dat";

std::string serializeTasks(const std::vector<TaskRecord>& tasks);
// The tasks of a store file's text, as far as it is whole; false when
// something was left unread.
bool parseTasks(std::string_view text, std::vector<TaskRecord>& tasks);
// The tasks of the current device root (an absent file is an empty store);
// `whole` tells whether the file was read to its end. False when the file is
// there but cannot be read (a folder in its place).
bool readStore(std::vector<TaskRecord>& tasks, bool& whole);
// readStore, keeping a damaged file's copy.
bool loadTasks(std::vector<TaskRecord>& tasks);
// Writes the task into the store: a new one (oid 0) is added with the next
// number, which it is given; one already stored is replaced. False when the
// store could not be read or written (the task then keeps its oid).
bool storeTask(TaskRecord& task);

}  // namespace pim

namespace device {

// What the store holds now, for the automation's dump and the tests.
std::vector<pim::TaskRecord> storedTasks();

}  // namespace device
