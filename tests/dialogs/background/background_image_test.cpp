// Background pictures as the loader prepares them: JPEG and bitmap files of
// the program's folder, kept or stretched to the work area, and every kind
// of file that is not a picture giving the built-in one.
#include <gtest/gtest.h>

#include <cstdlib>

#include "dialogs/background_image.h"
#include "dialogs/jpeg_decode.h"
#include "platform/host/register_controls.h"
#include "platform/window/headless_host.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "resources/program_resources.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "storage/device_root.h"
#include "support/picture_files.h"

namespace {

using pictures::bmpBytes;
using pictures::jpegBytes;

// Quadrants of four colours, so that position and channel order both show.
uint32_t quadrants(int x, int y, int width, int height) {
    bool right = x >= width / 2, lower = y >= height / 2;
    if (!right && !lower) return 0x0000FF;  // red
    if (right && !lower) return 0x00FF00;   // green
    if (!right) return 0xFF0000;            // blue
    return 0xFFFFFF;
}

bool near(COLORREF a, COLORREF b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs((int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

SIZE sizeOf(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

COLORREF pixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

bool isSection(HBITMAP bitmap) {
    DIBSECTION section{};
    return GetObjectW(bitmap, sizeof section, &section) == sizeof section;
}

class BackgroundImage : public storage_test::DeviceRoot {
protected:
    void SetUp() override {
        DeviceRoot::SetUp();
        device::windowSystemReset();
        device::useHeadlessHost();
        device::registerDeviceClasses();
        registerProgramResources();
        intWorkWidth = 240;
        intWorkHeight = 268;
        builtIn = LoadBitmapW(hInstance, MAKEINTRESOURCEW(res::kBmpBackground));
        ASSERT_NE(builtIn, nullptr);
    }
    void TearDown() override {
        if (builtIn) DeleteObject(builtIn);
        device::windowSystemReset();
        DeviceRoot::TearDown();
    }
    void put(const std::string& name, const std::vector<unsigned char>& bytes) {
        pictures::writeFile(programFolder(name), bytes);
    }
    // Loads `name` and checks whether it came out as the built-in picture.
    bool givesBuiltIn(const char16_t* name) {
        HBITMAP picture = loadBackgroundImage(name);
        EXPECT_NE(picture, nullptr);
        if (!picture) return false;
        bool same = sizeOf(picture).cx == 240 && sizeOf(picture).cy == 268;
        for (int y = 0; same && y < 268; y += 7)
            for (int x = 0; same && x < 240; x += 5) same = pixelOf(picture, x, y) == pixelOf(builtIn, x, y);
        DeleteObject(picture);
        return same;
    }
    std::vector<unsigned char> quadrantJpeg(int width, int height, pictures::JpegOptions options = {}) {
        return jpegBytes(width, height, [&](int x, int y) { return quadrants(x, y, width, height); }, options);
    }
    HBITMAP builtIn = nullptr;
};

TEST_F(BackgroundImage, DefaultAndNamesThatDoNotLoadGiveTheBuiltInPicture) {
    EXPECT_EQ(sizeOf(builtIn).cx, 240);
    EXPECT_EQ(sizeOf(builtIn).cy, 268);
    EXPECT_TRUE(givesBuiltIn(u"(Default)"));
    EXPECT_TRUE(givesBuiltIn(u"(None)"));
    EXPECT_TRUE(givesBuiltIn(u""));
    EXPECT_TRUE(givesBuiltIn(u"missing.jpg"));
    EXPECT_TRUE(givesBuiltIn(u"missing.bmp"));
}

TEST_F(BackgroundImage, ABiggerJpegIsKeptWholeAndUnscaledInAScreenBitmap) {
    put("big.jpg", quadrantJpeg(320, 400));
    HBITMAP picture = loadBackgroundImage(u"big.jpg");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(sizeOf(picture).cx, 320);
    EXPECT_EQ(sizeOf(picture).cy, 400);
    EXPECT_FALSE(isSection(picture));  // drawn from many times: no conversion each time
    EXPECT_TRUE(near(pixelOf(picture, 10, 10), 0x0000FF, 6));
    EXPECT_TRUE(near(pixelOf(picture, 310, 10), 0x00FF00, 6));
    EXPECT_TRUE(near(pixelOf(picture, 10, 390), 0xFF0000, 6));
    EXPECT_TRUE(near(pixelOf(picture, 310, 390), 0xFFFFFF, 6));
    // Only its top-left work area can show: the middle of the work area is
    // still the red quadrant.
    EXPECT_TRUE(near(pixelOf(picture, 120, 134), 0x0000FF, 6));
    DeleteObject(picture);
}

TEST_F(BackgroundImage, APictureTooSmallInOneDirectionIsStretchedToTheWorkArea) {
    put("narrow.jpg", quadrantJpeg(200, 400));
    HBITMAP picture = loadBackgroundImage(u"narrow.jpg");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(sizeOf(picture).cx, 240);
    EXPECT_EQ(sizeOf(picture).cy, 268);  // its height shrinks
    EXPECT_TRUE(near(pixelOf(picture, 5, 5), 0x0000FF, 6));
    EXPECT_TRUE(near(pixelOf(picture, 235, 5), 0x00FF00, 6));
    EXPECT_TRUE(near(pixelOf(picture, 5, 262), 0xFF0000, 6));
    EXPECT_TRUE(near(pixelOf(picture, 235, 262), 0xFFFFFF, 6));
    DeleteObject(picture);

    put("tiny.bmp", bmpBytes(24, 20, [](int x, int y) { return quadrants(x, y, 24, 20); }));
    picture = loadBackgroundImage(u"tiny.bmp");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(sizeOf(picture).cx, 240);
    EXPECT_EQ(sizeOf(picture).cy, 268);
    EXPECT_EQ(pixelOf(picture, 0, 0), 0x0000FFu);  // a bitmap comes through exactly
    EXPECT_EQ(pixelOf(picture, 239, 267), 0xFFFFFFu);
    DeleteObject(picture);
}

TEST_F(BackgroundImage, UpperCaseJpgIsAJpegAndABitmapOfAnyOtherNameGoesToTheBitmapLoader) {
    put("SKY.JPG", quadrantJpeg(240, 268));
    HBITMAP picture = loadBackgroundImage(u"SKY.JPG");
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(near(pixelOf(picture, 10, 10), 0x0000FF, 6));
    DeleteObject(picture);

    put("bands.bmp", bmpBytes(240, 300, [](int, int y) { return pictures::bandColour(y); }));
    picture = loadBackgroundImage(u"bands.bmp");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(sizeOf(picture).cy, 300);
    EXPECT_EQ(pixelOf(picture, 3, 17), pictures::bandColour(17));
    DeleteObject(picture);

    // A JPEG named as a bitmap is no bitmap, and the other way round.
    put("photo.bmp", quadrantJpeg(240, 268));
    EXPECT_TRUE(givesBuiltIn(u"photo.bmp"));
    put("plain.jpg", bmpBytes(240, 268, [](int, int) { return 0x00FF00u; }));
    EXPECT_TRUE(givesBuiltIn(u"plain.jpg"));
}

TEST_F(BackgroundImage, FilesThatAreNotPicturesGiveTheBuiltInOne) {
    std::vector<unsigned char> good = quadrantJpeg(240, 268);
    put("empty.jpg", {});
    EXPECT_TRUE(givesBuiltIn(u"empty.jpg"));
    put("text.jpg", std::vector<unsigned char>{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
    EXPECT_TRUE(givesBuiltIn(u"text.jpg"));
    // Only the start marker and a few bytes of the first segment.
    put("stub.jpg", std::vector<unsigned char>(good.begin(), good.begin() + 40));
    EXPECT_TRUE(givesBuiltIn(u"stub.jpg"));
    // A wrong start marker.
    std::vector<unsigned char> wrong = good;
    wrong[1] = 0xD9;
    put("wrong.jpg", wrong);
    EXPECT_TRUE(givesBuiltIn(u"wrong.jpg"));
    // A frame header claiming 60000 x 60000 pixels.
    std::vector<unsigned char> huge = good;
    for (size_t i = 0; i + 8 < huge.size(); ++i)
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 7] = 0xEA;
            huge[i + 6] = huge[i + 8] = 0x60;
            break;
        }
    put("huge.jpg", huge);
    EXPECT_TRUE(givesBuiltIn(u"huge.jpg"));
    // A bitmap of two bits per pixel, a depth no device uses.
    std::vector<unsigned char> odd = bmpBytes(240, 268, [](int, int) { return 0x00FF00u; });
    odd[28] = 2;
    put("odd.bmp", odd);
    EXPECT_TRUE(givesBuiltIn(u"odd.bmp"));
    // A bitmap cut in half.
    std::vector<unsigned char> half = bmpBytes(240, 268, [](int, int) { return 0x00FF00u; });
    half.resize(half.size() / 2);
    put("half.bmp", half);
    EXPECT_TRUE(givesBuiltIn(u"half.bmp"));
}

TEST_F(BackgroundImage, AJpegCutShortAfterItsFirstRowsStillShowsThem) {
    std::vector<unsigned char> good = quadrantJpeg(240, 268);
    put("cut.jpg", std::vector<unsigned char>(good.begin(), good.begin() + (long)good.size() * 2 / 3));
    HBITMAP picture = loadBackgroundImage(u"cut.jpg");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(sizeOf(picture).cx, 240);
    EXPECT_TRUE(near(pixelOf(picture, 10, 10), 0x0000FF, 6));
    EXPECT_TRUE(near(pixelOf(picture, 230, 10), 0x00FF00, 6));
    DeleteObject(picture);
}

TEST_F(BackgroundImage, GreyAndProgressiveJpegsDecode) {
    put("grey.jpg", jpegBytes(240, 268, [](int x, int) { return (uint32_t)(x & 0xFF) * 0x010101u; }, {95, false, true}));
    HBITMAP grey = loadBackgroundImage(u"grey.jpg");
    ASSERT_NE(grey, nullptr);
    COLORREF c = pixelOf(grey, 200, 100);
    EXPECT_EQ(GetRValue(c), GetGValue(c));
    EXPECT_EQ(GetGValue(c), GetBValue(c));
    EXPECT_NEAR(GetRValue(c), 200, 6);
    DeleteObject(grey);

    put("progressive.jpg", quadrantJpeg(240, 268, {90, true, false}));
    HBITMAP progressive = loadBackgroundImage(u"progressive.jpg");
    ASSERT_NE(progressive, nullptr);
    EXPECT_TRUE(near(pixelOf(progressive, 230, 260), 0xFFFFFF, 6));
    EXPECT_TRUE(near(pixelOf(progressive, 230, 10), 0x00FF00, 6));
    DeleteObject(progressive);
}

TEST_F(BackgroundImage, TheDecoderGivesABottomUpTwentyFourBitSectionInBlueGreenRedOrder) {
    std::vector<unsigned char> bytes = quadrantJpeg(30, 20);
    HBITMAP section = decodeJpegImage(bytes.data(), bytes.size());
    ASSERT_NE(section, nullptr);
    DIBSECTION info{};
    ASSERT_EQ(GetObjectW(section, sizeof info, &info), (int)sizeof info);
    EXPECT_EQ(info.dsBm.bmWidth, 30);
    EXPECT_EQ(info.dsBm.bmHeight, 20);
    EXPECT_EQ(info.dsBm.bmBitsPixel, 24);
    EXPECT_EQ(info.dsBm.bmWidthBytes, 92);  // 90 rounded up to a multiple of 4
    EXPECT_EQ(info.dsBmih.biHeight, 20);    // bottom-up
    EXPECT_EQ(info.dsBmih.biSizeImage, 92u * 20u);
    EXPECT_EQ(info.dsBmih.biXPelsPerMeter, 3780);
    EXPECT_EQ(info.dsBmih.biClrUsed, 0u);
    const unsigned char* bits = (const unsigned char*)info.dsBm.bmBits;
    ASSERT_NE(bits, nullptr);
    // The first stored row is the picture's bottom: blue on the left.
    EXPECT_GT(bits[0], 240);  // blue
    EXPECT_LT(bits[2], 16);   // red
    // The last stored row is the top: red on the left.
    const unsigned char* top = bits + 19 * 92;
    EXPECT_LT(top[0], 16);
    EXPECT_GT(top[2], 240);
    DeleteObject(section);

    EXPECT_EQ(decodeJpegImage(nullptr, 10), nullptr);
    EXPECT_EQ(decodeJpegImage(bytes.data(), 0), nullptr);
    EXPECT_EQ(decodeJpegImage(bytes.data(), 2), nullptr);
}

TEST(BackgroundImageNames, TheSettingsPagesOfferBmpGifAndJpgInAnyCase) {
    EXPECT_TRUE(isBackgroundImageName(u"sky.jpg"));
    EXPECT_TRUE(isBackgroundImageName(u"SKY.JPG"));
    EXPECT_TRUE(isBackgroundImageName(u"a.Bmp"));
    EXPECT_TRUE(isBackgroundImageName(u"anim.gif"));
    EXPECT_TRUE(isBackgroundImageName(u"xjpg"));  // the last three letters are what counts
    EXPECT_FALSE(isBackgroundImageName(u"photo.jpeg"));
    EXPECT_FALSE(isBackgroundImageName(u"notes.txt"));
    EXPECT_FALSE(isBackgroundImageName(u"pg"));
    EXPECT_FALSE(isBackgroundImageName(u""));
    EXPECT_FALSE(isBackgroundImageName(nullptr));
    EXPECT_TRUE(hasImageExtension(u"a.jPg", u"JPG"));
    EXPECT_FALSE(hasImageExtension(u"a.bmp", u"jpg"));
}

}  // namespace
