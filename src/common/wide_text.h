// Bounded copies and lengths of the program's 16-bit texts, for the fixed
// buffers that messages and records hand around.
#pragma once

#include "windef.h"

// The number of characters before the terminating zero; 0 for null.
int textLength(const WCHAR* text);
// Copies `text` (null counts as empty) into `out`, which has room for
// `capacity` characters with the terminating zero, cutting what does not
// fit. Nothing is written when `capacity` is not positive.
void copyText(WCHAR* out, int capacity, const WCHAR* text);
