// A task item of the task store.
#include <algorithm>

#include "platform/pim/pim_objects.h"
#include "platform/pim/task_editor.h"
#include "winbase.h"
#include "winerror.h"
#include "winuser.h"

namespace pim {
namespace {

bool changed(const TaskRecord& now, const TaskRecord& before) {
    return now.subject != before.subject || now.body != before.body || now.completed != before.completed;
}

// In the device's own message box, over the window in front.
void reportUnsaved() {
    const bool full = GetLastError() == ERROR_DISK_FULL;
    MessageBoxW(GetForegroundWindow(),
                full ? u"The task could not be saved because the storage is full."
                     : u"The task could not be saved.",
                u"Tasks", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

TaskItem::TaskItem(OutlookApp* app) : app_(app) {
    app_->AddRef();
    countObject(1);
}

TaskItem::~TaskItem() {
    app_->Release();
    countObject(-1);
}

HRESULT TaskItem::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_ITask)) {
        *ppv = static_cast<ITask*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG TaskItem::AddRef() { return ++references_; }

ULONG TaskItem::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

// A null text is the empty one, as with the device's strings.
HRESULT TaskItem::put_Subject(BSTR pwsz) {
    record_.subject = pwsz ? pwsz : u"";
    return S_OK;
}

HRESULT TaskItem::put_Body(BSTR pwsz) {
    record_.body = pwsz ? pwsz : u"";
    return S_OK;
}

HRESULT TaskItem::Save() {
    if (!app_->loggedOn()) return E_FAIL;
    return storeTask(record_) ? S_OK : E_FAIL;
}

HRESULT TaskItem::Display() {
    // The editor lists the store's tasks with this one shown first.
    std::vector<TaskRecord> tasks;
    if (app_->loggedOn()) loadTasks(tasks);
    auto own = std::find_if(tasks.begin(), tasks.end(),
                            [&](const TaskRecord& t) { return !record_.uid.empty() && t.uid == record_.uid; });
    if (own == tasks.end()) own = tasks.insert(tasks.end(), record_);
    else *own = record_;
    const size_t ownIndex = (size_t)(own - tasks.begin());
    const std::vector<TaskRecord> before = tasks;
    size_t shown = ownIndex;
    if (!runTaskEditor(tasks, shown)) return E_FAIL;
    record_.subject = tasks[ownIndex].subject;
    record_.body = tasks[ownIndex].body;
    if (!app_->loggedOn()) return S_OK;
    // What the editor changed, or a task shown before it was ever saved, is
    // stored as the editor closes; a store that refuses it is said at once,
    // or the person would take the task for kept.
    bool stored = true;
    if (changed(tasks[ownIndex], before[ownIndex]) || record_.oid == 0) stored = storeTask(record_);
    if (shown != ownIndex && changed(tasks[shown], before[shown])) stored = storeTask(tasks[shown]) && stored;
    if (!stored) reportUnsaved();
    return stored ? S_OK : E_FAIL;
}

}  // namespace pim
