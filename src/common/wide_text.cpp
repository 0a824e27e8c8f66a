#include "common/wide_text.h"

#include <cassert>

int textLength(const WCHAR* text) {
    int n = 0;
    if (text)
        while (text[n]) ++n;
    return n;
}

void copyText(WCHAR* out, int capacity, const WCHAR* text) {
    if (capacity <= 0) return;
    assert(out && "a buffer with room must be there");
    int n = 0;
    for (; text && text[n] && n < capacity - 1; ++n) out[n] = text[n];
    out[n] = 0;
}
