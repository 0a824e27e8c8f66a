// What the component runtime shares with the libraries that serve classes:
// the registry key under which a class names its library.
#pragma once

#include <string>

#include "objbase.h"
#include "winbase.h"

namespace device {

// "{05058F23-20BE-11D2-8F18-0000F87A4335}": upper-case hex in braces, as
// the registry keys of classes are written.
std::u16string guidText(REFGUID guid);
// "CLSID\{...}\InprocServer32" under HKEY_CLASSES_ROOT; its default value
// (REG_SZ) is the library that serves the class.
std::u16string inprocServerKey(REFCLSID clsid);

// The signature of a library's "DllGetClassObject" export, and how it is
// kept as a FARPROC (through the generic function type, which converts to
// and from any other).
typedef HRESULT (*DllGetClassObjectFn)(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
template <typename Fn>
FARPROC asFarProc(Fn fn) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(fn));
}
template <typename Fn>
Fn fromFarProc(FARPROC proc) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace device
