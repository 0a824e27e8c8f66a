// Screenshots: a surface written as PNG reads back pixel for pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/gdi/png_io.h"

TEST(Png, RoundTripAndRefusals) {
    gdi::Surface s(5, 3, 0x123456);
    s.row(2)[4] = 0xFF00FF;
    s.row(0)[0] = 0x000000;
    std::string path = (std::filesystem::temp_directory_path() / ("gdi_png_" + std::to_string(::getpid()) + ".png")).string();
    ASSERT_TRUE(gdi::writePng(s, path));
    gdi::Surface back;
    ASSERT_TRUE(gdi::readPng(path, back));
    EXPECT_EQ(back.width, 5);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.pixels, s.pixels);
    // Not a PNG, missing, or an empty surface: refused, output untouched.
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("not a png", f);
    std::fclose(f);
    EXPECT_FALSE(gdi::readPng(path, back));
    EXPECT_EQ(back.width, 5);
    std::remove(path.c_str());
    EXPECT_FALSE(gdi::readPng(path, back));
    EXPECT_FALSE(gdi::writePng(gdi::Surface(), path));
    EXPECT_FALSE(gdi::writePng(s, "/nonexistent-folder/x.png"));
}
