// LoadStringW from the program's string resources.
#include <algorithm>

#include "platform/system/resource_table.h"
#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

int WINAPI LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int cchMax) {
    const device::Resource* r = device::resourceFind(device::kResString, (int)id);
    if (!buffer || cchMax < 0) {
        wm::fail(wm::kErrInvalidParameter);
        return 0;
    }
    if (!r || !r->data) {
        if (cchMax > 0) buffer[0] = 0;
        wm::fail(wm::kErrResourceNotFound);
        return 0;
    }
    auto* text = (const char16_t*)r->data;
    size_t limit = r->size ? r->size / sizeof(char16_t) : (size_t)-1;
    size_t len = 0;
    while (len < limit && text[len]) ++len;
    if (cchMax == 0) {
        // The device hands out a read-only pointer to the resource itself.
        *(const char16_t**)buffer = text;
        return (int)len;
    }
    size_t n = std::min(len, (size_t)cchMax - 1);
    std::copy(text, text + n, buffer);
    buffer[n] = 0;
    return (int)n;
}
