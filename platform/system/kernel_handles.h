// The device's kernel handles (open files, searches): one table, so that a
// handle of one kind passed to a call for another fails cleanly instead of
// being misread, and a closed handle is never found again.
#pragma once

#include <memory>

#include "windef.h"

namespace device {

struct KernelObject {
    virtual ~KernelObject() = default;
};

// Takes ownership; returns a fresh handle (never null or INVALID_HANDLE_VALUE).
HANDLE handleAdd(std::unique_ptr<KernelObject> object);
// The object of a handle, or nullptr when the handle is unknown.
KernelObject* handleFind(HANDLE h);
template <typename T>
T* handleGet(HANDLE h) {
    return dynamic_cast<T*>(handleFind(h));
}
// Destroys the object; false when the handle is unknown.
bool handleRemove(HANDLE h);

}  // namespace device
