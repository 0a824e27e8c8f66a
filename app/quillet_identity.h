// The program as the device knows it: its name, its executable and folder,
// its database files, its default root. The executable hands it to the host;
// harnesses that run the program's code on a device of their own set it too.
#pragma once

#include "platform/system/program_identity.h"

inline device::ProgramIdentity quilletIdentity() {
    device::ProgramIdentity p;
    p.name = "Quillet Pro";
    p.command = "quillet";
    p.folder = u"Quillet Pro";
    p.dataFolder = "quillet-pro";
    p.databaseExtension = "qu2";
    return p;
}
