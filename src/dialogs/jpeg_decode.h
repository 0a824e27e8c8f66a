// JPEG pictures decoded from memory with the JPEG library, through a data
// source of our own over the whole file.
#pragma once

#include <cstddef>

#include "windows.h"

// The picture's sides and pixel count are limited: a bigger one is a
// damaged header or a picture no pocket screen needs, not one worth the
// memory.
enum { JPEG_MAX_SIDE = 8192 };
constexpr long long JPEG_MAX_PIXELS = 16LL * 1024 * 1024;

// Decodes the JPEG file `bytes` (`count` bytes) into a 24-bit bottom-up
// bitmap section of the picture's size, made on the screen's context. Null
// when the bytes are not a whole picture the decoder can read (damaged or
// cut short early, no image, too big, an unusual colour space) or memory
// runs out. A file cut short after its first rows still gives the picture,
// the missing rows grey, as the decoder fills them.
HBITMAP decodeJpegImage(const unsigned char* bytes, size_t count);
