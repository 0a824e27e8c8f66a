// JPEG decoding from memory.
//
// The library reports a fatal error by calling its error routine, which by
// default ends the process; ours jumps back to the decoder instead, which
// then gives up on the picture. Everything the decoder touches lives in one
// record outside the frame that catches the jump, so nothing is left in an
// undefined state by it.
//
// Sections: the data source | errors and progress | decoding
#include "dialogs/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include "common/gdi_owner.h"

namespace {

constexpr long kDecoderMemory = 128L * 1024 * 1024;  // what the library may allocate for one picture
constexpr int kMaxScans = 500;  // a progressive picture needs a dozen; thousands only waste time

// --- the data source ---------------------------------------------------------------

// The library's source manager followed by our two fields.
struct MemorySource {
    jpeg_source_mgr pub;
    const JOCTET* start;  // the whole file
    boolean startOfFile;
};

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void initSource(j_decompress_ptr cinfo) { ((MemorySource*)cinfo->src)->startOfFile = TRUE; }

// The whole file was there from the start, so a request for more means the
// file is cut short: an end-of-image marker ends it where it is (the
// decoder warns and fills what is missing), and nothing is read past it.
boolean fillInputBuffer(j_decompress_ptr cinfo) {
    WARNMS(cinfo, JWRN_JPEG_EOF);
    MemorySource* src = (MemorySource*)cinfo->src;
    src->pub.next_input_byte = kEndOfImage;
    src->pub.bytes_in_buffer = sizeof kEndOfImage;
    src->startOfFile = FALSE;
    return TRUE;
}

// A skip beyond the end stops at the end; the next read gets the marker.
void skipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* src = cinfo->src;
    size_t skip = (size_t)count < src->bytes_in_buffer ? (size_t)count : src->bytes_in_buffer;
    src->next_input_byte += skip;
    src->bytes_in_buffer -= skip;
}

void termSource(j_decompress_ptr) {}

void useMemorySource(j_decompress_ptr cinfo, const JOCTET* bytes, size_t count) {
    MemorySource* src = (MemorySource*)(*cinfo->mem->alloc_small)((j_common_ptr)cinfo, JPOOL_PERMANENT,
                                                                  sizeof(MemorySource));
    src->pub.init_source = initSource;
    src->pub.fill_input_buffer = fillInputBuffer;
    src->pub.skip_input_data = skipInputData;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = termSource;
    src->pub.next_input_byte = bytes;
    src->pub.bytes_in_buffer = count;
    src->start = bytes;
    src->startOfFile = FALSE;
    cinfo->src = &src->pub;
}

// --- errors and progress --------------------------------------------------------------

