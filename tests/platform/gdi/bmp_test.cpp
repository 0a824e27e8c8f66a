// The BMP reader on files built here byte by byte, and the loaders on top.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

#include "gdi_test_util.h"
#include "platform/gdi/bmp.h"
#include "platform/system/device_fs.h"
#include "platform/system/resource_table.h"

using namespace gditest;
using gdi::BmpInfo;
using gdi::Surface;

namespace {

void put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = (uint8_t)x;
    v[at + 1] = (uint8_t)(x >> 8);
}
void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int k = 0; k < 4; ++k) v[at + k] = (uint8_t)(x >> (8 * k));
}

struct BmpLayout {
    int w = 3, h = 2, bpp = 24;
    bool topDown = false;
    uint32_t compression = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint32_t> masks;    // for bit fields
    std::vector<uint8_t> rawBits;   // pixel data as stored (rows bottom-up unless topDown)
};

std::vector<uint8_t> buildBmp(const BmpLayout& s) {
    size_t pal = s.palette.size() * 4, masks = s.masks.size() * 4;
    size_t off = 14 + 40 + masks + pal;
    std::vector<uint8_t> v(off + s.rawBits.size(), 0);
    v[0] = 'B';
    v[1] = 'M';
    put32(v, 2, (uint32_t)v.size());
    put32(v, 10, (uint32_t)off);
    put32(v, 14, 40);
    put32(v, 18, (uint32_t)s.w);
    put32(v, 22, (uint32_t)(s.topDown ? -s.h : s.h));
    put16(v, 26, 1);
    put16(v, 28, (uint32_t)s.bpp);
    put32(v, 30, s.compression);
    put32(v, 46, (uint32_t)s.palette.size());
    size_t at = 54;
    for (uint32_t m : s.masks) { put32(v, at, m); at += 4; }
    for (uint32_t c : s.palette) { put32(v, at, c); at += 4; }
    std::memcpy(v.data() + off, s.rawBits.data(), s.rawBits.size());
    return v;
}

