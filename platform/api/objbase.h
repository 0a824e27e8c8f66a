// The component object model of the device, as far as programs use it:
// initialising it per thread and creating an object of a class registered
// in the registry (HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32 names the
// library that serves it). Interfaces are C++ classes of pure virtual
// methods; an object lives while it is referenced (AddRef/Release).
#pragma once

#include "windef.h"
#include "winerror.h"

#define STDMETHODCALLTYPE

typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline bool IsEqualGUID(REFGUID a, REFGUID b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}
#define IsEqualIID(a, b) IsEqualGUID(a, b)
#define IsEqualCLSID(a, b) IsEqualGUID(a, b)

// Texts passed to and from objects. The device's are length-prefixed
// allocations; every object here reads them up to their terminator, so a
// plain terminated string serves.
typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
typedef IUnknown* LPUNKNOWN;

// The base of automation objects. Programs here reach them through their own
// interfaces only, so the late-bound calls are not offered.
struct IDispatch : public IUnknown {};

struct IClassFactory : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) = 0;
    virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) = 0;
};

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000,
                                          {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// CoInitializeEx: the thread's concurrency model. The first call on a
// thread gives S_OK, each further one with the same model S_FALSE (and
// needs its own CoUninitialize); another model gives RPC_E_CHANGED_MODE.
#define COINIT_MULTITHREADED 0x0
#define COINIT_APARTMENTTHREADED 0x2

// CoCreateInstance: where the object may be served from.
#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)

// pvReserved must be null (E_INVALIDARG otherwise).
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
// The last one on a thread frees the libraries its objects came from.
void CoUninitialize(void);
// Without CoInitializeEx on the thread: CO_E_NOTINITIALIZED. A class with
// no InprocServer32 entry (or a context without CLSCTX_INPROC_SERVER):
// REGDB_E_CLASSNOTREG. Its library missing: the HRESULT of LoadLibraryW's
// error; a library without "DllGetClassObject": CO_E_ERRORINDLL. An outer
// object: CLASS_E_NOAGGREGATION. *ppv is null on every failure.
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);
