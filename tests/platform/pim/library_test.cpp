// The store's library and its class: found only while its file is there,
// registered by its own DllRegisterServer, and made by CoCreateInstance
// only once it is registered.
#include "pim_fixture.h"

#include <filesystem>

#include "platform/pim/pim_objects.h"
#include "platform/system/module_images.h"

namespace pimtest {
namespace {

using Library = PimTest;

HRESULT createApp(IPOutlookApp** app) {
    void* object = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IPOutlookApp, &object);
    *app = static_cast<IPOutlookApp*>(object);
    return hr;
}

HRESULT registerClass() {
    HMODULE library = LoadLibraryW(u"pimstore.dll");
    if (!library) return E_FAIL;
    HRESULT hr = GetProcAddress(library, u"DllRegisterServer")();
    FreeLibrary(library);
    return hr;
}

TEST_F(Library, LoadedOnlyWhileItsFileIsThereAndOnlyWhenItIsALibrary) {
    HMODULE first = LoadLibraryW(u"pimstore.dll");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LoadLibraryW(u"\\WINDOWS\\PimStore.dll"), first);  // the same file, another reference
    EXPECT_NE(GetProcAddress(first, u"DllRegisterServer"), nullptr);
    EXPECT_NE(GetProcAddress(first, u"DllGetClassObject"), nullptr);
    EXPECT_EQ(GetProcAddress(first, u"dllregisterserver"), nullptr);  // names match exactly
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(GetProcAddress(first, MAKEINTRESOURCEW(1)), nullptr);
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_EQ(GetProcAddress(first, u"DllRegisterServer"), nullptr);

    std::filesystem::remove(host("Windows/pimstore.dll"));
    EXPECT_EQ(LoadLibraryW(u"pimstore.dll"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);
    for (std::string junk : {std::string(""), std::string("MZ\x90\x00", 4),
                             std::string("testprog-library 1\nimage nothere\n"),
                             std::string("testprog-library 1\nimage pimstore\nexport DllCanUnloadNow\n")}) {
        writeHost("Windows/pimstore.dll", junk);
        EXPECT_EQ(LoadLibraryW(u"pimstore.dll"), nullptr) << junk;
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_EXE_FORMAT) << junk;
    }
    // A file may export less than its image has.
    writeHost("Windows/pimstore.dll", "testprog-library 1\nimage pimstore\nexport DllGetClassObject\n");
    HMODULE partial = LoadLibraryW(u"pimstore.dll");
    ASSERT_NE(partial, nullptr);
    EXPECT_EQ(GetProcAddress(partial, u"DllRegisterServer"), nullptr);
    FreeLibrary(partial);
}

TEST_F(Library, TheClassIsMadeOnlyOnceItsLibraryRegisteredIt) {
    IPOutlookApp* app = nullptr;
    EXPECT_EQ(createApp(&app), CO_E_NOTINITIALIZED);
    EXPECT_EQ(app, nullptr);
    ASSERT_EQ(CoInitializeEx(nullptr, 0), S_OK);
    EXPECT_EQ(createApp(&app), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(registerClass(), S_OK);
    // The registration is in the registry file already.
    EXPECT_NE(readHost("Windows/registry.dat").find("CLSID\\{05058F23-20BE-11D2-8F18-0000F87A4335}\\InprocServer32"),
              std::string::npos);
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_LOCAL_SERVER, IID_IPOutlookApp, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(CLSID_Application, (IUnknown*)&object, CLSCTX_INPROC_SERVER, IID_IPOutlookApp, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_Application, nullptr, CLSCTX_INPROC_SERVER, IID_IClassFactory, &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(createApp(&app), S_OK);
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(pim::liveObjects(), 1);
    EXPECT_EQ(app->Release(), 0u);

    // The library stays loaded until COM is uninitialised on the thread.
    CoUninitialize();
    ASSERT_EQ(CoInitializeEx(nullptr, 0), S_OK);
    // Without its file the registered class has no server.
    std::filesystem::remove(host("Windows/pimstore.dll"));
    EXPECT_EQ(createApp(&app), HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
    // A library that does not give out its classes.
    writeHost("Windows/pimstore.dll", "testprog-library 1\nimage pimstore\nexport DllRegisterServer\n");
    EXPECT_EQ(createApp(&app), CO_E_ERRORINDLL);
    EXPECT_EQ(app, nullptr);
    CoUninitialize();
}

TEST_F(Library, ARegistrationThatCannotBeWrittenIsNone) {
    // The registry's temporary file cannot be made while a folder has its name.
    std::filesystem::create_directories(host("Windows/registry.dat.tmp"));
    EXPECT_EQ(registerClass(), SELFREG_E_CLASS);
    ASSERT_EQ(CoInitializeEx(nullptr, 0), S_OK);
    IPOutlookApp* app = nullptr;
    EXPECT_EQ(createApp(&app), REGDB_E_CLASSNOTREG);
    CoUninitialize();
    std::filesystem::remove(host("Windows/registry.dat.tmp"));
    EXPECT_EQ(registerClass(), S_OK);
}

TEST_F(Library, EachThreadChoosesItsModelOnceAndBalancesItsCalls) {
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(&steps_, 0), E_INVALIDARG);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
    CoUninitialize();  // one too many does no harm
}

TEST_F(Library, TheApplicationLogsOnToAReadableStoreAndMakesOnlyTasks) {
    IPOutlookApp* app = logOn();
    ASSERT_NE(app, nullptr);
    IDispatch* item = nullptr;
    EXPECT_EQ(app->CreateItem(1, &item), E_INVALIDARG);
    ASSERT_EQ(app->CreateItem(olTaskItem, &item), S_OK);
    ITask* task = nullptr;
    ASSERT_EQ(item->QueryInterface(IID_ITask, (void**)&task), S_OK);
    EXPECT_EQ(task, static_cast<ITask*>(item));  // its IDispatch is its ITask
    item->Release();
    WCHAR subject[] = u"Milk";
    task->put_Subject(subject);
    task->put_Body(nullptr);
    EXPECT_EQ(task->Save(), S_OK);
    EXPECT_EQ(task->Save(), S_OK);  // the same task again, not a second one
    EXPECT_EQ(app->Logoff(), S_OK);
    EXPECT_EQ(task->Save(), E_FAIL);
    EXPECT_EQ(app->CreateItem(olTaskItem, &item), E_FAIL);
    EXPECT_EQ(item, nullptr);
    // The task keeps the application alive until it goes.
    EXPECT_EQ(app->Release(), 1u);
    EXPECT_EQ(pim::liveObjects(), 2);
    task->Release();
    ASSERT_EQ(device::storedTasks().size(), 1u);
    EXPECT_EQ(device::storedTasks()[0].subject, u"Milk");
    CoUninitialize();
}

TEST_F(Library, LogonFailsWhenTheStoreCannotBeReadOrTheWindowIsNone) {
    IPOutlookApp* app = logOn();
    ASSERT_NE(app, nullptr);
    app->Logoff();
    EXPECT_EQ(app->Logon((HWND)(uintptr_t)0x7777), E_INVALIDARG);
    writeHost("Windows/Tasks", "a file where the task folder belongs");
    EXPECT_EQ(app->Logon(nullptr), E_FAIL);
    IDispatch* item = nullptr;
    EXPECT_EQ(app->CreateItem(olTaskItem, &item), E_FAIL);
    app->Release();
    CoUninitialize();
}

}  // namespace
}  // namespace pimtest