struct ErrorTrap {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void onFatalError(j_common_ptr cinfo) { std::longjmp(((ErrorTrap*)cinfo->err)->jump, 1); }

// Warnings about damaged data are the decoder's business, not the screen's.
void onMessage(j_common_ptr) {}

void onProgress(j_common_ptr cinfo) {
    if (((j_decompress_ptr)cinfo)->input_scan_number > kMaxScans) ERREXIT(cinfo, JERR_BAD_SCAN_SCRIPT);
}

// --- decoding -------------------------------------------------------------------------------

struct Decode {
    jpeg_decompress_struct cinfo;
    ErrorTrap errors;
    jpeg_progress_mgr progress;
    HBITMAP bitmap;
    unsigned char* bits;
    int stride;
};

HBITMAP makeSection(int width, int height, unsigned char** bits, int* stride) {
    BITMAPINFO info{};
    BITMAPINFOHEADER& h = info.bmiHeader;
    *stride = (width * 3 + 3) & ~3;
    h.biSize = sizeof(BITMAPINFO);  // the header and its one (empty) colour entry
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    h.biSizeImage = (DWORD)((size_t)*stride * (size_t)height);
    h.biXPelsPerMeter = 3780;
    h.biYPelsPerMeter = 3780;
    HDC screen = GetDC(nullptr);
    void* pixels = nullptr;
    GdiObject<HBITMAP> section(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (screen) ReleaseDC(nullptr, screen);
    *bits = (unsigned char*)pixels;
    // A section without its pixels is of no use.
    return pixels ? section.release() : nullptr;
}

// One decoded row into the section's row `y` (counted from the top of the
// picture; the section keeps its bottom row first), red, green, blue
// becoming blue, green, red; a grey row is widened to three equal bytes.
void storeRow(Decode& d, const JSAMPLE* row, int y) {
    unsigned char* out = d.bits + (size_t)(d.cinfo.output_height - 1 - (JDIMENSION)y) * (size_t)d.stride;
    JDIMENSION width = d.cinfo.output_width;
    if (d.cinfo.output_components == 1) {
        for (JDIMENSION x = 0; x < width; ++x, out += 3) out[0] = out[1] = out[2] = row[x];
        return;
    }
    for (JDIMENSION x = 0; x < width; ++x, row += 3, out += 3) {
        out[0] = row[2];
        out[1] = row[1];
        out[2] = row[0];
    }
}

bool usableHeader(const jpeg_decompress_struct& cinfo) {
    if (cinfo.image_width == 0 || cinfo.image_height == 0) return false;
    if (cinfo.image_width > JPEG_MAX_SIDE || cinfo.image_height > JPEG_MAX_SIDE) return false;
    return (long long)cinfo.image_width * cinfo.image_height <= JPEG_MAX_PIXELS;
}

bool usableOutput(const jpeg_decompress_struct& cinfo) {
    if (cinfo.out_color_space == JCS_RGB) return cinfo.output_components == 3;
    if (cinfo.out_color_space == JCS_GRAYSCALE) return cinfo.output_components == 1;
    return false;  // CMYK and unknown colour spaces
}

// The whole decode; false when the library gave up or the picture is not
// one we show. `d` is the caller's, so that it survives the jump.
bool runDecoder(Decode& d, const unsigned char* bytes, size_t count) {
    d.cinfo.err = jpeg_std_error(&d.errors.pub);
    d.errors.pub.error_exit = onFatalError;
    d.errors.pub.output_message = onMessage;
    if (setjmp(d.errors.jump)) return false;
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.mem->max_memory_to_use = kDecoderMemory;
    d.progress.progress_monitor = onProgress;
    d.cinfo.progress = &d.progress;
    useMemorySource(&d.cinfo, bytes, count);
    if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK) return false;
    if (!usableHeader(d.cinfo)) return false;
    jpeg_start_decompress(&d.cinfo);
    if (!usableOutput(d.cinfo)) return false;
    JDIMENSION rowBytes = d.cinfo.output_width * (JDIMENSION)d.cinfo.output_components;
    JSAMPARRAY row = (*d.cinfo.mem->alloc_sarray)((j_common_ptr)&d.cinfo, JPOOL_IMAGE, rowBytes, 1);
    d.bitmap = makeSection((int)d.cinfo.output_width, (int)d.cinfo.output_height, &d.bits, &d.stride);
    if (!d.bitmap) return false;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        int y = (int)d.cinfo.output_scanline;
        // Our source never suspends, so every call gives a row.
        if (jpeg_read_scanlines(&d.cinfo, row, 1) != 1) return false;
        storeRow(d, row[0], y);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

}  // namespace

HBITMAP decodeJpegImage(const unsigned char* bytes, size_t count) {
    if (!bytes || count == 0) return nullptr;
    Decode d{};
    bool decoded = runDecoder(d, bytes, count);
    jpeg_destroy_decompress(&d.cinfo);
    // The record stays plain for the jump; the section is owned from here,
    // and a half-decoded one goes.
    GdiObject<HBITMAP> bitmap(d.bitmap);
    return decoded ? bitmap.release() : nullptr;
}
