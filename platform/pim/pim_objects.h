// The objects of the task store's library: the application object and its
// task items. Private to platform/pim.
#pragma once

#include "pimstore.h"
#include "platform/pim/task_store.h"

namespace pim {

// Objects alive now (application objects and tasks), for the tests that
// check that every reference a program took was given back.
int liveObjects();
// Each object's constructor counts 1 and its destructor -1.
void countObject(int change);

class OutlookApp final : public IPOutlookApp {
public:
    OutlookApp();
    ~OutlookApp();
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Logon(HWND hWnd) override;
    HRESULT STDMETHODCALLTYPE Logoff() override;
    HRESULT STDMETHODCALLTYPE CreateItem(int olItem, IDispatch** ppPOOMItem) override;

    bool loggedOn() const { return loggedOn_; }

private:
    ULONG references_ = 1;
    bool loggedOn_ = false;
};

class TaskItem final : public ITask {
public:
    explicit TaskItem(OutlookApp* app);  // holds a reference to the app
    ~TaskItem();
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE put_Subject(BSTR pwsz) override;
    HRESULT STDMETHODCALLTYPE put_Body(BSTR pwsz) override;
    HRESULT STDMETHODCALLTYPE Save() override;
    HRESULT STDMETHODCALLTYPE Display() override;

private:
    ULONG references_ = 1;
    OutlookApp* app_;
    TaskRecord record_;
};

}  // namespace pim
