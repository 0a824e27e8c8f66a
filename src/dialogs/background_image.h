// Background pictures: a list can show a picture of the program's folder
// behind its outline. The loader reads JPEG files itself and other files
// (bitmaps) with the platform's loader, falls back to the built-in picture
// for anything that does not load, and scales a picture smaller than the
// work area up to it. The outline's attributes and the settings pages'
// preview both load through it.
#pragma once

#include "windows.h"

// Files this size or larger are not read as pictures.
constexpr DWORD BACKGROUND_FILE_MAX_BYTES = 64u * 1024 * 1024;

// The picture named `imageName` (a file name in the program's folder, such
// as "sky.jpg"; "(Default)" or a name that does not load gives the built-in
// picture) as a device-dependent bitmap at least intWorkWidth x
// intWorkHeight: a larger picture is kept as it is, a smaller one is
// stretched to exactly the work area. The caller owns it. Null only when
// even the built-in picture cannot be made.
HBITMAP loadBackgroundImage(LPCWSTR imageName);

// 1 when `name` ends in `extension` (three letters, any letter case).
int hasImageExtension(LPCWSTR name, LPCWSTR extension);
// 1 for the names the settings pages offer as pictures: ending in "bmp",
// "gif" or "jpg" in any letter case ("jpeg" is not among them).
int isBackgroundImageName(LPCWSTR name);
