#include "resources/program_resources.h"

#include "resources/bitmap_resources.h"

void registerProgramResources() {
    registerBitmapResources();
    registerMenuResources();
    registerDialogResources();
    registerAcceleratorResources();
}
