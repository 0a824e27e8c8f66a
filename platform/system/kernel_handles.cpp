#include "platform/system/kernel_handles.h"

#include <map>
#include <mutex>

namespace device {
namespace {

std::mutex lock;
std::map<uintptr_t, std::unique_ptr<KernelObject>> objects;
// Handle values are small multiples of 4 that are never reused, as the
// device's are never reused within a run.
uintptr_t nextValue = 0x100;

}  // namespace

HANDLE handleAdd(std::unique_ptr<KernelObject> object) {
    std::lock_guard<std::mutex> g(lock);
    uintptr_t v = nextValue;
    nextValue += 4;
    objects[v] = std::move(object);
    return (HANDLE)v;
}

KernelObject* handleFind(HANDLE h) {
    std::lock_guard<std::mutex> g(lock);
    auto it = objects.find((uintptr_t)h);
    return it == objects.end() ? nullptr : it->second.get();
}

bool handleRemove(HANDLE h) {
    std::unique_ptr<KernelObject> doomed;
    {
        std::lock_guard<std::mutex> g(lock);
        auto it = objects.find((uintptr_t)h);
        if (it == objects.end()) return false;
        doomed = std::move(it->second);
        objects.erase(it);
    }
    return true;
}

}  // namespace device
