#include "resources/bitmap_resources.h"

#include "winres.h"

void registerBitmapResources() {
    // The arrays live for the whole process, as the resource table expects
    // of what it is given: it keeps pointers, not copies.
    for (size_t i = 0; i < kEmbeddedBitmapCount; ++i) {
        const EmbeddedBitmap& b = kEmbeddedBitmaps[i];
        device::resourceRegister(device::kResBitmap, b.id, b.bytes, b.size);
    }
}
