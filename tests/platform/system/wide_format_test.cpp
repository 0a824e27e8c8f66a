// Wide printf as the program formats its messages and statements.
#include <gtest/gtest.h>

#include <string>

#include "windows.h"

namespace {

template <typename... A>
std::u16string fmt(const WCHAR* f, A... args) {
    WCHAR buf[256];
    int n = swprintf(buf, 256, f, args...);
    EXPECT_GE(n, 0);
    EXPECT_EQ((size_t)n, wcslen(buf));
    return buf;
}

TEST(WideFormat, StringConversionsFollowTheDevice) {
    EXPECT_EQ(u"[Groceries]", fmt(u"[%s]", u"Groceries"));
    EXPECT_EQ(u"[Groceries]", fmt(u"[%ls]", u"Groceries"));
    EXPECT_EQ(u"[caf\u00E9]", fmt(u"[%S]", "caf\xE9"));  // 8-bit text in the system code page
    EXPECT_EQ(u"[caf\u00E9]", fmt(u"[%hs]", "caf\xE9"));
    EXPECT_EQ(u"[x|y]", fmt(u"[%c|%C]", (int)u'x', (int)'y'));
    EXPECT_EQ(u"[   ab|ab   |abc]", fmt(u"[%5s|%-5s|%.3s]", u"ab", u"ab", u"abcdef"));
    EXPECT_EQ(u"[(null)]", fmt(u"[%s]", (const WCHAR*)nullptr));
    EXPECT_EQ(u"100%", fmt(u"%d%%", 100));
    EXPECT_EQ(u"%s\\%s%d%s", fmt(u"%%s\\%%s%%d%%s"));
    EXPECT_EQ(u"\\My Documents\\list12.qu2",
              fmt(u"%s\\%s%d%s", u"\\My Documents", u"list", 12, u".qu2"));
}

TEST(WideFormat, NumbersFlagsWidthPrecision) {
    EXPECT_EQ(u"-5|7|4294967295", fmt(u"%d|%i|%u", -5, 7, 4294967295u));
    EXPECT_EQ(u"ff|FF|0xff|17", fmt(u"%x|%X|%#x|%o", 255, 255, 255, 15));
    EXPECT_EQ(u"07|  7|7  |+7| 7", fmt(u"%02d|%3d|%-3d|%+d|% d", 7, 7, 7, 7, 7));
    EXPECT_EQ(u" 3.14|2.500000|1e+03", fmt(u"%5.2f|%f|%.0e", 3.14159, 2.5, 1000.0));
    EXPECT_EQ(u"   42|42   |003", fmt(u"%*d|%-*d|%.*d", 5, 42, 5, 42, 3, 3));
    // %ld is the device's 32-bit long: a host long and a LONG both print right.
    long hostLong = -123456;
    LONG deviceLong = -42;
    EXPECT_EQ(u"-123456|-42|ffffffff", fmt(u"%ld|%ld|%lx", hostLong, deviceLong, -1L));
    EXPECT_EQ(u"9000000000|9000000000", fmt(u"%lld|%I64d", 9000000000LL, 9000000000LL));
    EXPECT_EQ(u"%q", fmt(u"%q"));
    // Wide fields and long numbers are never cut short.
    WCHAR big[700];
    EXPECT_EQ(600, swprintf(big, 700, u"%600d", 5));
    EXPECT_EQ(u'5', big[599]);
    EXPECT_EQ(311, swprintf(big, 700, u"%.1f", 1e308));
    EXPECT_EQ(16, swprintf(big, 700, u"%p", (void*)0x1234));
}

TEST(WideFormat, TruncationAlwaysTerminatesAndReportsMinusOne) {
    WCHAR buf[6];
    for (WCHAR& c : buf) c = u'#';
    EXPECT_EQ(-1, _snwprintf(buf, 6, u"%s", u"abcdefgh"));
    EXPECT_EQ(std::u16string(u"abcde"), buf);
    // Exactly the size of the buffer: no room for the NUL, so it is cut too.
    EXPECT_EQ(-1, swprintf(buf, 6, u"%d", 123456));
    EXPECT_EQ(std::u16string(u"12345"), buf);
    EXPECT_EQ(5, swprintf(buf, 6, u"%d", 12345));
    EXPECT_EQ(-1, swprintf(buf, 0, u"x"));
    EXPECT_EQ(u'1', buf[0]);  // nothing written with a count of 0
    // A precision bounds the read of an unterminated string.
    const WCHAR raw[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(2, swprintf(buf, 6, u"%.2s", raw));
}

TEST(WideFormat, WsprintfStopsAt1024Characters) {
    std::u16string longText(2000, u'z');
    std::u16string buf(1100, u'#');
    EXPECT_EQ(1023, wsprintfW(buf.data(), u"%s", longText.c_str()));
    EXPECT_EQ(1023u, wcslen(buf.c_str()));
    EXPECT_EQ(u'#', buf[1024]);
}

}  // namespace
