// The JPEG decoder of the background pictures on arbitrary bytes: it must
// give a picture or nothing, never read outside the buffer, never end the
// process on a decoding error and never hang; a picture it gives must be a
// whole bitmap section of the size it says, and is drawn from as the
// outline would draw it.
#include <cstddef>
#include <cstdint>

#include "dialogs/jpeg_decode.h"
#include "platform/window/window_system.h"
#include "windows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        device::windowSystemReset();
        return true;
    }();
    (void)ready;
    HBITMAP picture = decodeJpegImage(data, size);
    if (!picture) return 0;
    DIBSECTION info{};
    if (GetObjectW(picture, sizeof info, &info) != (int)sizeof info) __builtin_trap();
    const BITMAP& bm = info.dsBm;
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0 || bm.bmWidth > JPEG_MAX_SIDE || bm.bmHeight > JPEG_MAX_SIDE) __builtin_trap();
    if (bm.bmBitsPixel != 24 || bm.bmWidthBytes != ((bm.bmWidth * 3 + 3) & ~3) || !bm.bmBits) __builtin_trap();
    // Touch the first and last byte of the pixels, then copy from it.
    const unsigned char* bits = (const unsigned char*)bm.bmBits;
    volatile unsigned char sink = bits[0];
    sink = bits[(size_t)bm.bmWidthBytes * (size_t)bm.bmHeight - 1];
    (void)sink;
    HDC source = CreateCompatibleDC(nullptr);
    HDC target = CreateCompatibleDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(source, 16, 16);
    HGDIOBJ oldSource = SelectObject(source, picture);
    HGDIOBJ oldTarget = SelectObject(target, copy);
    BitBlt(target, 0, 0, 16, 16, source, 0, 0, SRCCOPY);
    SelectObject(target, oldTarget);
    SelectObject(source, oldSource);
    DeleteObject(copy);
    DeleteDC(target);
    DeleteDC(source);
    DeleteObject(picture);
    return 0;
}
