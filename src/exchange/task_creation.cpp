#include "exchange/task_creation.h"

#include "common/message_dialog.h"
#include "outline/current_items.h"
#include "outline/tree_ops.h"
#include "pimstore.h"
#include "state/app_state.h"
#include "state/main_window_ids.h"
#include "storage/item_table.h"

// Sections: registering the server library | log on and off | Create Task |
// the editor poke

namespace {

enum {
    TASK_EDITOR_COMMAND = 105,
    WINDOW_TEXT_CHARS = 80,
    TASK_FOLLOW_UP_MS = 500,
};

// The task store's application object and whether it is logged on; both
// live for one Create Task command only.
struct PoomSession {
    IPOutlookApp* polApp = nullptr;
    int bLoggedOn = 0;
};

typedef HRESULT (*DllRegisterServerFn)();

// --- registering the server library ----------------------------------------

// Loads "pimstore.dll" and calls its DllRegisterServer; 1 when it answered 0.
int registerPimstore() {
    HMODULE library = LoadLibraryW(u"pimstore.dll");
    if (!library) {
        MessageBoxW(hwndMain,
                    u"RegisterFile: (A) Failed to register pimstore.dll. Please make sure its in the \\Windows folder",
                    nullptr, 0);
        return 0;
    }
    int registered = 0;
    DllRegisterServerFn registerServer = reinterpret_cast<DllRegisterServerFn>(GetProcAddress(library, u"DllRegisterServer"));
    if (!registerServer) {
        MessageBoxW(hwndMain, u"RegisterFile: DllRegisterServer is NULL", nullptr, 0);
    } else if (registerServer() != 0) {
        MessageBoxW(hwndMain, u"DllRegisterServer call failed", nullptr, 0);
    } else {
        registered = 1;
    }
    FreeLibrary(library);
    return registered;
}

// --- log on and off ----------------------------------------------------------

HRESULT createApplication(PoomSession& session) {
    void* object = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp, &object);
    session.polApp = SUCCEEDED(hr) ? static_cast<IPOutlookApp*>(object) : nullptr;
    return hr;
}

// 1 when logged on. A failure after COM was initialised uninitialises it
// again, so that no failed attempt leaves it initialised.
int logOnPoom(PoomSession& session) {
    if (session.bLoggedOn) return 1;
    if (FAILED(CoInitializeEx(nullptr, 0))) {
        MessageBoxW(hwndMain, u"Error in call to CoInitializeEx", u"Error", 0);
        return 0;
    }
    if (FAILED(createApplication(session))) {
        if (!registerPimstore()) {
            MessageBoxW(hwndMain,
                        u"Failed to Register pimstore.dll. See the 'Troubleshooting' section of the user guide.",
                        nullptr, 0);
            CoUninitialize();
            return 0;
        }
        if (FAILED(createApplication(session))) {
            MessageBoxW(hwndMain, u"CoCreateInstance failed. See the 'Troubleshooting' section of the user guide.",
                        nullptr, 0);
            CoUninitialize();
            return 0;
        }
    }
    if (FAILED(session.polApp->Logon(hwndMain))) {
        MessageBoxW(hwndMain, u"Failure to logon to app object.", u"Error", 0);
        session.polApp->Release();
        session.polApp = nullptr;
        CoUninitialize();
        return 0;
    }
    session.bLoggedOn = 1;
    return 1;
}

void logOffPoom(PoomSession& session) {
    session.bLoggedOn = 0;
    if (session.polApp) {
        session.polApp->Logoff();
        session.polApp->Release();
        session.polApp = nullptr;
    }
    CoUninitialize();
}

// --- Create Task ---------------------------------------------------------------

// Makes, fills and saves the task, then shows it with the editor poke
// started; 0 when it could not be made or saved (nothing is shown then).
int makeTask(PoomSession& session, ItemRecord& item) {
    IDispatch* dispatch = nullptr;
    if (FAILED(session.polApp->CreateItem(olTaskItem, &dispatch)) || !dispatch) return 0;
    // A task item's IDispatch is its ITask.
    ITask* task = static_cast<ITask*>(dispatch);
    HRESULT hr = task->put_Subject(item.strText);
    if (SUCCEEDED(hr) && item.strNoteText[0]) hr = task->put_Body(item.strNoteText);
    if (SUCCEEDED(hr)) hr = task->Save();
    if (FAILED(hr)) {
        task->Release();
        return 0;
    }
    SetTimer(hwndMain, TIMER_TASK_FOLLOW_UP, TASK_FOLLOW_UP_MS, nullptr);
    task->Display();
    task->Release();
    return 1;
}

}  // namespace

LRESULT onCreateTask(HWND, int, HWND, int) {
    HTREEITEM node = treeSelection(hwndMainTV);
    if (!node) return 0;
    ItemRecord item{};
    item.longID = getItemId(hwndMainTV, node);
    if (item.longID == 0) return 0;
    // An item whose row cannot be read would only give an empty task.
    if (!readItem(currentItemTable(), &item, ITEM_TEXTNOTE)) return 0;
    PoomSession session;
    if (!logOnPoom(session)) {
        messageDialog(hwndMain, u"Could not log on to POOM", u"Error", MD_STYLE_WARNING);
        return 0;
    }
    int made = makeTask(session, item);
    logOffPoom(session);
    if (!made) messageDialog(hwndMain, u"Could not create the task in POOM", u"Error", MD_STYLE_WARNING);
    SHSipPreference(hwndMain, SIP_DOWN);
    return 0;
}

// --- the editor poke -------------------------------------------------------------

void pokeTaskEditor() {
    HWND editor = FindWindowW(u"Dialog", u"Tasks");
    if (!editor) return;
    for (HWND child = GetWindow(editor, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        WCHAR text[WINDOW_TEXT_CHARS] = {};
        GetWindowTextW(child, text, WINDOW_TEXT_CHARS);
        if (wcscmp(text, u"Task") == 0) {
            SendMessageW(child, WM_COMMAND, TASK_EDITOR_COMMAND, 0);
            return;
        }
    }
}
