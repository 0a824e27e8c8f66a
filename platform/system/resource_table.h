// The table of the program's resources: what the loaders look up. The
// program's side, the types and resourceRegister, is platform/api/winres.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "winres.h"

namespace device {

struct Resource {
    const void* data = nullptr;  // owned by the registrant; lives for the process
    size_t size = 0;             // in bytes (0 where the type is a structure)
};

// The resource of this type and id, or nullptr.
const Resource* resourceFind(int type, int id);
// Forgets every resource (tests).
void resourceClearAll();

}  // namespace device
