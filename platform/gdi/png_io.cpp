// libpng's simplified API does the format work; this file adapts rows to
// the surface's 0x00RRGGBB pixels.
#include "platform/gdi/png_io.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace gdi {

bool writePng(const Surface& surface, const std::string& hostPath) {
    if (surface.width <= 0 || surface.height <= 0) return false;
    std::vector<uint8_t> rgb((size_t)surface.width * (size_t)surface.height * 3);
    for (int y = 0; y < surface.height; ++y) {
        const uint32_t* row = surface.row(y);
        uint8_t* out = rgb.data() + (size_t)y * (size_t)surface.width * 3;
        for (int x = 0; x < surface.width; ++x) {
            out[3 * x] = (uint8_t)(row[x] >> 16);
            out[3 * x + 1] = (uint8_t)(row[x] >> 8);
            out[3 * x + 2] = (uint8_t)row[x];
        }
    }
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    img.width = (png_uint_32)surface.width;
    img.height = (png_uint_32)surface.height;
    img.format = PNG_FORMAT_RGB;
    int ok = png_image_write_to_file(&img, hostPath.c_str(), 0, rgb.data(), 0, nullptr);
    png_image_free(&img);
    return ok != 0;
}

bool readPng(const std::string& hostPath, Surface& out) {
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, hostPath.c_str())) return false;
    // Refuse sizes no screenshot or picture of the device comes near.
    if (img.width == 0 || img.height == 0 || img.width > 16384 || img.height > 16384) {
        png_image_free(&img);
        return false;
    }
    img.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&img);
        return false;
    }
    Surface s((int)img.width, (int)img.height);
    for (int y = 0; y < s.height; ++y) {
        const uint8_t* in = rgb.data() + (size_t)y * (size_t)s.width * 3;
        uint32_t* row = s.row(y);
        for (int x = 0; x < s.width; ++x)
            row[x] = ((uint32_t)in[3 * x] << 16) | ((uint32_t)in[3 * x + 1] << 8) | in[3 * x + 2];
    }
    png_image_free(&img);
    out = std::move(s);
    return true;
}

}  // namespace gdi
