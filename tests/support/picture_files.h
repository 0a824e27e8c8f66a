// Picture files for tests, written on the host: JPEG files made with the
// JPEG library's encoder (plain, progressive, greyscale) and plain 24-bit
// BMP files, from a function giving each pixel's colour (0x00BBGGRR).
// Header-only: only the test programs that include it need the library.
#pragma once

#include <cstdio>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace pictures {

using PixelFn = std::function<uint32_t(int x, int y)>;

struct JpegOptions {
    int quality = 95;
    bool progressive = false;
    bool greyscale = false;
};

// The JPEG file's bytes.
inline std::vector<unsigned char> jpegBytes(int width, int height, const PixelFn& pixel, JpegOptions options = {}) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = (JDIMENSION)width;
    cinfo.image_height = (JDIMENSION)height;
    cinfo.input_components = options.greyscale ? 1 : 3;
    cinfo.in_color_space = options.greyscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row((size_t)width * (size_t)cinfo.input_components);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t c = pixel(x, y);
            if (options.greyscale) {
                row[(size_t)x] = (JSAMPLE)(c & 0xFF);
            } else {
                row[(size_t)x * 3] = (JSAMPLE)(c & 0xFF);
                row[(size_t)x * 3 + 1] = (JSAMPLE)((c >> 8) & 0xFF);
                row[(size_t)x * 3 + 2] = (JSAMPLE)((c >> 16) & 0xFF);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<unsigned char> bytes(out, out + size);
    jpeg_destroy_compress(&cinfo);
    free(out);
    return bytes;
}

// A 24-bit bottom-up BMP file's bytes.
inline std::vector<unsigned char> bmpBytes(int width, int height, const PixelFn& pixel) {
    int stride = (width * 3 + 3) & ~3;
    uint32_t imageSize = (uint32_t)(stride * height);
    std::vector<unsigned char> b(54 + imageSize, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        b[at] = (unsigned char)v;
        b[at + 1] = (unsigned char)(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, (uint32_t)b.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (uint32_t)width);
    put32(22, (uint32_t)height);
    put16(26, 1);
    put16(28, 24);
    put32(34, imageSize);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = b.data() + 54 + (size_t)(height - 1 - y) * (size_t)stride;
        for (int x = 0; x < width; ++x) {
            uint32_t c = pixel(x, y);
            row[x * 3] = (unsigned char)((c >> 16) & 0xFF);
            row[x * 3 + 1] = (unsigned char)((c >> 8) & 0xFF);
            row[x * 3 + 2] = (unsigned char)(c & 0xFF);
        }
    }
    return b;
}

inline void writeFile(const std::string& hostPath, const std::vector<unsigned char>& bytes) {
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
}

// Colour bands 16 pixels high, each band its own colour, so that a picture
// drawn a few rows off shows at once.
inline uint32_t bandColour(int y) {
    static const uint32_t kBands[] = {0x2040C0, 0x40C020, 0xC02040, 0x20C0C0, 0xC0C020, 0xC020C0, 0x808020, 0x208080};
    return kBands[(y / 16) % 8];
}

}  // namespace pictures
