// The library's exports and its class factory.
#include "platform/pim/pim_library.h"

#include "platform/pim/pim_objects.h"
#include "platform/system/com_classes.h"
#include "platform/system/module_images.h"
#include "winreg.h"

namespace pim {
namespace {

// One factory for the life of the process; references do not end it.
class AppFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (pUnkOuter) return CLASS_E_NOAGGREGATION;
        OutlookApp* app = new OutlookApp();
        HRESULT hr = app->QueryInterface(riid, ppv);
        app->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

HRESULT dllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    static AppFactory factory;
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, CLSID_Application)) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(riid, ppv);
}

HRESULT dllRegisterServer() {
    HKEY key = nullptr;
    std::u16string path = device::inprocServerKey(CLSID_Application);
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    static const char16_t kServer[] = u"pimstore.dll";
    LONG r = RegSetValueExW(key, nullptr, 0, REG_SZ, (const BYTE*)kServer, sizeof kServer);
    // A registration that does not reach the disk is gone after a reset of
    // the device: it is no registration.
    if (r == ERROR_SUCCESS) r = RegFlushKey(key);
    if (r != ERROR_SUCCESS) RegDeleteValueW(key, nullptr);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

}  // namespace
}  // namespace pim

namespace device {

bool installTaskStore() {
    registerModuleImage(u"pimstore", {{u"DllRegisterServer", asFarProc(&pim::dllRegisterServer)},
                                      {u"DllGetClassObject", asFarProc(&pim::dllGetClassObject)}});
    return writeModuleFile(u"\\Windows\\pimstore.dll", u"pimstore");
}

}  // namespace device
