#include "platform/system/resource_table.h"

#include <map>
#include <utility>

namespace device {
namespace {
std::map<std::pair<int, int>, Resource>& table() {
    static std::map<std::pair<int, int>, Resource> t;
    return t;
}
}  // namespace

void resourceRegister(int type, int id, const void* data, size_t size) {
    table()[{type, id}] = Resource{data, size};
}

const Resource* resourceFind(int type, int id) {
    auto it = table().find({type, id});
    return it == table().end() ? nullptr : &it->second;
}

void resourceClearAll() { table().clear(); }

}  // namespace device