// Rows of bytes, each padded to 4 bytes.
std::vector<uint8_t> rows(const std::vector<std::vector<uint8_t>>& r) {
    std::vector<uint8_t> out;
    for (auto row : r) {
        while (row.size() % 4) row.push_back(0);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Surface decode(const std::vector<uint8_t>& bytes, bool expectOk = true, BmpInfo* info = nullptr) {
    Surface s;
    EXPECT_EQ(gdi::decodeBmp(bytes.data(), bytes.size(), s, info), expectOk);
    return s;
}

}  // namespace

TEST(Bmp, PalettedDepths) {
    // 1 bpp: bottom row first; pixel 0 of the top row is white.
    BmpLayout one{3, 2, 1, false, 0, {0x000000, 0xFFFFFF}, {}, rows({{0x40}, {0xA0}})};
    BmpInfo info;
    Surface s = decode(buildBmp(one), true, &info);
    ASSERT_EQ(s.width, 3);
    EXPECT_TRUE(info.monochrome);
    EXPECT_EQ(s.row(0)[0], 0xFFFFFFu);
    EXPECT_EQ(s.row(0)[1], 0u);
    EXPECT_EQ(s.row(0)[2], 0xFFFFFFu);
    EXPECT_EQ(s.row(1)[1], 0xFFFFFFu);

    BmpLayout four{3, 1, 4, false, 0, {0x000000, 0xFF0000, 0x00FF00}, {}, rows({{0x12, 0x00}})};
    s = decode(buildBmp(four));
    EXPECT_EQ(s.row(0)[0], 0xFF0000u);
    EXPECT_EQ(s.row(0)[1], 0x00FF00u);
    EXPECT_EQ(s.row(0)[2], 0u);

    BmpLayout eight{2, 2, 8, true, 0, {0x112233, 0x445566}, {}, rows({{1, 0}, {0, 1}})};
    s = decode(buildBmp(eight));
    EXPECT_EQ(s.row(0)[0], 0x445566u);  // top-down: first stored row is the top
    EXPECT_EQ(s.row(1)[1], 0x445566u);
    EXPECT_EQ(s.row(1)[0], 0x112233u);
}

TEST(Bmp, DirectColourDepths) {
    // 24 bpp, blue green red.
    BmpLayout t{2, 1, 24, false, 0, {}, {}, rows({{0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00}})};
    Surface s = decode(buildBmp(t));
    EXPECT_EQ(s.row(0)[0], 0xFF0000u);
    EXPECT_EQ(s.row(0)[1], 0x0000FFu);
    // 16 bpp 555: pure red is 0x7C00.
    BmpLayout f{1, 1, 16, false, 0, {}, {}, rows({{0x00, 0x7C}})};
    EXPECT_EQ(decode(buildBmp(f)).row(0)[0], 0xFF0000u);
    // 16 bpp 565 with bit fields: pure green is 0x07E0.
    BmpLayout g{1, 1, 16, false, 3, {}, {0xF800, 0x07E0, 0x001F}, rows({{0xE0, 0x07}})};
    EXPECT_EQ(decode(buildBmp(g)).row(0)[0], 0x00FF00u);
    // 32 bpp, plain and with bit fields (red in the low byte).
    BmpLayout p{1, 1, 32, false, 0, {}, {}, rows({{0x33, 0x22, 0x11, 0x00}})};
    EXPECT_EQ(decode(buildBmp(p)).row(0)[0], 0x112233u);
    BmpLayout q{1, 1, 32, false, 3, {}, {0x000000FF, 0x0000FF00, 0x00FF0000}, rows({{0x11, 0x22, 0x33, 0x00}})};
    EXPECT_EQ(decode(buildBmp(q)).row(0)[0], 0x112233u);
}

TEST(Bmp, RunLengthEncoded) {
    // RLE8, 4 x 2: bottom row "2 x colour1, 2 x colour0", top row literal 1,0,1,1.
    std::vector<uint8_t> rle8 = {2, 1, 2, 0, 0, 0, 0, 4, 1, 0, 1, 1, 0, 1};
    BmpLayout r{4, 2, 8, false, 1, {0x000000, 0xABCDEF}, {}, rle8};
    Surface s = decode(buildBmp(r));
    EXPECT_EQ(s.row(1)[0], 0xABCDEFu);
    EXPECT_EQ(s.row(1)[2], 0u);
    EXPECT_EQ(s.row(0)[0], 0xABCDEFu);
    EXPECT_EQ(s.row(0)[1], 0u);
    EXPECT_EQ(s.row(0)[3], 0xABCDEFu);
    // RLE4, 3 x 1: run of 3 alternating 1,2.
    std::vector<uint8_t> rle4 = {3, 0x12, 0, 1};
    BmpLayout r4{3, 1, 4, false, 2, {0, 0xFF0000, 0x0000FF}, {}, rle4};
    s = decode(buildBmp(r4));
    EXPECT_EQ(s.row(0)[0], 0xFF0000u);
    EXPECT_EQ(s.row(0)[1], 0x0000FFu);
    EXPECT_EQ(s.row(0)[2], 0xFF0000u);
    // Without its end mark the stream is incomplete.
    BmpLayout cut{4, 2, 8, false, 1, {0, 0xABCDEF}, {}, {2, 1, 2, 0}};
    decode(buildBmp(cut), false);
}

TEST(Bmp, DamagedFilesAreRefused) {
    BmpLayout good{3, 2, 24, false, 0, {}, {}, rows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 3, 4, 5, 6, 7, 8, 9}})};
    std::vector<uint8_t> ok = buildBmp(good);
    decode(ok);
    // Every truncation of the file fails (and none reads past the end: the
    // sanitizer build checks that); only the last row's padding may be missing.
    for (size_t n = 0; n + 3 < ok.size(); ++n) {
        std::vector<uint8_t> part(ok.begin(), ok.begin() + (long)n);
        Surface s;
        EXPECT_FALSE(gdi::decodeBmp(part.data(), part.size(), s)) << n;
    }
    auto broken = [&](const std::function<void(std::vector<uint8_t>&)>& f) {
        std::vector<uint8_t> v = ok;
        f(v);
        decode(v, false);
    };
    broken([](auto& v) { v[0] = 'X'; });
    broken([](auto& v) { put32(v, 18, 0); });              // zero width
    broken([](auto& v) { put32(v, 18, 1000000); });        // absurd width
    broken([](auto& v) { put32(v, 22, 0x80000000u); });    // most negative height
    broken([](auto& v) { put16(v, 28, 7); });              // no such depth
    broken([](auto& v) { put32(v, 10, 0xFFFFFFF0u); });    // pixels beyond the end
    broken([](auto& v) { put32(v, 14, 0xFFFF); });         // header larger than the file
    broken([](auto& v) { put32(v, 30, 9); });              // unknown compression
    BmpLayout pal{1, 1, 8, false, 0, {}, {}, rows({{0}})};
    std::vector<uint8_t> p = buildBmp(pal);
    put32(p, 46, 100000);  // colour count beyond the file
    decode(p, false);
    Surface s;
    EXPECT_FALSE(gdi::decodeBmp(nullptr, 0, s));
}

