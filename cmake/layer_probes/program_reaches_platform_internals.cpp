// Must not compile: the program sees only platform/api.
#include "platform/window/wm_internal.h"
