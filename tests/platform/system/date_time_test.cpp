// Dates and times as the notes pane stamps them, with fixed times.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/system/device_clock.h"
#include "platform/system/device_time.h"
#include "windows.h"

namespace {

class DateTime : public ::testing::Test {
protected:
    void SetUp() override { device::timeSetLocaleFormats(device::usEnglishFormats()); }
    void TearDown() override { device::clockUseVirtual(false); }

    static SYSTEMTIME at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        SYSTEMTIME st{};
        st.wYear = (WORD)y, st.wMonth = (WORD)mo, st.wDay = (WORD)d;
        st.wHour = (WORD)h, st.wMinute = (WORD)mi, st.wSecond = (WORD)s;
        return st;
    }
    static std::u16string date(const SYSTEMTIME& st, DWORD flags, const WCHAR* picture = nullptr) {
        WCHAR buf[80];
        int n = GetDateFormatW(LOCALE_SYSTEM_DEFAULT, flags, &st, picture, buf, 80);
        return n ? std::u16string(buf) : u"<fail>";
    }
    static std::u16string time(const SYSTEMTIME& st, DWORD flags, const WCHAR* picture = nullptr) {
        WCHAR buf[80];
        int n = GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, flags, &st, picture, buf, 80);
        return n ? std::u16string(buf) : u"<fail>";
    }
};

TEST_F(DateTime, UsEnglishForms) {
    SYSTEMTIME st = at(2026, 3, 7, 14, 5, 9);
    EXPECT_EQ(u"3/7/2026", date(st, DATE_SHORTDATE));
    EXPECT_EQ(u"Saturday, March 7, 2026", date(st, DATE_LONGDATE));
    EXPECT_EQ(u"2:05:09 PM", time(st, 0));
    EXPECT_EQ(u"2:05 PM", time(st, TIME_NOSECONDS));
    EXPECT_EQ(u"2 PM", time(st, TIME_NOMINUTESORSECONDS));
    EXPECT_EQ(u"2:05:09", time(st, TIME_NOTIMEMARKER));
    EXPECT_EQ(u"14:05:09 PM", time(st, TIME_FORCE24HOURFORMAT));
    EXPECT_EQ(u"12:00 AM", time(at(2026, 1, 1, 0, 0), TIME_NOSECONDS));
    EXPECT_EQ(u"12:30 PM", time(at(2026, 1, 1, 12, 30), TIME_NOSECONDS));
}

TEST_F(DateTime, Pictures) {
    SYSTEMTIME st = at(2009, 1, 5, 9, 3, 4);
    EXPECT_EQ(u"05/01/2009", date(st, 0, u"dd/MM/yyyy"));
    EXPECT_EQ(u"Mon 5 Jan 09", date(st, 0, u"ddd d MMM yy"));
    EXPECT_EQ(u"Monday, January 5 9", date(st, 0, u"dddd, MMMM d y"));
    EXPECT_EQ(u"Day 5 of o'clock h", date(st, 0, u"'Day' d 'of o''clock' h"));
    EXPECT_EQ(u"09:03:04 A", time(st, 0, u"HH:mm:ss t"));
    EXPECT_EQ(u"9h03", time(st, TIME_NOSECONDS, u"h'h'mm:ss"));
    EXPECT_EQ(u"AM 9:03", time(st, 0, u"tt h:mm"));
}

TEST_F(DateTime, SizesAndErrors) {
    SYSTEMTIME st = at(2026, 12, 31);
    EXPECT_EQ(11, GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, nullptr, 0));
    WCHAR small[10];
    EXPECT_EQ(0, GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, small, 10));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(u"<fail>", date(st, DATE_SHORTDATE, u"d"));
    EXPECT_EQ((DWORD)ERROR_INVALID_FLAGS, GetLastError());
    EXPECT_EQ(u"<fail>", date(at(2025, 2, 29), DATE_SHORTDATE));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(u"2/29/2024", date(at(2024, 2, 29), DATE_SHORTDATE));
    EXPECT_EQ(u"<fail>", time(at(2026, 1, 1, 24, 0), 0));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
}

TEST_F(DateTime, HostLocalePicturesComeFromStrftimeForms) {
    EXPECT_EQ(u"dd.MM.yyyy", device::pictureFromStrftime("%d.%m.%Y"));
    EXPECT_EQ(u"HH:mm:ss", device::pictureFromStrftime("%T"));
    EXPECT_EQ(u"hh:mm:ss tt", device::pictureFromStrftime("%r"));
    EXPECT_EQ(u"yyyy年MM月dd日", device::pictureFromStrftime("%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5"));
    EXPECT_EQ(u"d' de 'MMMM", device::pictureFromStrftime("%e de %B"));
    // A host in the C locale gets US English.
    const char* saved = getenv("LC_ALL");
    std::string keep = saved ? saved : "";
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(u"M/d/yyyy", device::hostLocaleFormats().shortDate);
    if (saved) setenv("LC_ALL", keep.c_str(), 1);
    else unsetenv("LC_ALL");
}

TEST_F(DateTime, TheVirtualClockGivesAFixedDeviceTime) {
    device::clockUseVirtual(true);
    device::timeSetVirtualStart(at(2026, 1, 15, 9, 30, 0));
    uint64_t start = device::clockNowMs();
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(2026, now.wYear);
    EXPECT_EQ(1, now.wMonth);
    EXPECT_EQ(15, now.wDay);
    EXPECT_EQ(4, now.wDayOfWeek);  // a Thursday
    EXPECT_EQ(9, now.wHour);
    EXPECT_EQ(30, now.wMinute);
    // Across midnight and a month end.
    device::clockAdvance(17 * 24 * 3600 * 1000ull + 15 * 3600 * 1000ull);
    GetLocalTime(&now);
    EXPECT_EQ(u"2/2/2026 12:30 AM", date(now, DATE_SHORTDATE) + u" " + time(now, TIME_NOSECONDS));
    GetSystemTime(&now);
    EXPECT_EQ(2, now.wMonth);
    EXPECT_EQ((DWORD)device::clockNowMs(), GetTickCount());
    EXPECT_GE(device::clockNowMs(), start);
    device::timeSetVirtualStart(at(2026, 1, 15, 9, 30, 0));
}

}  // namespace