TEST(BmpLoad, FromResourcesAndFiles) {
    BmpLayout t{2, 2, 24, false, 0, {}, {}, rows({{0, 0, 255, 0, 0, 255}, {255, 0, 0, 255, 0, 0}})};
    static std::vector<uint8_t> bytes = buildBmp(t);
    device::resourceRegister(device::kResBitmap, 4242, bytes.data(), bytes.size());
    HBITMAP hb = LoadBitmapW(nullptr, MAKEINTRESOURCEW(4242));
    ASSERT_TRUE(hb);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(hb, sizeof bm, &bm), (int)sizeof bm);
    EXPECT_EQ(bm.bmWidth, 2);
    Screen s(4, 4);
    HDC mem = CreateCompatibleDC(s.dc);
    HGDIOBJ old = SelectObject(mem, hb);
    EXPECT_EQ(GetPixel(mem, 0, 0), RGB(0, 0, 255));  // top row is blue
    EXPECT_EQ(GetPixel(mem, 1, 1), RGB(255, 0, 0));
    SelectObject(mem, old);
    DeleteObject(hb);
    // Resized on load when a size is asked for.
    HANDLE big = LoadImageW(nullptr, MAKEINTRESOURCEW(4242), IMAGE_BITMAP, 6, 4, 0);
    ASSERT_TRUE(big);
    GetObjectW(big, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 6);
    EXPECT_EQ(bm.bmHeight, 4);
    DeleteObject(big);
    EXPECT_FALSE(LoadBitmapW(nullptr, MAKEINTRESOURCEW(4243)));
    EXPECT_FALSE(LoadImageW(nullptr, MAKEINTRESOURCEW(4242), IMAGE_ICON, 0, 0, 0));

    // From a device file.
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("gdi_bmp_" + std::to_string(::getpid()));
    fs::create_directories(root);
    device::fsSetRoot(root.string());
    FILE* f = std::fopen((root / "pic.bmp").string().c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    f = std::fopen((root / "bad.bmp").string().c_str(), "wb");
    std::fwrite(bytes.data(), 1, 20, f);
    std::fclose(f);
    HBITMAP fromFile = SHLoadDIBitmap(u"\\PIC.bmp");
    EXPECT_TRUE(fromFile);
    DeleteObject(fromFile);
    HANDLE viaLoad = LoadImageW(nullptr, u"\\pic.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    EXPECT_TRUE(viaLoad);
    DeleteObject(viaLoad);
    EXPECT_FALSE(SHLoadDIBitmap(u"\\bad.bmp"));
    EXPECT_FALSE(SHLoadDIBitmap(u"\\missing.bmp"));
    DeleteDC(mem);
    fs::remove_all(root);
}
