// Code-page conversions as the program makes them: every stored text goes
// through these, so all 256 bytes must survive and the size rules must hold.
#include <gtest/gtest.h>

#include <string>

#include "platform/system/system_code_page.h"
#include "windows.h"

namespace {

std::u16string toWide(UINT cp, const std::string& bytes) {
    int n = MultiByteToWideChar(cp, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::u16string out((size_t)n, u'\0');
    EXPECT_EQ(n, MultiByteToWideChar(cp, 0, bytes.data(), (int)bytes.size(), out.data(), n));
    return out;
}

std::string toBytes(UINT cp, const std::u16string& text, BOOL* usedDefault = nullptr) {
    int n = WideCharToMultiByte(cp, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, usedDefault);
    std::string out((size_t)n, '\0');
    EXPECT_EQ(n, WideCharToMultiByte(cp, 0, text.data(), (int)text.size(), out.data(), n, nullptr, usedDefault));
    return out;
}

TEST(CodePage, EveryAnsiByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back((char)b);
    std::u16string wide = toWide(CP_ACP, all);
    ASSERT_EQ(255u, wide.size());
    EXPECT_EQ(u'\u20AC', wide[0x80 - 1]);  // euro sign
    EXPECT_EQ(u'\u0160', wide[0x8A - 1]);  // S caron
    EXPECT_EQ(u'\u0178', wide[0x9F - 1]);  // Y diaeresis
    EXPECT_EQ(u'\u00E9', wide[0xE9 - 1]);  // e acute (Latin-1 half)
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ((char16_t)b, wide[b - 1]);
    BOOL used = TRUE;
    EXPECT_EQ(all, toBytes(CP_ACP, wide, &used));
    EXPECT_FALSE(used);
}

TEST(CodePage, TheSystemPageIsADeviceSetting) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back((char)b);
    struct Page {
        UINT number;
        unsigned char byte;
        char16_t letter;
    } pages[] = {{1250, 0x8A, u'\u0160'}, {1251, 0xC0, u'\u0410'}, {1253, 0xD9, u'\u03A9'}, {874, 0xA1, u'\u0E01'}};
    for (const Page& p : pages) {
        ASSERT_TRUE(device::setSystemCodePage(p.number)) << p.number;
        EXPECT_EQ(GetACP(), p.number);
        std::u16string wide = toWide(CP_ACP, all);
        EXPECT_EQ(wide[p.byte - 1], p.letter) << p.number;
        EXPECT_EQ(toBytes(CP_ACP, wide), all) << p.number;
        EXPECT_EQ(toBytes(CP_ACP, u"\u00E8\u03A9"), p.number == 1253 ? "?\xD9" : "??");
    }
    // UTF-8 keeps every letter, and reads the bytes of an older
    // Windows-1252 text as they were meant.
    ASSERT_TRUE(device::setSystemCodePage(device::kCodePageUtf8));
    EXPECT_EQ(GetACP(), 65001u);
    EXPECT_EQ(toBytes(CP_ACP, u"\u0416\U0001F600"), "\xD0\x96\xF0\x9F\x98\x80");
    EXPECT_EQ(toWide(CP_ACP, "cr\xE8me \xD0\x96\x80"), u"cr\u00E8me \u0416\u20AC");
    EXPECT_FALSE(device::setSystemCodePage(437));
    EXPECT_EQ(GetACP(), 65001u);
    ASSERT_TRUE(device::setSystemCodePage(1252));
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    BOOL used = FALSE;
    EXPECT_EQ("a?b?", toBytes(CP_ACP, u"a\u0100b\u4E2D", &used));
    EXPECT_TRUE(used);
    char out[8] = {};
    EXPECT_EQ(2, WideCharToMultiByte(CP_ACP, 0, u"\u4E2Dx", 2, out, 8, "#", &used));
    EXPECT_EQ(std::string("#x"), std::string(out, 2));
    // A surrogate pair is two units, each without a byte of its own.
    EXPECT_EQ("??", toBytes(CP_ACP, u"\U0001F600"));
}

TEST(CodePage, Utf8BothWaysAndInvalidInput) {
    std::u16string text = u"Caf\u00E9 \u20AC \U0001F600";
    std::string utf8 = toBytes(CP_UTF8, text);
    EXPECT_EQ("Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", utf8);
    EXPECT_EQ(text, toWide(CP_UTF8, utf8));
    EXPECT_EQ(u"a\uFFFDb", toWide(CP_UTF8, "a\xFF" "b"));
    WCHAR out[8];
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xC3", 2, out, 8));
    EXPECT_EQ((DWORD)ERROR_NO_UNICODE_TRANSLATION, GetLastError());
    BOOL used;
    EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 0, nullptr, &used));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
}

TEST(CodePage, LengthAndBufferRules) {
    // -1: terminated input, the NUL converted and counted.
    EXPECT_EQ(4, WideCharToMultiByte(CP_ACP, 0, u"abc", -1, nullptr, 0, nullptr, nullptr));
    char bytes[4];
    memset(bytes, 'x', sizeof bytes);
    EXPECT_EQ(4, WideCharToMultiByte(CP_ACP, 0, u"abc", -1, bytes, 4, nullptr, nullptr));
    EXPECT_STREQ("abc", bytes);
    // Too small: 0 and ERROR_INSUFFICIENT_BUFFER.
    SetLastError(0);
    EXPECT_EQ(0, WideCharToMultiByte(CP_ACP, 0, u"abcd", -1, bytes, 4, nullptr, nullptr));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    WCHAR wide[3];
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 3));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(3, MultiByteToWideChar(CP_ACP, 0, "abc", 3, wide, 3));  // no NUL without -1
    EXPECT_EQ(u'c', wide[2]);
    // Empty input, null input and unknown code pages are parameter errors.
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 3));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, nullptr, -1, wide, 3));
    EXPECT_EQ(0, MultiByteToWideChar(437, 0, "abc", -1, wide, 3));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    // A short UTF-8 buffer never receives half a character.
    char utf8[3] = {'x', 'x', 'x'};
    EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, 0, u"a\u20AC", 2, utf8, 3, nullptr, nullptr));
    EXPECT_EQ('a', utf8[0]);
    EXPECT_EQ('x', utf8[1]);
    // Flags that mean nothing here are accepted.
    EXPECT_EQ(3, MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "abc", 3, wide, 3));
    EXPECT_EQ(1252u, GetACP());
}

}  // namespace
