#include "platform/pim/task_store.h"

#include <algorithm>
#include <cstdlib>

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

}  // namespace

// The store file's tasks; false when it is there but cannot be read.
bool readStore(std::vector<TaskRecord>& tasks, bool& whole) {
    tasks.clear();
    std::vector<uint8_t> bytes;
    if (!device::readDeviceFile(kTaskStoreFile, bytes)) return GetLastError() == ERROR_FILE_NOT_FOUND;
    whole = parseTasks(std::string_view((const char*)bytes.data(), bytes.size()), tasks);
    return true;
}

std::string serializeTasks(const std::vector<TaskRecord>& tasks) {
    std::string out = device::deviceFileHeader("tasks") + "\n";
    for (const TaskRecord& t : tasks)
        out += "task\t" + std::to_string(t.oid) + "\t" + device::escapeField(t.subject) + "\t" +
               device::escapeField(t.body) + "\n";
    return out;
}

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

bool loadTasks(std::vector<TaskRecord>& tasks) {
    bool whole = true;
    if (!readStore(tasks, whole)) return false;
    if (!whole) device::keepDamagedCopy(kTaskStoreFile);
    return true;
}

bool storeTask(TaskRecord& task) {
    std::vector<TaskRecord> tasks;
    if (!loadTasks(tasks)) return false;
    TaskRecord stored = task;
    auto same = std::find_if(tasks.begin(), tasks.end(), [&](const TaskRecord& t) { return t.oid == task.oid; });
    if (task.oid != 0 && same != tasks.end()) {
        *same = stored;
    } else {
        // A task whose record went (the file was replaced meanwhile) comes
        // back as a new one rather than being lost.
        DWORD largest = 0;
        for (const TaskRecord& t : tasks) largest = std::max(largest, t.oid);
        if (largest == 0xFFFFFFFF) return false;
        stored.oid = largest + 1;
        tasks.push_back(stored);
    }
    if (!device::replaceDeviceFile(kTaskStoreFile, serializeTasks(tasks))) return false;
    task.oid = stored.oid;
    return true;
}

}  // namespace pim

namespace device {

std::vector<pim::TaskRecord> storedTasks() {
    // A look only: a damaged file is left as it is.
    std::vector<pim::TaskRecord> tasks;
    bool whole = true;
    pim::readStore(tasks, whole);
    return tasks;
}

}  // namespace device
