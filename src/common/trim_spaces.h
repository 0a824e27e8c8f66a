// Trimming of the blanks around a text the user typed.
#pragma once

#include <cstddef>

#include "windef.h"

// Trims `text` in place: trailing blanks first, then leading ones. Only the
// blank U+0020 counts. A text of blanks becomes empty. The work is done on a
// heap copy; when that copy cannot be made the user is told ("Could not
// allocate memory for trimSpaces!", caption "Error") and the text is left
// as it was.
void trimSpaces(WCHAR* text);

// Test seam: the allocator trimSpaces takes its heap copy from (malloc
// unless replaced; it must hand out memory that free releases). Returns the
// previous one; null restores malloc.
typedef void* (*TrimSpacesAllocator)(size_t bytes);
TrimSpacesAllocator setTrimSpacesAllocator(TrimSpacesAllocator allocator);
