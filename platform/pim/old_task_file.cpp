// The file the device kept its tasks in before the task folder,
// "\Windows\tasks.dat", in the field form of platform/system/text_fields.h:
//
//   <program>-tasks 1
//   task <oid> <subject> <body>
//
// one task a line. Its tasks are moved into the folder once; a damaged file
// gives what was whole and is kept beside as "tasks.dat.damaged".
#include <errno.h>

#include <cstdio>

#include "platform/pim/task_store.h"
#include "platform/system/device_fs.h"
#include "platform/system/program_identity.h"
#include "platform/system/text_fields.h"
#include "winbase.h"
#include "winerror.h"

namespace pim {
namespace {


bool parseOid(std::string_view field, DWORD& oid) {
    if (field.empty() || field.size() > 10 || field[0] == '0') return false;
    unsigned long long v = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (unsigned)(c - '0');
    }
    if (v > 0xFFFFFFFFull) return false;
    oid = (DWORD)v;
    return true;
}

bool parseTaskLine(std::string_view line, TaskRecord& task) {
    std::vector<std::string_view> f = device::splitFields(line);
    return f.size() == 4 && f[0] == "task" && parseOid(f[1], task.oid) && device::unescapeField(f[2], task.subject) &&
           device::unescapeField(f[3], task.body);
}

void takeBack(const std::vector<TaskRecord>& moved) {
    for (const TaskRecord& t : moved) removeTask(t);
}

}  // namespace

bool parseTasks(std::string_view text, std::vector<TaskRecord>& tasks) {
    tasks.clear();
    size_t pos = 0;
    bool header = true;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        // A last line without its line end was cut short.
        if (eol == std::string_view::npos) return false;
        std::string_view line = text.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (header) {
            if (line != device::deviceFileHeader("tasks")) return false;
            header = false;
            continue;
        }
        TaskRecord task;
        if (!parseTaskLine(line, task)) return false;
        for (const TaskRecord& t : tasks)
            if (t.oid == task.oid) return false;
        tasks.push_back(std::move(task));
    }
    return true;
}

bool moveOldTasks() {
    std::vector<uint8_t> bytes;
    if (!device::readDeviceFile(kOldTaskFile, bytes)) return GetLastError() == ERROR_FILE_NOT_FOUND;
    std::vector<TaskRecord> old;
    if (!parseTasks(std::string_view((const char*)bytes.data(), bytes.size()), old))
        device::keepDamagedCopy(kOldTaskFile);
    // All or none, so that a retry after a failure makes no task twice.
    std::vector<TaskRecord> moved;
    for (TaskRecord t : old) {
        t.oid = 0;
        if (!storeTask(t)) {
            DWORD error = GetLastError();
            takeBack(moved);
            SetLastError(error);
            return false;
        }
        moved.push_back(t);
    }
    std::string host;
    if (!device::deviceToHost(kOldTaskFile, host) || std::rename(host.c_str(), (host + ".moved").c_str()) != 0) {
        DWORD error = device::errorFromErrno(errno);
        takeBack(moved);
        SetLastError(error);
        return false;
    }
    return true;
}

}  // namespace pim
