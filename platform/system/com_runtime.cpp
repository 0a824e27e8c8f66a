// CoInitializeEx, CoUninitialize and CoCreateInstance: per-thread
// initialisation, and objects of classes registered in the device registry
// and served by a library (module_images.h).
#include <cstdio>
#include <vector>

#include "platform/system/com_classes.h"
#include "winbase.h"
#include "winreg.h"

namespace device {
namespace {

struct ThreadCom {
    int depth = 0;
    DWORD model = 0;
    // Libraries that served objects stay loaded until the thread's last
    // CoUninitialize, since their objects may still be in use.
    std::vector<HMODULE> libraries;
};

thread_local ThreadCom com;

// The class's library as registered, or empty.
std::u16string registeredServer(REFCLSID clsid) {
    HKEY key = nullptr;
    std::u16string path = inprocServerKey(clsid);
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    WCHAR value[MAX_PATH] = {};
    DWORD type = 0, size = sizeof value - sizeof(WCHAR);
    LONG r = RegQueryValueExW(key, nullptr, nullptr, &type, (LPBYTE)value, &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || type != REG_SZ) return {};
    return std::u16string(value);
}

}  // namespace

std::u16string guidText(REFGUID g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", (unsigned)g.Data1,
                  (unsigned)g.Data2, (unsigned)g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4],
                  g.Data4[5], g.Data4[6], g.Data4[7]);
    return std::u16string(buf, buf + 38);
}

std::u16string inprocServerKey(REFCLSID clsid) { return u"CLSID\\" + guidText(clsid) + u"\\InprocServer32"; }

}  // namespace device

HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
    using device::com;
    if (pvReserved) return E_INVALIDARG;
    DWORD model = dwCoInit & COINIT_APARTMENTTHREADED;
    if (com.depth > 0) {
        if (model != com.model) return RPC_E_CHANGED_MODE;
        ++com.depth;
        return S_FALSE;
    }
    com.depth = 1;
    com.model = model;
    return S_OK;
}

void CoUninitialize(void) {
    using device::com;
    if (com.depth == 0 || --com.depth > 0) return;
    for (HMODULE library : com.libraries) FreeLibrary(library);
    com.libraries.clear();
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv) {
    using namespace device;
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (com.depth == 0) return CO_E_NOTINITIALIZED;
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    if (!(dwClsContext & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    std::u16string server = registeredServer(rclsid);
    if (server.empty()) return REGDB_E_CLASSNOTREG;
    HMODULE library = LoadLibraryW(server.c_str());
    if (!library) return HRESULT_FROM_WIN32(GetLastError());
    FARPROC entry = GetProcAddressW(library, u"DllGetClassObject");
    if (!entry) {
        FreeLibrary(library);
        return CO_E_ERRORINDLL;
    }
    IClassFactory* factory = nullptr;
    HRESULT hr = fromFarProc<DllGetClassObjectFn>(entry)(rclsid, IID_IClassFactory, (LPVOID*)&factory);
    if (SUCCEEDED(hr) && factory) {
        hr = factory->CreateInstance(nullptr, riid, ppv);
        factory->Release();
    } else if (SUCCEEDED(hr)) {
        hr = E_UNEXPECTED;
    }
    if (FAILED(hr)) {
        *ppv = nullptr;
        FreeLibrary(library);
        return hr;
    }
    com.libraries.push_back(library);
    return hr;
}
