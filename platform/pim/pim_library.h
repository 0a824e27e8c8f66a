// The task store's library "pimstore.dll": its code is built into the
// platform; installTaskStore makes it a library of the device (the image
// "pimstore", platform/system/module_images.h) and writes its file
// "\Windows\pimstore.dll", which is where programs load it from. The
// host's device preparation calls it for every run; tests call it after
// their systemStartup and may then remove or replace the file.
//
// Exports: "DllRegisterServer" registers CLSID_Application (its
// InprocServer32 key names "pimstore.dll") and writes the registry to disk,
// giving SELFREG_E_CLASS, with the registration taken back, when that
// cannot be written; "DllGetClassObject" gives the class factory of
// CLSID_Application (CLASS_E_CLASSNOTAVAILABLE for any other class).
#pragma once

namespace device {

// False when the library's file cannot be written.
bool installTaskStore();

}  // namespace device
