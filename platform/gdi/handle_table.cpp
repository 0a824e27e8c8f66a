// The GDI handle table. Handles are slot index + generation packed into a
// pointer-sized value; the generation is bumped when a slot is freed, so
// stale handles stop resolving. Bit 30 is never set in a handle, which keeps
// them apart from the system-colour "brushes" (COLOR_* + 1) that programs
// pass where a brush is expected.
#include <cstddef>

#include "platform/gdi/objects.h"

static_assert(sizeof(void*) == 8, "handle encoding assumes 64-bit pointers");

namespace gdi {
namespace {

struct Slot {
    std::unique_ptr<Object> obj;
    uint32_t gen = 1;
};

constexpr uint64_t kTag = 0x10000000;       // set in every handle
constexpr uint64_t kIndexMask = 0x0FFFFFFF;

std::vector<Slot>& slots() {
    static std::vector<Slot> s;
    return s;
}
std::vector<uint32_t>& freeList() {
    static std::vector<uint32_t> f;
    return f;
}
size_t& liveCount() {
    static size_t n = 0;
    return n;
}

bool decode(HGDIOBJ h, uint32_t& index, uint32_t& gen) {
    uint64_t v = (uint64_t)(uintptr_t)h;
    if ((v & kTag) == 0) return false;
    uint64_t idx = v & kIndexMask;
    if (idx == 0) return false;
    index = (uint32_t)(idx - 1);
    gen = (uint32_t)(v >> 32);
    return index < slots().size();
}

}  // namespace

HGDIOBJ addObject(std::unique_ptr<Object> obj) {
    if (!obj) return nullptr;
    uint32_t index;
    if (!freeList().empty()) {
        index = freeList().back();
        freeList().pop_back();
    } else {
        if (slots().size() >= kIndexMask - 1) return nullptr;
        index = (uint32_t)slots().size();
        slots().emplace_back();
    }
    Slot& s = slots()[index];
    s.obj = std::move(obj);
    ++liveCount();
    uint64_t v = ((uint64_t)s.gen << 32) | kTag | (uint64_t)(index + 1);
    return (HGDIOBJ)(uintptr_t)v;
}

Object* lookup(HGDIOBJ h) {
    uint32_t index, gen;
    if (!decode(h, index, gen)) return nullptr;
    Slot& s = slots()[index];
    return s.gen == gen ? s.obj.get() : nullptr;
}

bool removeObject(HGDIOBJ h) {
    uint32_t index, gen;
    if (!decode(h, index, gen)) return false;
    Slot& s = slots()[index];
    if (s.gen != gen || !s.obj) return false;
    s.obj.reset();
    s.gen = s.gen == 0xFFFFFFFFu ? 1 : s.gen + 1;
    freeList().push_back(index);
    --liveCount();
    return true;
}

size_t liveObjectCount() { return liveCount(); }

}  // namespace gdi
