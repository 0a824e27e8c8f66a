// The program's picture as an icon: the device's pictures mark transparent
// pixels with magenta (0xFF00FF); an icon carries that as alpha. Used for the
// window's icon and, at build time, for the icons of the desktop's menus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/surface.h"

namespace device {

struct IconImage {
    int size = 0;                // width and height
    std::vector<uint32_t> rgba;  // 0xAARRGGBB, row after row
};

// The picture scaled to `size` x `size`: each icon pixel takes the average
// of the picture's pixels it covers, transparent ones counting as nothing.
IconImage iconFromPicture(const gdi::Surface& picture, int size);

// Writes the icon as an RGBA PNG; false when the file cannot be written.
bool writeIconPng(const IconImage& icon, const std::string& hostPath);

// The window's icon for the SDL host: the bitmap resource `bitmapId` of the
// program, set on the window once the program has registered its resources
// (0: none).
void setWindowIconResource(int bitmapId);
int windowIconResource();

}  // namespace device
