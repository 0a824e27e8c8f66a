// The application object of the task store.
#include <cstdio>

#include "platform/pim/pim_objects.h"
#include "platform/system/program_identity.h"
#include "winbase.h"
#include "winuser.h"

namespace pim {
namespace {
int alive = 0;
}

int liveObjects() { return alive; }
void countObject(int change) { alive += change; }

OutlookApp::OutlookApp() { countObject(1); }
OutlookApp::~OutlookApp() { countObject(-1); }

HRESULT OutlookApp::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IPOutlookApp)) {
        *ppv = static_cast<IPOutlookApp*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG OutlookApp::AddRef() { return ++references_; }

ULONG OutlookApp::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT OutlookApp::Logon(HWND hWnd) {
    if (hWnd && !IsWindow(hWnd)) return E_INVALIDARG;
    if (loggedOn_) return S_OK;
    // Tasks of the old store file move into the folder at the first logon
    // that can write them; until then they stay where they are.
    if (!moveOldTasks())
        std::fprintf(stderr, "%s: the tasks of \\Windows\\tasks.dat could not be moved to %s (error %u); "
                             "they are kept there and moved at the next logon\n",
                     device::programIdentity().command.c_str(), taskFolder().c_str(), (unsigned)GetLastError());
    // The store must be readable; what it holds is read again by each Save.
    std::vector<TaskRecord> tasks;
    if (!loadTasks(tasks)) return E_FAIL;
    loggedOn_ = true;
    return S_OK;
}

HRESULT OutlookApp::Logoff() {
    loggedOn_ = false;
    return S_OK;
}

HRESULT OutlookApp::CreateItem(int olItem, IDispatch** ppPOOMItem) {
    if (!ppPOOMItem) return E_POINTER;
    *ppPOOMItem = nullptr;
    if (!loggedOn_) return E_FAIL;
    if (olItem != olTaskItem) return E_INVALIDARG;
    *ppPOOMItem = new TaskItem(this);
    return S_OK;
}

}  // namespace pim
