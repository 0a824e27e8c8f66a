// Surfaces to and from PNG files (host paths): screenshots, and golden
// images in tests.
#pragma once

#include <string>

#include "platform/gdi/surface.h"

namespace gdi {

// Writes the surface as an 8-bit RGB PNG; false when the file cannot be
// written.
bool writePng(const Surface& surface, const std::string& hostPath);
// Reads a PNG of any colour type into `out` (alpha is dropped); false, with
// `out` untouched, when the file is missing or not a readable PNG.
bool readPng(const std::string& hostPath, Surface& out);

}  // namespace gdi
