#include "platform/pim/task_store.h"

#include <errno.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/pim/task_ics.h"
#include "platform/system/device_fs.h"
#include "platform/system/program_identity.h"
#include "winbase.h"
#include "winerror.h"

namespace pim {
namespace {

namespace fs = std::filesystem;

// What this run knows of a folder's tasks: each UID's oid and file, and the
// files already said to be unreadable.
struct Known {
    DWORD oid = 0;
    std::string file;  // the name inside the folder
};
struct FolderState {
    std::string folder;
    std::map<std::string, Known> byUid;
    DWORD nextOid = 1;
    std::set<std::string> reported;
};

std::string& folderOption() {
    static std::string dir;
    return dir;
}

// The state of `folder`, begun afresh when the store moved to another.
FolderState& stateOf(const std::string& folder) {
    static FolderState s;
    if (s.folder != folder) {
        s = FolderState{};
        s.folder = folder;
    }
    return s;
}

bool readHostFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return !in.bad();
}

void reportUnreadable(FolderState& s, const std::string& path) {
    if (!s.reported.insert(path).second) return;
    std::fprintf(stderr, "%s: %s is not a task libical can read; it is skipped and left as it is\n",
                 device::programIdentity().command.c_str(), path.c_str());
}

bool isTaskFileName(const std::string& name) {
    return name.size() > 4 && name[0] != '.' && name.compare(name.size() - 4, 4, ".ics") == 0;
}

struct Found {
    TaskRecord task;
    std::string file;
    std::string created;  // CREATED in UTC, for the order of tasks new to this run
};

// The folder's readable tasks by file name; false when it cannot be listed.
bool scanFolder(FolderState& s, std::vector<Found>& found) {
    std::error_code ec;
    fs::file_status st = fs::status(s.folder, ec);
    if (!fs::exists(st)) return true;
    if (!fs::is_directory(st)) {
        SetLastError(ERROR_DIRECTORY);
        return false;
    }
    std::vector<std::string> names;
    for (fs::directory_iterator it(s.folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (isTaskFileName(name) && it->is_regular_file(typeError)) names.push_back(name);
    }
    if (ec) {
        SetLastError(device::errorFromErrno(ec.value(), ERROR_PATH_NOT_FOUND));
        return false;
    }
    std::sort(names.begin(), names.end());
    std::set<std::string> uids;
    for (const std::string& name : names) {
        const std::string path = s.folder + "/" + name;
        Found f;
        std::string bytes;
        if (!readHostFile(path, bytes) || !parseTaskFile(bytes, f.task, &f.created) ||
            !uids.insert(f.task.uid).second) {
            reportUnreadable(s, path);
            continue;
        }
        f.file = name;
        found.push_back(std::move(f));
    }
    return true;
}

SYSTEMTIME utcNow() {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return now;
}

bool makeFolder(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec && fs::is_directory(folder, ec)) return true;
    SetLastError(ec ? device::errorFromErrno(ec.value(), ERROR_PATH_NOT_FOUND) : ERROR_DIRECTORY);
    return false;
}

}  // namespace

void setTaskFolder(const std::string& hostDir) {
    std::error_code ec;
    folderOption() = hostDir.empty() ? std::string() : fs::absolute(hostDir, ec).lexically_normal().string();
    while (folderOption().size() > 1 && folderOption().back() == '/') folderOption().pop_back();
}

std::string taskFolder() {
    if (!folderOption().empty()) return folderOption();
    std::string host;
    if (device::deviceToHost(kDefaultTaskFolder, host)) return host;
    return device::fsRoot() + "/Windows/Tasks";
}

bool loadTasks(std::vector<TaskRecord>& tasks) {
    tasks.clear();
    FolderState& s = stateOf(taskFolder());
    std::vector<Found> found;
    if (!scanFolder(s, found)) return false;
    // Tasks new to this run are numbered in the order they were made.
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.created < b.created; });
    for (Found& f : found) {
        Known& k = s.byUid[f.task.uid];
        if (k.oid == 0) k.oid = s.nextOid++;
        k.file = f.file;
        f.task.oid = k.oid;
        tasks.push_back(std::move(f.task));
    }
    std::sort(tasks.begin(), tasks.end(), [](const TaskRecord& a, const TaskRecord& b) { return a.oid < b.oid; });
    return true;
}

bool storeTask(TaskRecord& task) {
    FolderState& s = stateOf(taskFolder());
    if (!makeFolder(s.folder)) return false;
    const SYSTEMTIME now = utcNow();
    TaskRecord stored = task;
    std::string file, text;
    auto known = task.uid.empty() ? s.byUid.end() : s.byUid.find(task.uid);
    if (task.uid.empty()) stored.uid = newTaskUid();
    file = known != s.byUid.end() ? known->second.file : stored.uid + ".ics";
    const std::string path = s.folder + "/" + file;
    std::string old;
    std::error_code ec;
    if (!task.uid.empty() && fs::exists(path, ec)) {
        bool changed = false;
        if (!readHostFile(path, old) || !updateTaskFile(old, stored, now, text, changed)) {
            // Never written over: it is another program's, or damaged.
            reportUnreadable(s, path);
            SetLastError(ERROR_INVALID_DATA);
            return false;
        }
        if (!changed) return true;
    } else {
        // New, or a task whose file went meanwhile: it comes back rather
        // than being lost.
        text = newTaskFile(stored, now);
    }
    if (!device::replaceHostFile(path, text)) return false;
    Known& k = s.byUid[stored.uid];
    if (k.oid == 0) k.oid = s.nextOid++;
    k.file = file;
    task.uid = stored.uid;
    task.oid = k.oid;
    return true;
}

bool removeTask(const TaskRecord& task) {
    FolderState& s = stateOf(taskFolder());
    auto known = s.byUid.find(task.uid);
    if (task.uid.empty() || known == s.byUid.end()) return true;
    const std::string path = s.folder + "/" + known->second.file;
    if (std::remove(path.c_str()) != 0 && errno != ENOENT) {
        SetLastError(device::errorFromErrno(errno));
        return false;
    }
    s.byUid.erase(known);
    return true;
}

}  // namespace pim

namespace device {

std::vector<pim::TaskRecord> storedTasks() {
    std::vector<pim::TaskRecord> tasks;
    pim::loadTasks(tasks);
    return tasks;
}

}  // namespace device
