// A task item of the task store.
#include "platform/pim/pim_objects.h"
#include "platform/pim/task_editor.h"

namespace pim {

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
    TaskRecord shown = record_;
    if (!runTaskEditor(shown)) return E_FAIL;
    bool changed = shown.subject != record_.subject || shown.body != record_.body;
    record_.subject = shown.subject;
    record_.body = shown.body;
    // What the editor changed, or a task shown before it was ever saved, is
    // stored as the editor closes.
    if ((changed || record_.oid == 0) && app_->loggedOn()) return storeTask(record_) ? S_OK : E_FAIL;
    return S_OK;
}

}  // namespace pim
