// Pictures to icons.
#include "platform/host/window_icon.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

namespace device {
namespace {

constexpr uint32_t kTransparent = 0xFF00FF;

int g_iconResource = 0;

}  // namespace

IconImage iconFromPicture(const gdi::Surface& picture, int size) {
    IconImage icon;
    icon.size = size;
    icon.rgba.assign((size_t)size * size, 0);
    if (picture.width <= 0 || picture.height <= 0 || size <= 0) return icon;
    for (int y = 0; y < size; ++y) {
        int y0 = y * picture.height / size, y1 = std::max(y0 + 1, (y + 1) * picture.height / size);
        for (int x = 0; x < size; ++x) {
            int x0 = x * picture.width / size, x1 = std::max(x0 + 1, (x + 1) * picture.width / size);
            uint64_t r = 0, g = 0, b = 0, opaque = 0, all = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx, ++all) {
                    uint32_t p = picture.row(sy)[sx] & 0xFFFFFF;
                    if (p == kTransparent) continue;
                    r += (p >> 16) & 0xFF, g += (p >> 8) & 0xFF, b += p & 0xFF, ++opaque;
                }
            }
            if (!opaque) continue;
            uint32_t a = (uint32_t)(255 * opaque / all);
            icon.rgba[(size_t)y * size + x] = a << 24 | (uint32_t)(r / opaque) << 16 | (uint32_t)(g / opaque) << 8 |
                                              (uint32_t)(b / opaque);
        }
    }
    return icon;
}

namespace {

// libpng reports errors by a long jump: nothing here may need unwinding.
bool writeRows(png_structp png, png_infop info, FILE* f, const IconImage& icon, unsigned char* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, f);
    png_set_IHDR(png, info, (png_uint_32)icon.size, (png_uint_32)icon.size, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < icon.size; ++y) {
        for (int x = 0; x < icon.size; ++x) {
            uint32_t p = icon.rgba[(size_t)y * icon.size + x];
            unsigned char* o = row + (size_t)x * 4;
            o[0] = (unsigned char)(p >> 16);
            o[1] = (unsigned char)(p >> 8);
            o[2] = (unsigned char)p;
            o[3] = (unsigned char)(p >> 24);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool writeIconPng(const IconImage& icon, const std::string& hostPath) {
    FILE* f = std::fopen(hostPath.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<unsigned char> row((size_t)icon.size * 4);
    bool ok = png && info && writeRows(png, info, f, icon, row.data());
    if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    return std::fclose(f) == 0 && ok;
}

void setWindowIconResource(int bitmapId) { g_iconResource = bitmapId; }
int windowIconResource() { return g_iconResource; }

}  // namespace device
