// The program the platform's own tests name to the device: their folders,
// program file, default root, usage text and the headers of the device's
// files follow from it, as the program's follow from its own.
#pragma once

#include "platform/system/program_identity.h"

namespace testsupport {

inline device::ProgramIdentity testIdentity() {
    device::ProgramIdentity p;
    p.name = "Test Program";
    p.command = "testprog";
    p.folder = u"Test Program";
    p.dataFolder = "test-program";
    p.databaseExtension = "tst";
    return p;
}

}  // namespace testsupport
