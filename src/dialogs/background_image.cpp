// Loading and preparing background pictures.
#include "dialogs/background_image.h"

#include <memory>
#include <new>

#include "common/gdi_owner.h"
#include "common/paths.h"
#include "dialogs/jpeg_decode.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

namespace {

enum { IMAGE_PATH_CHARS = MAX_PATH + 100 };

SIZE sizeOf(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void buildPath(LPCWSTR imageName, WCHAR* out, int capacity) {
    WCHAR folder[IMAGE_PATH_CHARS] = {};
    getProgramFolder(folder, IMAGE_PATH_CHARS);
    int n = 0;
    for (int i = 0; folder[i] && n < capacity - 1; ++i) out[n++] = folder[i];
    if (n < capacity - 1) out[n++] = u'\\';
    for (int i = 0; imageName && imageName[i] && n < capacity - 1; ++i) out[n++] = imageName[i];
    out[n] = 0;
}

// The whole file in memory, decoded; null for a missing, empty, huge or
// short-read file and for one that does not decode.
HBITMAP readJpegFile(LPCWSTR path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (size == 0xFFFFFFFF || high != 0 || size == 0 || size >= BACKGROUND_FILE_MAX_BYTES) {
        CloseHandle(file);
        return nullptr;
    }
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[size]);
    DWORD read = 0;
    bool whole = buffer && ReadFile(file, buffer.get(), size, &read, nullptr) && read == size;
    CloseHandle(file);
    if (!whole) return nullptr;
    return decodeJpegImage(buffer.get(), size);
}

// A copy of `picture` at `width` x `height` in a device-dependent bitmap,
// stretched when the sizes differ; null when it cannot be made.
GdiObject<HBITMAP> copyToScreenBitmap(HBITMAP picture, SIZE from, int width, int height) {
    HDC screen = GetDC(nullptr);
    if (!screen) return {};
    GdiObject<HBITMAP> copy(CreateCompatibleBitmap(screen, width, height));
    {
        MemoryDC source(screen);
        MemoryDC target(screen);
        if (copy && source && target) {
            SelectedObject selectedSource(source.get(), picture);
            SelectedObject selectedTarget(target.get(), copy.get());
            if (from.cx == width && from.cy == height)
                BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
            else
                StretchBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, from.cx, from.cy, SRCCOPY);
        } else {
            copy.reset();
        }
    }
    ReleaseDC(nullptr, screen);
    return copy;
}

bool isSection(HBITMAP bitmap) {
    DIBSECTION section{};
    return bitmap && GetObjectW(bitmap, sizeof section, &section) == sizeof section;
}

// Big enough in both directions: kept as it is (a decoded JPEG, which comes
// as a bitmap section, goes into a screen bitmap of its own size, which the
// outline draws from far faster). Too small in either: stretched to exactly
// the work area.
GdiObject<HBITMAP> prepare(GdiObject<HBITMAP> picture) {
    SIZE size = sizeOf(picture.get());
    int width = intWorkWidth, height = intWorkHeight;
    if (size.cx >= width && size.cy >= height) {
        if (!isSection(picture.get())) return picture;
        width = size.cx;
        height = size.cy;
    }
    if (width <= 0 || height <= 0) return picture;
    GdiObject<HBITMAP> prepared = copyToScreenBitmap(picture.get(), size, width, height);
    if (!prepared) return picture;
    return prepared;  // the picture it was made from goes here
}

HBITMAP loadFile(LPCWSTR imageName) {
    WCHAR path[IMAGE_PATH_CHARS];
    buildPath(imageName, path, IMAGE_PATH_CHARS);
    if (hasImageExtension(path, u"jpg")) return readJpegFile(path);
    return SHLoadDIBitmap(path);
}

}  // namespace

int hasImageExtension(LPCWSTR name, LPCWSTR extension) {
    if (!name || !extension) return 0;
    int length = 0;
    while (name[length]) ++length;
    if (length < 3) return 0;
    for (int i = 0; i < 3; ++i) {
        WCHAR c = name[length - 3 + i];
        WCHAR e = extension[i];
        if (c >= u'A' && c <= u'Z') c = (WCHAR)(c - u'A' + u'a');
        if (e >= u'A' && e <= u'Z') e = (WCHAR)(e - u'A' + u'a');
        if (c != e) return 0;
    }
    return 1;
}

int isBackgroundImageName(LPCWSTR name) {
    return hasImageExtension(name, u"bmp") || hasImageExtension(name, u"gif") || hasImageExtension(name, u"jpg");
}

HBITMAP loadBackgroundImage(LPCWSTR imageName) {
    HBITMAP picture = loadFile(imageName);
    if (!picture) picture = LoadBitmapW(hInstance, MAKEINTRESOURCEW(res::kBmpBackground));
    if (!picture) return nullptr;
    return prepare(GdiObject<HBITMAP>(picture)).release();
}
