// The BMP reader on arbitrary bytes: it must refuse or decode, never read
// outside the buffer, and never allocate beyond its size limit. A decoded
// picture is also blitted, as the program would draw it.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gdi::Surface s;
    gdi::BmpInfo info;
    if (gdi::decodeBmp(data, size, s, &info)) {
        // Touch every pixel so that a wrong size shows up under the sanitizers.
        uint32_t acc = 0;
        for (uint32_t p : s.pixels) acc ^= p;
        if (s.pixels.size() != (size_t)s.width * (size_t)s.height) __builtin_trap();
        (void)acc;
    }
    return 0;
}
