// Build tool: the desktop's icons from the program's own picture.
//   make_icons PICTURE.bmp OUTDIR SIZE...
// writes OUTDIR/SIZE/quillet-pro.png for each size.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/gdi/bmp.h"
#include "platform/host/window_icon.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_icons PICTURE.bmp OUTDIR SIZE...\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    gdi::Surface picture;
    if (!gdi::decodeBmp(bytes.data(), bytes.size(), picture)) {
        std::fprintf(stderr, "make_icons: %s is no picture\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        int size = std::atoi(argv[i]);
        std::filesystem::path dir = std::filesystem::path(argv[2]) / argv[i];
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        if (size <= 0 || !device::writeIconPng(device::iconFromPicture(picture, size), (dir / "quillet-pro.png").string())) {
            std::fprintf(stderr, "make_icons: cannot write the %s icon in %s\n", argv[i], dir.c_str());
            return 1;
        }
    }
    return 0;
}
