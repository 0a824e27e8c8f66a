// The program's pictures. Their .bmp files are compiled into the program
// (cmake/EmbedFiles.cmake) and handed to the platform's resource table at
// start-up, where LoadImageW and the shell find them by number.
#pragma once

#include <cstddef>

// One picture compiled into the program: the whole .bmp file.
struct EmbeddedBitmap {
    int id;
    const unsigned char* bytes;
    size_t size;
};

// Every compiled-in picture, in increasing id order (generated at build time).
extern const EmbeddedBitmap kEmbeddedBitmaps[];
extern const size_t kEmbeddedBitmapCount;

// Registers every compiled-in picture as a bitmap resource under its number.
// Safe to call again: a picture registered twice simply replaces itself.
void registerBitmapResources();
