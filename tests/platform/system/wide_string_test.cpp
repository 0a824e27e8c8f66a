// The wide runtime: string helpers, case folding and number conversions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "windows.h"

namespace {

TEST(WideString, CopyConcatenateCompareSearch) {
    WCHAR buf[32];
    wcscpy(buf, u"Milk");
    wcscat(buf, u" and ");
    wcsncat(buf, u"Bread!!", 5);
    EXPECT_EQ(std::u16string(u"Milk and Bread"), buf);
    EXPECT_EQ(14u, wcslen(buf));
    WCHAR pad[6];
    wcsncpy(pad, u"ab", 6);
    for (int i = 2; i < 6; ++i) EXPECT_EQ(0, pad[i]);
    EXPECT_LT(wcscmp(u"abc", u"abd"), 0);
    EXPECT_GT(wcscmp(u"abc", u"ab"), 0);
    EXPECT_EQ(0, wcsncmp(u"abcX", u"abcY", 3));
    EXPECT_EQ(buf + 5, wcschr(buf, u'a'));
    EXPECT_EQ(buf + 9, wcsrchr(buf, u'B'));
    EXPECT_EQ(buf + 14, wcschr(buf, u'\0'));
    EXPECT_EQ(nullptr, wcschr(buf, u'z'));
    EXPECT_EQ(buf + 9, wcsstr(buf, u"Bread"));
    EXPECT_EQ(buf, wcsstr(buf, u""));
    EXPECT_EQ(nullptr, wcsstr(buf, u"breadx"));
    WCHAR* dup = _wcsdup(buf);
    EXPECT_EQ(0, wcscmp(dup, buf));
    free(dup);
}

TEST(WideString, CaseFoldingCoversTheCodePageLetters) {
    EXPECT_EQ(u'a', towlower(u'A'));
    EXPECT_EQ(u'\u00E9', towlower(u'\u00C9'));
    EXPECT_EQ(u'\u00D7', towlower(u'\u00D7'));  // multiplication sign is no letter
    EXPECT_EQ(u'\u0161', towlower(u'\u0160'));
    EXPECT_EQ(u'\u0153', towlower(u'\u0152'));
    EXPECT_EQ(u'\u017E', towlower(u'\u017D'));
    EXPECT_EQ(u'\u0178', towupper(u'\u00FF'));
    EXPECT_EQ(u'\u00DF', towupper(u'\u00DF'));
    EXPECT_EQ(u'\u0416', towupper(u'\u0436'));
    EXPECT_EQ(u'1', towupper(u'1'));
    EXPECT_EQ(0, _wcsicmp(u"Gro\u00DFe \u00C4PFEL", u"gro\u00DFe \u00E4pfel"));
    EXPECT_LT(_wcsicmp(u"apple", u"BANANA"), 0);
    EXPECT_EQ(0, _wcsnicmp(u"LISTE 1", u"liste 2", 6));
    EXPECT_NE(0, _wcsnicmp(u"LISTE 1", u"liste 2", 7));
    WCHAR s[] = u"\u00C0b\u0152";
    EXPECT_EQ(std::u16string(u"\u00E0b\u0153"), _wcslwr(s));
    EXPECT_EQ(std::u16string(u"\u00C0B\u0152"), _wcsupr(s));
    EXPECT_TRUE(iswspace(u'\t'));
    EXPECT_FALSE(iswspace(u'x'));
    EXPECT_TRUE(iswalpha(u'\u00E9'));
    EXPECT_FALSE(iswalpha(u'7'));
    EXPECT_TRUE(iswdigit(u'7'));
}

TEST(WideString, NumberConversions) {
    EXPECT_EQ(42, _wtoi(u"  42abc"));
    EXPECT_EQ(-17, _wtoi(u"-17"));
    EXPECT_EQ(0, _wtoi(u"x1"));
    EXPECT_EQ(2147483647, _wtoi(u"99999999999"));
    EXPECT_EQ(-2147483647L - 1, _wtol(u"-99999999999"));
    WCHAR* end = nullptr;
    const WCHAR* text = u"0x1Fz";
    EXPECT_EQ(31, wcstol(text, &end, 0));
    EXPECT_EQ(text + 4, end);
    EXPECT_EQ(8, wcstol(u"010", nullptr, 0));
    EXPECT_EQ(255, wcstol(u"ff", nullptr, 16));
    const WCHAR* none = u"  z";
    EXPECT_EQ(0, wcstol(none, &end, 10));
    EXPECT_EQ(none, end);
    WCHAR buf[40];
    EXPECT_EQ(std::u16string(u"-1234"), _itow(-1234, buf, 10));
    EXPECT_EQ(std::u16string(u"ff"), _itow(255, buf, 16));
    EXPECT_EQ(std::u16string(u"ffffffff"), _itow(-1, buf, 16));
    EXPECT_EQ(std::u16string(u"101"), _ltow(5, buf, 2));
    EXPECT_EQ(std::u16string(u"-2147483648"), _ltow(-2147483647L - 1, buf, 10));
}

}  // namespace
