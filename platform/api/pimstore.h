// The device's task store, reached through its server library
// "pimstore.dll" (in "\Windows"): the application object, logged on with a
// window, makes task items; a task is given its subject and body, saved into
// the store, and shown in the device's task editor.
//
// The class is registered by the library's "DllRegisterServer" (HRESULT of
// no arguments); until then CoCreateInstance gives REGDB_E_CLASSNOTREG.
#pragma once

#include "objbase.h"

// Item types of CreateItem.
#define olTaskItem 3

inline constexpr CLSID CLSID_Application = {0x05058F23, 0x20BE, 0x11D2,
                                            {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
inline constexpr IID IID_IPOutlookApp = {0x05058F22, 0x20BE, 0x11D2,
                                         {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};
inline constexpr IID IID_ITask = {0x37C78CE0, 0x202C, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};

// A task item. Its texts may be set at any time; Save writes them to the
// store (the first Save adds the task, later ones update it) and fails with
// E_FAIL once the application has logged off or when the store cannot be
// written. Display shows the task in the task editor and returns when the
// editor is closed (see platform/pim/task_editor.h): what was changed there
// is saved, and a save the store refuses is said in a message box and gives
// E_FAIL.
struct ITask : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE put_Subject(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Body(BSTR pwsz) = 0;
    virtual HRESULT STDMETHODCALLTYPE Save() = 0;
    virtual HRESULT STDMETHODCALLTYPE Display() = 0;
};

// The application object. Logon opens the store, moving the tasks of an
// older store file into it (E_FAIL when its folder cannot be read;
// E_INVALIDARG for a window handle that is no window; a null window is
// allowed); a second Logon is S_OK. CreateItem needs a logon
// (E_FAIL before) and makes only tasks (E_INVALIDARG for other types); the
// new item comes back as its IDispatch, which is its ITask.
struct IPOutlookApp : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Logon(HWND hWnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE Logoff() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateItem(int olItem, IDispatch** ppPOOMItem) = 0;
};
